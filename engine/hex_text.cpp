#include "hex_text.h"

namespace lumivane {
namespace {

using hex_detail::kSkipped;
using hex_detail::MeaningOf;

std::size_t HexDigitCount(std::uint32_t value) {
  std::size_t count = 1;
  while ((value >>= 4) != 0) ++count;
  return count;
}

// Upper-case hexadecimal, zero-filled on the left to `width` digits.
void WriteHex(std::uint32_t value, std::size_t width, char* digits) {
  for (std::size_t i = width; i-- > 0; value >>= 4) digits[i] = kHexDigits[value & 0xFu];
}

}  // namespace

void AppendLongNumberText(std::string_view read, std::string& out) {
  bool leadingZero = true;
  for (const char c : read) {
    const std::uint8_t meaning = MeaningOf(c);
    if (meaning >= kSkipped || (leadingZero && meaning == 0)) continue;
    leadingZero = false;
    out.push_back(kHexDigits[meaning]);
  }
}

std::string NormalizeHexByte(std::string_view piece) {
  const PieceNumber number = ReadPieceNumber(piece, 0);
  if (number.IsByte()) return {kHexDigits[number.Byte() >> 4], kHexDigits[number.Byte() & 0xF]};
  std::string text;
  AppendLongNumberText(piece.substr(0, number.end), text);
  return text;
}

std::string FormatRunCount(std::int16_t count) {
  const auto value = static_cast<std::uint16_t>(count);
  const std::size_t digits = HexDigitCount(value);
  std::string text(digits + digits % 2, '0');
  WriteHex(value, text.size(), text.data());
  return text;
}

}  // namespace lumivane
