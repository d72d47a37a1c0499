#include "tests/support/xbm_text.h"

#include <cstdio>

namespace lumivane::test {

std::string XbmText(std::string_view name, const Bytes& bytes) {
  const std::string stem(name);
  std::string text = "#define " + stem + "_width 8\n#define " + stem + "_height " +
                     std::to_string(bytes.size()) + "\nstatic unsigned char " + stem +
                     "_bits[] = {\n";
  text.reserve(text.size() + bytes.size() * 6 + 8);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char literal[8];
    std::snprintf(literal, sizeof literal, "0x%02x", bytes[i]);
    text.append(i % 12 == 0 ? "   " : " ").append(literal);
    text.append(i + 1 < bytes.size() ? (i % 12 == 11 ? ",\n" : ",") : " };\n");
  }
  if (bytes.empty()) text.append("};\n");
  return text;
}

Bytes Run(std::size_t count, std::uint8_t value) {
  return Bytes(count, value);
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace lumivane::test
