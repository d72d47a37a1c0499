#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumivane {

// The number a piece of the source text (the text after a "0x") starts with.
// It is read from `begin` as far as it reaches: blanks, tabs and line feeds
// inside it are skipped, and any other non-digit ends it, as does the next
// "0x", which starts the next piece. No digit reads as zero.
struct PieceNumber {
  std::size_t end = 0;        // where reading stopped
  std::size_t digits = 0;     // digits after the leading zeros
  std::uint32_t lowBits = 0;  // the value, exact while it has at most eight digits

  // Nearly every literal is a byte: its text is then exactly two digits.
  bool IsByte() const;
  std::uint8_t Byte() const { return static_cast<std::uint8_t>(lowBits); }
};

PieceNumber ReadPieceNumber(std::string_view text, std::size_t begin);

// The text of a number that is not a byte: every digit, however many, without
// the leading zeros, upper case. `read` is the text the number was read from,
// from its piece's start to where reading stopped.
void AppendLongNumberText(std::string_view read, std::string& out);

// The byte text of one piece: upper-case hexadecimal, at least two digits;
// longer numbers keep all their digits.
std::string NormalizeHexByte(std::string_view piece);

// A byte's two upper-case digits.
inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// A run's extra repeats as upper-case hexadecimal with an even number of digits.
std::string FormatRunCount(std::int16_t count);

}  // namespace lumivane
