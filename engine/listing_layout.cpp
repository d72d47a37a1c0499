#include "listing_layout.h"

#include <algorithm>

namespace lumivane {

std::string DeclarationLine(std::string_view arrayName) {
  constexpr std::string_view kHead = "const unsigned char ";
  constexpr std::string_view kTail = "[] U8X8_PROGMEM = {";
  std::string line;
  line.reserve(kHead.size() + arrayName.size() + kTail.size() + kLineEnd.size());
  line.append(kHead).append(arrayName).append(kTail).append(kLineEnd);
  return line;
}

ListingWriter::ListingWriter(std::string& listing, std::size_t expectedItems)
    : listing_(listing), end_(listing.size()) {
  // "0x3C, " and a line end every 16 items, with a little to spare.
  constexpr std::size_t kRoomPerItem = 7;
  listing_.resize(end_ + expectedItems * kRoomPerItem + kListingEnd.size());
}

void ListingWriter::Finish() {
  listing_.resize(end_);
  listing_.append(kListingEnd);
  end_ = listing_.size();
}

void ListingWriter::Grow(std::size_t size) {
  listing_.resize(std::max(listing_.size() * 2, end_ + size));
}

}  // namespace lumivane
