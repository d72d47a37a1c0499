#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace lumivane {

// Both listings share one layout: items joined by ", ", a line end after the
// separator that follows every 16th item, then CR LF and "};".
inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::string_view kListingEnd = "\r\n};";
inline constexpr std::size_t kItemsPerLine = 16;

std::string DeclarationLine(std::string_view arrayName);

// Writes the items of a listing after the declaration line that the listing
// already holds, in that layout. Room is made up front and trimmed when the
// writer ends: in listings of tens of thousands of short items, a capacity
// check and a copy call per piece cost more than the text itself. A writer
// that ends without Finish (an error part-way) leaves the items written so far.
class ListingWriter {
 public:
  ListingWriter(std::string& listing, std::size_t expectedItems);
  ListingWriter(const ListingWriter&) = delete;
  ListingWriter& operator=(const ListingWriter&) = delete;
  ~ListingWriter() { listing_.resize(end_); }

  void Add(std::string_view item) {
    // The separator in front of every item but the first is the one that
    // follows the item before it.
    static constexpr char kSeparator[] = {',', ' ', '\r', '\n'};
    char* out = Room(sizeof kSeparator + item.size());
    if (items_ != 0) {
      std::memcpy(out, kSeparator, sizeof kSeparator);
      out += items_ % kItemsPerLine == 0 ? sizeof kSeparator : 2;
    }
    ++items_;
    // Most items are "0x" and two digits: a fixed-size copy is a single move.
    if (item.size() == kTypicalItemSize) {
      std::memcpy(out, item.data(), kTypicalItemSize);
    } else {
      std::memcpy(out, item.data(), item.size());
    }
    end_ = static_cast<std::size_t>(out - listing_.data()) + item.size();
  }

  // Ends the listing with CR LF and "};".
  void Finish();

 private:
  static constexpr std::size_t kTypicalItemSize = 4;

  char* Room(std::size_t size) {
    if (listing_.size() - end_ < size) Grow(size);
    return listing_.data() + end_;
  }
  void Grow(std::size_t size);

  std::string& listing_;
  std::size_t end_;
  std::size_t items_ = 0;
};

}  // namespace lumivane
