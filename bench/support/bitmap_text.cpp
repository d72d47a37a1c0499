#include "bench/support/bitmap_text.h"

#include <cstdio>

namespace lumivane::bench {

Bytes ImageBytes(std::size_t count, unsigned seed) {
  Bytes bytes(count);
  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t band = (k + seed) / 40 % 4;
    bytes[k] = band == 0   ? 0x00
               : band == 1 ? 0xFF
                           : static_cast<unsigned char>((k * 37u + seed + 1u) & 0x7Eu);
  }
  return bytes;
}

namespace {

void AppendLiteral(std::string& text, std::size_t index, unsigned char byte) {
  char literal[8];
  std::snprintf(literal, sizeof literal, "0x%02x", byte);
  text.append(index == 0 ? "\n   " : index % 12 == 0 ? ",\n   " : ", ").append(literal);
}

std::string Head(const std::string& name) {
  return "#define " + name + "_width 128\n#define " + name + "_height 64\nstatic unsigned char " +
         name + "_bits[] = {";
}

}  // namespace

std::string XbmText(const std::string& name, const Bytes& bytes) {
  std::string text = Head(name);
  text.reserve(text.size() + bytes.size() * 6 + 8);
  for (std::size_t i = 0; i < bytes.size(); ++i) AppendLiteral(text, i, bytes[i]);
  return text + " };\n";
}

std::string XbmTextOfSize(const std::string& name, std::size_t size, unsigned seed) {
  constexpr std::size_t kLiteralRoom = 7;
  const std::string end = " };\n";
  std::string text = Head(name);
  const Bytes bytes = ImageBytes(size / 6, seed);
  for (std::size_t i = 0; i < bytes.size() && text.size() + kLiteralRoom + end.size() <= size;
       ++i) {
    AppendLiteral(text, i, bytes[i]);
  }
  text.append(size - text.size() - end.size(), ' ');
  return text + end;
}

std::string IconText(const std::string& name, unsigned seed) {
  return XbmTextOfSize(name, 1024, seed);
}

std::string ScreenText(const std::string& name, unsigned seed) {
  return XbmText(name, ImageBytes(1024, seed));
}

}  // namespace lumivane::bench
