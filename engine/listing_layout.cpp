#include "listing_layout.h"

#include <array>
#include <cstring>

#include "hex_text.h"

namespace lumivane {
namespace {

constexpr std::string_view kLiteralPrefix = "0x";
constexpr std::string_view kSeparator = ", ";

// "0xHH, \r\n" for every byte: one 8-byte copy writes a literal with its
// separator, and the line end too where a line is full (else the next
// literal overwrites it).
using Entry = std::array<char, 8>;
constexpr std::array<Entry, 256> kEntries = [] {
  std::array<Entry, 256> entries{};
  for (std::size_t value = 0; value < entries.size(); ++value) {
    entries[value] = {'0',  'x', kHexDigits[value >> 4], kHexDigits[value & 0xF], ',', ' ',
                      '\r', '\n'};
  }
  return entries;
}();
constexpr std::size_t kByteLiteralSize = 4;
constexpr std::size_t kSeparatorSize = 2;
constexpr std::size_t kLineBreakSize = 4;  // the separator and CR LF

std::size_t SeparatorsSize(std::size_t items) {
  if (items == 0) return 0;
  return (items - 1) * kSeparator.size() + (items - 1) / kItemsPerLine * kLineEnd.size();
}

}  // namespace

std::string DeclarationLine(std::string_view arrayName) {
  constexpr std::string_view kHead = "const unsigned char ";
  constexpr std::string_view kTail = "[] U8X8_PROGMEM = {";
  std::string line;
  line.reserve(kHead.size() + arrayName.size() + kTail.size() + kLineEnd.size());
  line.append(kHead).append(arrayName).append(kTail).append(kLineEnd);
  return line;
}

void Listing(const WorkList& list, std::string& listing) {
  const std::string first = list.Item(0);
  const auto items = static_cast<std::size_t>(list.Count() > 0 ? list.Count() - 1 : 0);
  const std::size_t prefix = list.BytePrefix().size();
  const std::size_t itemsText = list.TextSize() - first.size() - items * prefix;
  const std::size_t size = first.size() + items * kLiteralPrefix.size() + itemsText +
                           SeparatorsSize(items) + kListingEnd.size();

  listing.clear();
  listing.resize(size);
  char* out = listing.data();
  std::memcpy(out, first.data(), first.size());
  out += first.size();

  const std::span<const std::uint8_t> bytes = list.Bytes();
  const std::span<const WorkList::TextItem> texts = list.TextItems();
  std::size_t nextText = 0;
  while (nextText < texts.size() && texts[nextText].position < 1) ++nextText;
  for (std::size_t position = 1; position <= items; ++position) {
    const bool last = position == items;
    if (nextText < texts.size() && static_cast<std::size_t>(texts[nextText].position) == position) {
      const std::string_view digits = list.Text(texts[nextText++]).substr(prefix);
      std::memcpy(out, kLiteralPrefix.data(), kLiteralPrefix.size());
      std::memcpy(out + kLiteralPrefix.size(), digits.data(), digits.size());
      out += kLiteralPrefix.size() + digits.size();
      if (!last) {
        std::memcpy(out, kEntries[0].data() + kByteLiteralSize, kLineBreakSize);
        out += position % kItemsPerLine == 0 ? kLineBreakSize : kSeparatorSize;
      }
      continue;
    }
    // The 8-byte copy never runs past the text: at least the listing's end,
    // four bytes, follows every literal.
    std::memcpy(out, kEntries[bytes[position]].data(), sizeof(Entry));
    out += kByteLiteralSize;
    if (!last) out += position % kItemsPerLine == 0 ? kLineBreakSize : kSeparatorSize;
  }
  std::memcpy(out, kListingEnd.data(), kListingEnd.size());
}

}  // namespace lumivane
