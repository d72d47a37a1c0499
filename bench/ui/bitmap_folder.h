#pragma once

#include <QString>
#include <QTemporaryDir>

namespace lumivane::ui::bench {

// A temporary folder of `count` XBM bitmaps of 128 by 64 pixels, a whole
// OLED screen each, with runs of 0x00 and 0xFF between ordinary bytes. It lies
// in memory (/dev/shm) where there is one: on a disk file system, replacing
// thousands of headers over and over makes each run slower than the last,
// which would hide what the window itself costs.
class BitmapFolder {
 public:
  explicit BitmapFolder(int count);

  QString Path() const { return dir_.path(); }

 private:
  static QString Template();

  QTemporaryDir dir_;
};

}  // namespace lumivane::ui::bench
