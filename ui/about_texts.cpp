#include "about_texts.h"

namespace lumivane::ui {

QString VersionText(int major, int minor, int revision) {
  return QStringLiteral("Version %1.%2.%3").arg(major).arg(minor).arg(revision);
}

QString ProductText(const QString& title, const QString& designText) {
  return title + QStringLiteral("  ") + designText;
}

}  // namespace lumivane::ui
