#include "bitmap_text.h"

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

std::string XbmTextOfSize(const std::string& name, std::size_t size, unsigned seed) {
  constexpr std::size_t kLiteralRoom = 7;
  constexpr std::size_t kEndRoom = 4;  // " };\n"
  test::XbmWriter writer(name, kScreenSize);
  const Bytes bytes = ImageBytes(size / 6, seed);
  for (std::size_t i = 0; i < bytes.size() && writer.Size() + kLiteralRoom + kEndRoom <= size;
       ++i) {
    writer.Add(bytes[i]);
  }
  return writer.Finish(size - writer.Size() - kEndRoom);
}

std::string IconText(const std::string& name, unsigned seed) {
  return XbmTextOfSize(name, 1024, seed);
}

std::string ScreenText(const std::string& name, unsigned seed) {
  return test::XbmText(name, ImageBytes(1024, seed), kScreenSize);
}

}  // namespace lumivane::bench
