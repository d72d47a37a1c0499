#include "import.h"
#include "listing_layout.h"

namespace lumivane::imaging {
namespace {

constexpr int kLiteralsPerLine = 12;
constexpr std::string_view kHexDigits = "0123456789abcdef";

}  // namespace

std::string XbmText(const Bitmap& bitmap, std::string_view name) {
  std::string text;
  text.reserve(128 + 3 * name.size() + bitmap.bits.size() * 6);
  text.append("#define ").append(name).append("_width ");
  text.append(std::to_string(bitmap.width)).append(kLineEnd);
  text.append("#define ").append(name).append("_height ");
  text.append(std::to_string(bitmap.height)).append(kLineEnd);
  text.append("static unsigned char ").append(name).append("_bits[] = {").append(kLineEnd);
  for (std::size_t i = 0; i < bitmap.bits.size(); ++i) {
    if (i % kLiteralsPerLine == 0) text.append("   ");
    const std::uint8_t byte = bitmap.bits[i];
    text.append("0x");
    text.push_back(kHexDigits[byte >> 4]);
    text.push_back(kHexDigits[byte & 0xF]);
    if (i + 1 == bitmap.bits.size()) break;
    if ((i + 1) % kLiteralsPerLine == 0) {
      text.append(",").append(kLineEnd);
    } else {
      text.append(", ");
    }
  }
  text.append(" };").append(kLineEnd);
  return text;
}

}  // namespace lumivane::imaging
