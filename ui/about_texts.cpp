#include "about_texts.h"

namespace lumivane::ui {

QString VersionText(const char* version) {
  return QStringLiteral("Version ") + QLatin1String(version);
}

QString ProductText(const QString& title, const QString& designText) {
  return title + QStringLiteral("  ") + designText;
}

}  // namespace lumivane::ui
