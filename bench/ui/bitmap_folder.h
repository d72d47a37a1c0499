#pragma once

#include <QString>
#include <QTemporaryDir>

namespace lumivane::ui::bench {

// A temporary folder of `count` XBM bitmaps of 128 by 64 pixels, a whole
// OLED screen each, with runs of 0x00 and 0xFF between ordinary bytes.
class BitmapFolder {
 public:
  explicit BitmapFolder(int count);

  QString Path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

}  // namespace lumivane::ui::bench
