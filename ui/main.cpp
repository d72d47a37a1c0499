#include <QApplication>

#include "app_icon.h"
#include "form_main.h"
#include "interrupt_cleanup.h"
#include "lumivane_version.h"
#include "qt_platform.h"

int main(int argc, char* argv[]) {
  lumivane::RemoveTemporaryOnInterrupt();
  QApplication application(argc, argv);
  QApplication::setApplicationName(QLatin1String(lumivane::version::kProduct));
  // Where QSettings keeps the last import's settings.
  QApplication::setOrganizationName(QLatin1String(lumivane::version::kProduct));
  QApplication::setApplicationVersion(QLatin1String(lumivane::version::kFull));
  QApplication::setDesktopFileName(QStringLiteral("lumivane"));
  QApplication::setWindowIcon(lumivane::ui::ApplicationIcon());

  lumivane::ui::QtPlatform platform;
  lumivane::ui::FormMain window(platform);
  platform.SetDialogParent(&window);
  window.show();
  return QApplication::exec();
}
