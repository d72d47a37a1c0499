#include "file_order.h"

#include <algorithm>

namespace lumivane {
namespace {

unsigned char FoldAscii(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

// Compares without case from `from` on, where the two first differ.
int CompareFolded(const std::string& a, const std::string& b, std::size_t from) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = from; i < common; ++i) {
    const unsigned char x = FoldAscii(a[i]);
    const unsigned char y = FoldAscii(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Where the two first differ byte by byte: before it, folding changes
// nothing, so a batch's names (mostly one long shared prefix) are only
// folded from there on.
std::size_t FirstDifference(const std::string& a, const std::string& b) {
  const std::size_t common = std::min(a.size(), b.size());
  std::size_t i = 0;
  while (i < common && a[i] == b[i]) ++i;
  return i;
}

}  // namespace

// The tie is broken by the first differing byte, compared unsigned, as
// std::string compares.
bool FileNameBefore(const std::string& a, const std::string& b) {
  const std::size_t first = FirstDifference(a, b);
  if (first == std::min(a.size(), b.size())) return a.size() < b.size();
  const int folded = CompareFolded(a, b, first);
  if (folded != 0) return folded < 0;
  return static_cast<unsigned char>(a[first]) < static_cast<unsigned char>(b[first]);
}

std::string FoldedName(const std::string& name) {
  std::string folded(name);
  for (char& c : folded) c = static_cast<char>(FoldAscii(c));
  return folded;
}

void SortFileNames(std::vector<std::string>& names) {
  SortByFileName(names, [](const std::string& name) -> const std::string& { return name; });
}

}  // namespace lumivane
