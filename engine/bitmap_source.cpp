#include "bitmap_source.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

#include "app_error.h"
#include "hex_text.h"
#include "stem_name.h"

namespace lumivane {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string_view NextWord(std::string_view& text) {
  text = TrimBlanks(text);
  const std::string_view word = text.substr(0, text.find_first_of(kBlanks));
  text.remove_prefix(word.size());
  return word;
}

bool IsNumber(std::string_view word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
  });
}

std::optional<int> Whole(std::string_view digits) {
  int value = 0;
  const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (status != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// Calls `take` with each literal's value (its low 32 bits) and whether it is a byte.
template <typename Take>
void ForEachLiteral(std::string_view text, Take take) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '0' || (text[i + 1] != 'x' && text[i + 1] != 'X')) continue;
    const PieceNumber number = ReadPieceNumber(text, i + 2);
    take(number.lowBits, number.IsByte());
    i = number.end - 1;
  }
}

}  // namespace

std::optional<std::string_view> DefinedNumber(std::string_view text, std::string_view suffix) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (NextWord(line) != "#define") continue;
    const std::string_view name = NextWord(line);
    const std::string_view value = NextWord(line);
    if (name.size() > suffix.size() && name.ends_with(suffix) && IsNumber(value)) return value;
  }
  return std::nullopt;
}

std::optional<BitmapSize> DefinedSize(std::string_view text) {
  const auto width = DefinedNumber(text, "_width");
  const auto height = DefinedNumber(text, "_height");
  if (!width || !height) return std::nullopt;
  const auto w = Whole(*width);
  const auto h = Whole(*height);
  if (!w || !h) return std::nullopt;
  return BitmapSize{*w, *h};
}

bool IsX10Bitmap(std::string_view text) {
  const std::string_view declaration = text.substr(0, text.find('{'));
  if (declaration.size() == text.size()) return false;
  for (std::size_t at = declaration.find("short"); at != std::string_view::npos;
       at = declaration.find("short", at + 1)) {
    const bool startsWord = at == 0 || !IsNameCharacter(declaration[at - 1]);
    const std::size_t after = at + 5;
    const bool endsWord = after == declaration.size() || !IsNameCharacter(declaration[after]);
    if (startsWord && endsWord) return true;
  }
  return false;
}

std::vector<std::uint8_t> BitmapBytes(std::string_view text, std::string_view fileName) {
  std::vector<std::uint8_t> bytes;
  if (!IsX10Bitmap(text)) {
    ForEachLiteral(text, [&](std::uint32_t value, bool isByte) {
      if (!isByte) {
        throw AppError(error::kInvalidArgument,
                       "Invalid procedure call or argument: " + std::string(fileName) +
                           " holds a literal beyond a byte");
      }
      bytes.push_back(static_cast<std::uint8_t>(value));
    });
    return bytes;
  }
  // As X11 reads X10: a row of 1 to 8 pixels past a multiple of 16 fills
  // only the low byte of its last literal.
  const std::optional<BitmapSize> size = DefinedSize(text);
  const int width = size ? size->width : 0;
  const bool padded = width % 16 != 0 && width % 16 < 9;
  const long literalsPerRow = padded ? (width + 15) / 16 : 0;
  long literal = 0;
  ForEachLiteral(text, [&](std::uint32_t value, bool) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    ++literal;
    if (!padded || literal % literalsPerRow != 0) {
      bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    }
  });
  return bytes;
}

}  // namespace lumivane
