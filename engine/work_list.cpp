#include "work_list.h"

#include <algorithm>
#include <limits>

#include "app_error.h"
#include "checked_math.h"
#include "hex_text.h"

namespace lumivane {
namespace {

constexpr std::size_t kByteDigits = 2;

// The value of an upper-case hex digit, or -1: items are compared exactly,
// so "3c" is not the byte 3C.
int UpperHexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

void WorkList::Clear() noexcept {
  bytes_.clear();
  text_items_.clear();
  texts_.clear();
}

void WorkList::Append(std::string_view head, std::string_view tail) {
  if (bytes_.size() >= static_cast<std::size_t>(kMaxItems)) ThrowFull();
  const auto at = [&](std::size_t i) { return i < head.size() ? head[i] : tail[i - head.size()]; };
  const std::size_t prefix = byte_prefix_.size();
  if (head.size() + tail.size() == prefix + kByteDigits) {
    bool prefixed = true;
    for (std::size_t i = 0; i < prefix; ++i) prefixed = prefixed && at(i) == byte_prefix_[i];
    const int high = UpperHexDigit(at(prefix));
    const int low = UpperHexDigit(at(prefix + 1));
    if (prefixed && high >= 0 && low >= 0) {
      bytes_.push_back(static_cast<std::uint8_t>(high * 16 + low));
      return;
    }
  }
  // Offsets are 32-bit: a text beyond them (a number of billions of digits)
  // overflows the list as too many items would.
  if (texts_.size() + head.size() + tail.size() > std::numeric_limits<std::uint32_t>::max()) {
    ThrowFull();
  }
  text_items_.push_back({static_cast<std::int32_t>(bytes_.size()),
                         static_cast<std::uint32_t>(texts_.size()),
                         static_cast<std::uint32_t>(head.size() + tail.size())});
  texts_.append(head).append(tail);
  bytes_.push_back(0);
}

std::string WorkList::Item(std::int32_t position) const {
  if (position < 0 || position >= static_cast<std::int32_t>(bytes_.size())) {
    CheckOutside(position);
    return {};
  }
  const auto text = std::lower_bound(
      text_items_.begin(), text_items_.end(), position,
      [](const TextItem& item, std::int32_t wanted) { return item.position < wanted; });
  if (text != text_items_.end() && text->position == position) return std::string(Text(*text));
  const std::uint8_t value = bytes_[static_cast<std::size_t>(position)];
  std::string item(byte_prefix_);
  item.push_back(kHexDigits[value >> 4]);
  item.push_back(kHexDigits[value & 0xF]);
  return item;
}

std::size_t WorkList::TextSize() const noexcept {
  const std::size_t byteItems = bytes_.size() - text_items_.size();
  return byteItems * (byte_prefix_.size() + kByteDigits) + texts_.size();
}

void WorkList::ThrowFull() {
  throw AppError::Overflow();
}

void WorkList::CheckOutside(std::int32_t position) {
  const auto index = CheckedCast<std::int16_t>(position);
  if (index < 0) throw AppError::SubscriptOutOfRange();
}

}  // namespace lumivane
