#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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
  // Inline because a conversion appends and reads every item of both lists;
  // the rare refusals stay out of line.
  void Append(std::string_view item) {
    if (items_.size() >= static_cast<std::size_t>(kMaxItems)) ThrowFull();
    items_.emplace_back(item);
  }
  std::int16_t Count() const noexcept { return static_cast<std::int16_t>(items_.size()); }
  const std::string& Item(std::int32_t position) const {
    // Every stored position fits 16 bits, so only reads outside need checking.
    if (position >= 0 && static_cast<std::size_t>(position) < items_.size()) {
      return items_[static_cast<std::size_t>(position)];
    }
    return ItemOutside(position);
  }
  void Reserve(std::size_t count) { items_.reserve(count); }

 private:
  [[noreturn]] static void ThrowFull();
  static const std::string& ItemOutside(std::int32_t position);

  std::vector<std::string> items_;
};

// Names of the two work lists of a conversion.
using ByteList = WorkList;
using EncodedList = WorkList;

}  // namespace lumivane
