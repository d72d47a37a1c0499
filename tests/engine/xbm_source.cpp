#include "xbm_source.h"

#include <cstdio>
#include <random>

namespace lumivane::test {

std::string XbmSource(std::string_view name, const std::vector<std::uint8_t>& bytes) {
  const std::string prefix(name);
  std::string text = "#define " + prefix + "_width 8\n#define " + prefix + "_height " +
                     std::to_string(bytes.size()) + "\nstatic unsigned char " + prefix +
                     "_bits[] = {\n";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char literal[8];
    std::snprintf(literal, sizeof literal, "0x%02x", bytes[i]);
    text.append(i % 12 == 0 ? "   " : " ").append(literal);
    text.append(i + 1 == bytes.size() ? " };\n" : (i % 12 == 11 ? ",\n" : ","));
  }
  if (bytes.empty()) text.append("};\n");
  return text;
}

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
