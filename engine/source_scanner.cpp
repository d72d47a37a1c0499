#include "source_scanner.h"

namespace lumivane {

void SourceScanner::Feed(std::string_view chunk) {
  char previous = last_;
  for (const char c : chunk) {
    if (OverflowCertain()) break;
    if (previous == '0' && (c == 'x' || c == 'X')) ++literals_;
    previous = c;
  }
  last_ = previous;
}

}  // namespace lumivane
