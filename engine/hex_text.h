#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumivane {

namespace hex_detail {

// What a character means inside a number: its digit value, or one of these.
inline constexpr std::uint8_t kSkipped = 16;
inline constexpr std::uint8_t kEndsNumber = 17;

// One table look-up per character instead of a chain of range tests: this
// runs for every character of every literal.
inline constexpr std::array<std::uint8_t, 256> kCharacterMeaning = [] {
  std::array<std::uint8_t, 256> meaning{};
  meaning.fill(kEndsNumber);
  for (int c = '0'; c <= '9'; ++c) meaning[c] = static_cast<std::uint8_t>(c - '0');
  for (int c = 'A'; c <= 'F'; ++c) meaning[c] = static_cast<std::uint8_t>(c - 'A' + 10);
  for (int c = 'a'; c <= 'f'; ++c) meaning[c] = static_cast<std::uint8_t>(c - 'a' + 10);
  meaning[' '] = meaning['\t'] = meaning['\n'] = kSkipped;
  return meaning;
}();

inline constexpr std::size_t kExactDigits = 8;

inline std::uint8_t MeaningOf(char c) {
  return kCharacterMeaning[static_cast<unsigned char>(c)];
}

}  // namespace hex_detail

// The number a piece of the source text (the text after a "0x") starts with.
// It is read from `begin` as far as it reaches: blanks, tabs and line feeds
// inside it are skipped, and any other non-digit ends it, as does the next
// "0x", which starts the next piece. No digit reads as zero.
struct PieceNumber {
  std::size_t end = 0;        // where reading stopped
  std::size_t digits = 0;     // digits after the leading zeros
  std::uint32_t lowBits = 0;  // the value, exact while it has at most eight digits

  // Nearly every literal is a byte: its text is then exactly two digits.
  bool IsByte() const { return digits <= hex_detail::kExactDigits && lowBits < 0x100; }
  std::uint8_t Byte() const { return static_cast<std::uint8_t>(lowBits); }
};

// Inline: it runs once for every literal of every source.
inline PieceNumber ReadPieceNumber(std::string_view text, std::size_t begin) {
  using namespace hex_detail;
  PieceNumber number;
  // Nearly every piece is two digits and a comma or a blank: read those at
  // once, unless the second digit is the "0" of the next "0x".
  if (begin + 2 < text.size()) {
    const std::uint8_t high = MeaningOf(text[begin]);
    const std::uint8_t low = MeaningOf(text[begin + 1]);
    const char after = text[begin + 2];
    if ((high | low) < kSkipped && MeaningOf(after) == kEndsNumber &&
        !(low == 0 && (after == 'x' || after == 'X'))) {
      number.end = begin + 2;
      number.digits = (high != 0 ? 2 : low != 0 ? 1 : 0);
      number.lowBits = static_cast<std::uint32_t>(high << 4 | low);
      return number;
    }
  }
  std::size_t i = begin;
  for (; i < text.size(); ++i) {
    const std::uint8_t meaning = MeaningOf(text[i]);
    if (meaning == kSkipped) continue;
    if (meaning == kEndsNumber) break;
    if (meaning == 0) {
      if (i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')) break;
      if (number.digits == 0) continue;
    }
    number.lowBits = (number.lowBits << 4) | meaning;
    ++number.digits;
  }
  number.end = i;
  return number;
}

// The text of a number that is not a byte: every digit, however many, without
// the leading zeros, upper case. `read` is the text the number was read from,
// from its piece's start to where reading stopped.
void AppendLongNumberText(std::string_view read, std::string& out);

// The byte text of one piece: upper-case hexadecimal, at least two digits;
// longer numbers keep all their digits.
std::string NormalizeHexByte(std::string_view piece);

// A byte's two upper-case digits.
inline constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace lumivane
