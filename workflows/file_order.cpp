#include "file_order.h"

#include <algorithm>

namespace lumivane {
namespace {

unsigned char FoldAscii(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

int CompareFolded(const std::string& a, const std::string& b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = FoldAscii(a[i]);
    const unsigned char y = FoldAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

// std::string compares its characters as unsigned bytes, which breaks the ties.
bool FileNameBefore(const std::string& a, const std::string& b) {
  const int folded = CompareFolded(a, b);
  return folded != 0 ? folded < 0 : a < b;
}

void SortFileNames(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), FileNameBefore);
}

}  // namespace lumivane
