#include "source_scanner.h"

namespace lumivane {
namespace {

bool IsLetterF(char c) {
  return c == 'F' || c == 'f';
}

}  // namespace

void SourceScanner::Feed(std::string_view chunk) {
  char previous = last_;
  for (const char c : chunk) {
    if (OverflowCertain()) break;
    if (previous == '0') {
      if (c == 'x' || c == 'X') ++literals_;
      if (c == '0') something_to_compress_ = true;
    } else if (IsLetterF(previous) && IsLetterF(c)) {
      something_to_compress_ = true;
    }
    previous = c;
  }
  last_ = previous;
}

}  // namespace lumivane
