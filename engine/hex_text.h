#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lumivane {

// Reads the hexadecimal number at the start of one piece of the source text
// (the text after a "0x") and writes it as a byte text: upper case, at least
// two digits. Blanks, tabs and line feeds inside the number are skipped; any
// other non-digit ends it; no digit reads as zero. Only the last eight digits
// of an overlong number are kept, so the text stays short and non-empty.
std::string NormalizeHexByte(std::string_view piece);

inline constexpr std::size_t kMaxByteTextDigits = 8;

// The same byte text written into `digits`; returns its length (2 to 8).
// Allocation-free, for the conversion's loop over every literal.
std::size_t WriteHexByte(std::string_view piece, std::span<char, kMaxByteTextDigits> digits);

// A run's extra repeats as upper-case hexadecimal with an even number of digits.
std::string FormatRunCount(std::int16_t count);

}  // namespace lumivane
