#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane {

// An ordered list of text items with the limits of a hidden list box:
// a 16-bit count, positions above 32767 overflow, and reading any position
// from the count on yields an empty text (the encoder relies on the read one
// past the last item).
class WorkList {
 public:
  static constexpr std::int32_t kMaxItems = 32767;

  void Clear() noexcept { items_.clear(); }
  void Append(std::string item);
  std::int16_t Count() const noexcept { return static_cast<std::int16_t>(items_.size()); }
  const std::string& Item(std::int32_t position) const;
  void Reserve(std::size_t count) { items_.reserve(count); }

 private:
  std::vector<std::string> items_;
};

// Names of the two work lists of a conversion.
using ByteList = WorkList;
using EncodedList = WorkList;

}  // namespace lumivane
