#pragma once

#include <QString>
#include <QTemporaryDir>
#include <string>

namespace lumivane::ui::testing {

// A temporary folder of small XBM bitmaps, removed with the object.
class XbmFolder {
 public:
  XbmFolder();

  QString Path() const { return dir_.path(); }
  QString FilePath(const QString& name) const { return dir_.filePath(name); }
  // A 16 by 8 bitmap whose rows alternate between runs of 0x00 and 0xFF and
  // ordinary bytes, so it always has something to compress.
  void AddBitmap(const QString& name);
  void AddFile(const QString& name, const std::string& content);
  bool Exists(const QString& name) const;
  std::string Read(const QString& name) const;

 private:
  QTemporaryDir dir_;
};

// The XBM text of a bitmap of `rows` rows of `bytesPerRow` bytes.
std::string XbmText(const std::string& arrayName, int bytesPerRow, int rows);

}  // namespace lumivane::ui::testing
