#include "size_defines.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace lumivane::cli {
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

// The number of the first "#define ..._<suffix> N" line.
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

}  // namespace

std::string SizeDefines(std::string_view sourceText, std::string_view name) {
  const auto width = DefinedNumber(sourceText, "_width");
  const auto height = DefinedNumber(sourceText, "_height");
  if (!width || !height) return {};
  std::string defines;
  defines.append("#define ").append(name).append("_width ").append(*width).append("\r\n");
  defines.append("#define ").append(name).append("_height ").append(*height).append("\r\n");
  return defines;
}

}  // namespace lumivane::cli
