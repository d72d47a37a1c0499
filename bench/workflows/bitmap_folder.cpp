#include "bitmap_folder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace lumivane::bench {

namespace fs = std::filesystem;

std::string MakeBitmap(int index) {
  std::string text =
      "#define img_width 64\n#define img_height 24\nstatic unsigned char img_bits[] = {";
  const std::string end = " };\n";
  char literal[8];
  for (int k = 0;; ++k) {
    const int band = (k + index) / 8 % 4;
    const unsigned value = band == 0 ? 0x00u : band == 1 ? 0xFFu : (k * 37u + 11u) & 0x7Eu;
    std::snprintf(literal, sizeof literal, "0x%02x", value);
    const std::string separator = k == 0 ? "\n   " : k % 12 == 0 ? ",\n   " : ", ";
    if (text.size() + separator.size() + std::string(literal).size() + end.size() > kBitmapSize) {
      break;
    }
    text += separator;
    text += literal;
  }
  text.append(kBitmapSize - text.size() - end.size(), ' ');
  return text + end;
}

BitmapFolder::BitmapFolder(int count) {
  std::string pattern = (fs::temp_directory_path() / "lumivane-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
  char name[32];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, "/img%05d.xbm", i);
    std::ofstream out(path_ + name, std::ios::binary);
    out << MakeBitmap(i);
    if (!out.flush()) throw std::runtime_error("cannot write the bitmap folder");
  }
}

BitmapFolder::~BitmapFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

}  // namespace lumivane::bench
