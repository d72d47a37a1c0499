#include "hex_text.h"

#include <array>

namespace lumivane {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

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

std::size_t WriteHexByte(std::string_view piece, std::span<char, kMaxByteTextDigits> digits) {
  std::uint32_t value = 0;
  for (const char c : piece) {
    const std::uint8_t meaning = kCharacterMeaning[static_cast<unsigned char>(c)];
    if (meaning == kSkipped) continue;
    if (meaning == kEndsNumber) break;
    value = (value << 4) | meaning;
  }
  const std::size_t width = value < 0x100 ? 2 : HexDigitCount(value);
  WriteHex(value, width, digits.data());
  return width;
}

std::string NormalizeHexByte(std::string_view piece) {
  char digits[kMaxByteTextDigits];
  return std::string(digits, WriteHexByte(piece, digits));
}

std::string FormatRunCount(std::int16_t count) {
  const auto value = static_cast<std::uint16_t>(count);
  const std::size_t digits = HexDigitCount(value);
  std::string text(digits + digits % 2, '0');
  WriteHex(value, text.size(), text.data());
  return text;
}

}  // namespace lumivane
