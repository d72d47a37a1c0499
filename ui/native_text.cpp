#include "native_text.h"

#include <QByteArray>
#include <QFile>

namespace lumivane::ui {

QString FromNative(std::string_view text) {
  return QFile::decodeName(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

std::string ToNative(const QString& text) {
  return QFile::encodeName(text).toStdString();
}

QString ToDisplayText(std::string_view text) {
  QString shown = FromNative(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

}  // namespace lumivane::ui
