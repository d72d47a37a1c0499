// Shows the window on a real display (Xvfb in scripts/screenshot.sh), drops
// a folder on it as a user would, and saves the screen with the window and
// then with the About box in front of it.
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <cstdio>

#include "app_icon.h"
#include "form_main.h"
#include "form_splash.h"
#include "native_text.h"
#include "qt_platform.h"

namespace {

bool SaveScreen(const QString& path) {
  QApplication::processEvents();
  QTest::qWait(300);
  return QGuiApplication::primaryScreen()->grabWindow(0).save(path, "PNG");
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SAMPLE_FOLDER OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const QString output = QString::fromLocal8Bit(argv[2]);
  QApplication::setWindowIcon(lumivane::ui::ApplicationIcon());

  lumivane::ui::QtPlatform platform;
  lumivane::ui::FormMain window(platform);
  platform.SetDialogParent(&window);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;

  window.Text1_OLEDragDrop(lumivane::DropData::FileList({lumivane::ui::ToNative(folder)}));
  if (!SaveScreen(output + QStringLiteral("/window.png"))) return 1;

  window.mnuAbout_Click();
  if (window.Splash() == nullptr || !QTest::qWaitForWindowExposed(window.Splash())) return 1;
  if (!SaveScreen(output + QStringLiteral("/about.png"))) return 1;
  return 0;
}
