#include "depfile.h"

#include <cerrno>
#include <string_view>

#include "app_error.h"

namespace lumivane::cli {
namespace {

// What GNU Make and Ninja do not both read back as written, escaped or not
// (Make takes "=" for a variable and ";" for a recipe, Ninja ends a path at
// the others), and a backslash before "#" or at the end, which the two undo
// differently. In an output, "%" would make Make's rule a pattern.
bool Unnamable(const std::string& path, std::size_t i, bool output) {
  constexpr std::string_view kRefused = "=;|*?'\"&^`<>";
  const auto c = static_cast<unsigned char>(path[i]);
  return kRefused.find(path[i]) != std::string_view::npos || (c < 0x20 && c != '\t') || c == 0x7F ||
         (output && c == '%') || (c == '\\' && (i + 1 == path.size() || path[i + 1] == '#'));
}

void AppendEscaped(std::string& out, const std::string& path, bool output) {
  RequireNamable(path, output);
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (c == ' ' || c == '\t') {
      // Backslashes right before a blank would escape it themselves.
      for (std::size_t j = i; j > 0 && path[j - 1] == '\\'; --j) out.push_back('\\');
      out.push_back('\\');
    } else if (c == '#' || (c == ':' && i != 1)) {
      // A drive letter's colon is Windows' own, as both read it.
      out.push_back('\\');
    } else if (c == '$') {
      out.push_back('$');
    }
    out.push_back(c);
  }
}

}  // namespace

void RequireNamable(const std::string& path, bool output) {
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (Unnamable(path, i, output)) {
      throw AppError(EINVAL, "A dependency file cannot name " + path);
    }
  }
}

std::string FormatDepfile(const std::vector<MadeOutput>& outputs) {
  std::string text;
  for (const MadeOutput& output : outputs) {
    AppendEscaped(text, output.path, true);
    text.push_back(':');
    for (const std::string& source : output.sources) {
      text.append(" \\\n ");
      AppendEscaped(text, source, false);
    }
    text.push_back('\n');
  }
  return text;
}

}  // namespace lumivane::cli
