#pragma once

#include <cstdint>
#include <string_view>

#include "work_list.h"

namespace lumivane {

// Watches a source text as it is read, chunk by chunk, and says as soon as its
// conversion is certain to fail with the overflow error: the text holds more
// "0x" separators than the byte list has room for literals. A reader can then
// stop reading and raise the error at once, without the rest of a huge file.
// Separators split across chunks count.
class SourceScanner {
 public:
  static constexpr std::int64_t kMaxLiterals = WorkList::kMaxItems - 1;

  // Stops looking, within the chunk too, once the verdict is certain.
  void Feed(std::string_view chunk);
  bool OverflowCertain() const { return literals_ > kMaxLiterals; }

 private:
  std::int64_t literals_ = 0;
  char last_ = '\0';  // the last character fed, for pairs split across chunks
};

}  // namespace lumivane
