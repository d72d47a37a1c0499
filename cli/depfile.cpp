#include "depfile.h"

namespace lumivane::cli {
namespace {

void AppendEscaped(std::string& out, const std::string& path) {
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (c == ' ' || c == '\t') {
      // Backslashes right before a blank would escape it themselves.
      for (std::size_t j = i; j > 0 && path[j - 1] == '\\'; --j) out.push_back('\\');
      out.push_back('\\');
    } else if (c == '#') {
      out.push_back('\\');
    } else if (c == '$') {
      out.push_back('$');
    }
    out.push_back(c);
  }
}

}  // namespace

std::string FormatDepfile(const std::vector<MadeOutput>& outputs) {
  std::string text;
  for (const MadeOutput& output : outputs) {
    AppendEscaped(text, output.path);
    text.push_back(':');
    for (const std::string& source : output.sources) {
      text.append(" \\\n ");
      AppendEscaped(text, source);
    }
    text.push_back('\n');
  }
  return text;
}

}  // namespace lumivane::cli
