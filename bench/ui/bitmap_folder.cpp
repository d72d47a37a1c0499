#include "bitmap_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <string>

namespace lumivane::ui::bench {
namespace {

constexpr int kBytesPerRow = 16;
constexpr int kRows = 64;

std::string BitmapText(int seed) {
  std::string text =
      "#define screen_width 128\n#define screen_height 64\n"
      "static unsigned char screen_bits[] = {\n";
  text.reserve(kBytesPerRow * kRows * 6 + 128);
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kBytesPerRow; ++column) {
      const int phase = (row + seed) % 4;
      const int value = phase == 0   ? 0x00
                        : phase == 1 ? 0xFF
                                     : (row * 31 + column * 7 + seed) & 0xFF;
      char byte[8];
      std::snprintf(byte, sizeof byte, "0x%02x, ", value);
      text += byte;
    }
    text += '\n';
  }
  text += "};\n";
  return text;
}

}  // namespace

QString BitmapFolder::Template() {
  const QFileInfo memory(QStringLiteral("/dev/shm"));
  const QString base = memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
  return base + QStringLiteral("/lumivane-bench-XXXXXX");
}

BitmapFolder::BitmapFolder(int count) : dir_(Template()) {
  for (int i = 0; i < count; ++i) {
    QFile file(dir_.filePath(QStringLiteral("screen_%1.xbm").arg(i, 5, 10, QLatin1Char('0'))));
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write the bench folder");
    const std::string text = BitmapText(i);
    file.write(text.data(), static_cast<qint64>(text.size()));
  }
}

}  // namespace lumivane::ui::bench
