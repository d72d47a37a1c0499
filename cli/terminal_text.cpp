#include "terminal_text.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace lumivane::cli {
namespace {

constexpr unsigned char kDelete = 0x7F;

// A tab only moves the cursor on, and the report's own columns are tabs.
bool IsControl(unsigned char byte) {
  return (byte < 0x20 && byte != '\t') || byte == kDelete;
}

std::string_view LineEndOf(std::string_view text) {
  for (std::string_view end : {"\r\n", "\n"}) {
    if (text.ends_with(end)) return end;
  }
  return {};
}

void AppendEscape(std::string& out, unsigned char byte) {
  constexpr std::string_view kLetters = "abtnvfr";
  out.push_back('\\');
  if (byte >= '\a' && byte <= '\r') {
    out.push_back(kLetters[byte - '\a']);
    return;
  }
  out.push_back(static_cast<char>('0' + (byte >> 6)));
  out.push_back(static_cast<char>('0' + ((byte >> 3) & 7)));
  out.push_back(static_cast<char>('0' + (byte & 7)));
}

}  // namespace

bool IsTerminal(std::FILE* stream) {
#ifdef _WIN32
  return _isatty(_fileno(stream)) != 0;
#else
  return ::isatty(::fileno(stream)) != 0;
#endif
}

std::string EscapeControls(std::string_view text) {
  const std::string_view lineEnd = LineEndOf(text);
  text.remove_suffix(lineEnd.size());
  std::string out;
  out.reserve(text.size() + lineEnd.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsControl(byte)) {
      AppendEscape(out, byte);
    } else {
      out.push_back(c);
    }
  }
  out.append(lineEnd);
  return out;
}

void PrintErrorLine(std::string_view text) {
  const std::string line = IsTerminal(stderr) ? EscapeControls(text) : std::string(text);
  std::fflush(stdout);
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fputc('\n', stderr);
}

}  // namespace lumivane::cli
