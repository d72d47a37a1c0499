#include "hex_text.h"

namespace lumivane {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Upper-case hexadecimal without leading zeros ("0" for zero).
std::string ToHex(std::uint32_t value) {
  char digits[8];
  int length = 0;
  do {
    digits[length++] = kHexDigits[value & 0xFu];
    value >>= 4;
  } while (value != 0);
  std::string text;
  text.reserve(static_cast<std::size_t>(length) + 1);
  while (length > 0) text.push_back(digits[--length]);
  return text;
}

}  // namespace

std::string NormalizeHexByte(std::string_view piece) {
  std::uint32_t value = 0;
  for (const char c : piece) {
    if (c == ' ' || c == '\t' || c == '\n') continue;
    const int digit = HexDigitValue(c);
    if (digit < 0) break;
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  std::string text = ToHex(value);
  if (value < 16) text.insert(text.begin(), '0');
  return text;
}

std::string FormatRunCount(std::int16_t count) {
  std::string text = ToHex(static_cast<std::uint16_t>(count));
  if (text.size() % 2 != 0) text.insert(text.begin(), '0');
  return text;
}

}  // namespace lumivane
