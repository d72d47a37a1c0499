#include "xbm_text.h"

namespace lumivane::imaging {
namespace {

constexpr int kLiteralsPerLine = 12;
constexpr std::string_view kHexDigits = "0123456789abcdef";

}  // namespace

std::string XbmText(const Bitmap& bitmap, std::string_view name) {
  const std::string prefix(name);
  std::string text;
  text.reserve(128 + 3 * prefix.size() + bitmap.bits.size() * 6);
  text.append("#define ").append(prefix).append("_width ");
  text.append(std::to_string(bitmap.width)).append("\n");
  text.append("#define ").append(prefix).append("_height ");
  text.append(std::to_string(bitmap.height)).append("\n");
  text.append("static unsigned char ").append(prefix).append("_bits[] = {\n");
  for (std::size_t i = 0; i < bitmap.bits.size(); ++i) {
    if (i % kLiteralsPerLine == 0) text.append("   ");
    const std::uint8_t byte = bitmap.bits[i];
    text.append("0x");
    text.push_back(kHexDigits[byte >> 4]);
    text.push_back(kHexDigits[byte & 0xF]);
    if (i + 1 == bitmap.bits.size()) break;
    text.append((i + 1) % kLiteralsPerLine == 0 ? ",\n" : ", ");
  }
  text.append(" };\n");
  return text;
}

std::string XbmFileText(std::string_view xbmText) {
  std::string file;
  file.reserve(xbmText.size() + xbmText.size() / 40);
  for (const char c : xbmText) {
    if (c == '\n') file.push_back('\r');
    file.push_back(c);
  }
  return file;
}

}  // namespace lumivane::imaging
