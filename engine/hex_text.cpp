#include "hex_text.h"

namespace lumivane {
namespace {

using hex_detail::kSkipped;
using hex_detail::MeaningOf;

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

}  // namespace lumivane
