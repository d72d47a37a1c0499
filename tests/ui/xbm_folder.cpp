#include "xbm_folder.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace lumivane::ui::testing {

std::string XbmText(const std::string& arrayName, int bytesPerRow, int rows) {
  std::string text = "#define " + arrayName + "_width " + std::to_string(bytesPerRow * 8) +
                     "\n#define " + arrayName + "_height " + std::to_string(rows) +
                     "\nstatic unsigned char " + arrayName + "_bits[] = {\n";
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < bytesPerRow; ++column) {
      int value = (row % 3 == 0) ? 0x00 : (row % 3 == 1) ? 0xFF : (row * 7 + column * 13) & 0xFF;
      char byte[8];
      std::snprintf(byte, sizeof byte, "0x%02x, ", value);
      text += byte;
    }
    text += '\n';
  }
  text += "};\n";
  return text;
}

XbmFolder::XbmFolder() = default;

void XbmFolder::AddBitmap(const QString& name) {
  AddFile(name, XbmText(QFileInfo(name).baseName().toStdString(), 2, 8));
}

void XbmFolder::AddFile(const QString& name, const std::string& content) {
  QFile file(FilePath(name));
  if (file.open(QIODevice::WriteOnly)) {
    file.write(content.data(), static_cast<qint64>(content.size()));
  }
}

bool XbmFolder::Exists(const QString& name) const {
  return QFileInfo::exists(FilePath(name));
}

std::string XbmFolder::Read(const QString& name) const {
  QFile file(FilePath(name));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

}  // namespace lumivane::ui::testing
