#include "hex_text.h"

#include <array>

namespace lumivane {
namespace {

// What a character means inside a number: its digit value, or one of these.
constexpr std::uint8_t kSkipped = 16;
constexpr std::uint8_t kEndsNumber = 17;

// One table look-up per character instead of a chain of range tests: this
// runs for every character of every literal.
constexpr std::array<std::uint8_t, 256> kCharacterMeaning = [] {
  std::array<std::uint8_t, 256> meaning{};
  meaning.fill(kEndsNumber);
  for (int c = '0'; c <= '9'; ++c) meaning[c] = static_cast<std::uint8_t>(c - '0');
  for (int c = 'A'; c <= 'F'; ++c) meaning[c] = static_cast<std::uint8_t>(c - 'A' + 10);
  for (int c = 'a'; c <= 'f'; ++c) meaning[c] = static_cast<std::uint8_t>(c - 'a' + 10);
  meaning[' '] = meaning['\t'] = meaning['\n'] = kSkipped;
  return meaning;
}();

constexpr std::size_t kExactDigits = 8;

std::uint8_t MeaningOf(char c) {
  return kCharacterMeaning[static_cast<unsigned char>(c)];
}

bool IsLetterX(char c) {
  return c == 'x' || c == 'X';
}

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

bool PieceNumber::IsByte() const {
  return digits <= kExactDigits && lowBits < 0x100;
}

PieceNumber ReadPieceNumber(std::string_view text, std::size_t begin) {
  PieceNumber number;
  std::size_t i = begin;
  for (; i < text.size(); ++i) {
    const std::uint8_t meaning = MeaningOf(text[i]);
    if (meaning == kSkipped) continue;
    if (meaning == kEndsNumber) break;
    if (meaning == 0) {
      if (i + 1 < text.size() && IsLetterX(text[i + 1])) break;
      if (number.digits == 0) continue;
    }
    number.lowBits = (number.lowBits << 4) | meaning;
    ++number.digits;
  }
  number.end = i;
  return number;
}

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
