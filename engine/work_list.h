#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumivane {

// An ordered list of text items with the limits of a hidden list box:
// a 16-bit count, positions above 32767 overflow, and reading any position
// from the count on yields an empty text (the encoder relies on the read one
// past the last item).
//
// Nearly every item is a byte: the list's prefix ("" for byte texts, "0x"
// for encoded items) and two upper-case hex digits. Such an item is kept as
// the one byte it stands for; any other item (the declaration line, a longer
// number) is kept whole in a side table. A full bitmap's list thus takes
// about 32 KB in two allocations, instead of a string per item.
class WorkList {
 public:
  static constexpr std::int32_t kMaxItems = 32767;

  // An item kept whole: its position and where its text lies in the table.
  struct TextItem {
    std::int32_t position;
    std::uint32_t begin;
    std::uint32_t size;
  };

  explicit WorkList(std::string_view bytePrefix = "") : byte_prefix_(bytePrefix) {}

  void Clear() noexcept;
  void Append(std::string_view item) { Append(item, {}); }
  // Appends the one item `head` + `tail`, without a joined copy.
  void Append(std::string_view head, std::string_view tail);
  // Appends the prefix and the byte's two digits.
  void AppendByte(std::uint8_t value) {
    if (bytes_.size() >= static_cast<std::size_t>(kMaxItems)) ThrowFull();
    bytes_.push_back(value);
  }
  std::int16_t Count() const noexcept { return static_cast<std::int16_t>(bytes_.size()); }
  std::string Item(std::int32_t position) const;
  void Reserve(std::size_t count) { bytes_.reserve(count); }

  // For walking the list in order without building texts: one byte per item
  // (meaningless for items kept whole), the items kept whole in position
  // order, and the length of all items together.
  std::span<const std::uint8_t> Bytes() const noexcept { return bytes_; }
  std::span<const TextItem> TextItems() const noexcept { return text_items_; }
  std::string_view Text(const TextItem& item) const {
    return std::string_view(texts_).substr(item.begin, item.size);
  }
  std::string_view BytePrefix() const noexcept { return byte_prefix_; }
  std::size_t TextSize() const noexcept;

 private:
  [[noreturn]] static void ThrowFull();
  static void CheckOutside(std::int32_t position);

  std::string_view byte_prefix_;
  std::vector<std::uint8_t> bytes_;
  std::vector<TextItem> text_items_;
  std::string texts_;
};

// The two work lists of a conversion: byte texts ("3C"), and encoded items,
// which carry their "0x" ("0x3C").
class ByteList : public WorkList {
 public:
  ByteList() : WorkList("") {}
};

class EncodedList : public WorkList {
 public:
  EncodedList() : WorkList("0x") {}
};

}  // namespace lumivane
