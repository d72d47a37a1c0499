#include "sample_bytes.h"

#include <cstdio>
#include <random>

namespace lumivane::test {

std::vector<std::string> ByteTexts(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::string> texts;
  for (const std::uint8_t byte : bytes) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X", byte);
    texts.emplace_back(digits);
  }
  return texts;
}

std::vector<std::uint8_t> MixedBytes(std::size_t length, std::uint32_t seed) {
  // Raw engine output only: the standard distributions differ between libraries.
  std::mt19937 random(seed);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(length);
  while (bytes.size() < length) {
    const std::uint32_t pick = random() % 4;
    if (pick < 2) {
      const std::uint8_t runByte = pick == 0 ? 0x00 : 0xFF;
      const std::uint32_t longest = random() % 2 == 0 ? 4 : 600;
      bytes.insert(bytes.end(), 1 + random() % longest, runByte);
    } else {
      bytes.push_back(static_cast<std::uint8_t>(random()));
    }
  }
  bytes.resize(length);
  return bytes;
}

}  // namespace lumivane::test
