#include "listing_shape.h"

namespace lumivane::fuzz {
namespace {

constexpr std::string_view kEnd = "\r\n};";

bool IsUpperHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool Consume(std::string_view& text, std::string_view expected) {
  if (!text.starts_with(expected)) return false;
  text.remove_prefix(expected.size());
  return true;
}

std::optional<std::string> ConsumeItem(std::string_view& text) {
  if (!text.starts_with("0x")) return std::nullopt;
  std::size_t length = 2;
  while (length < text.size() && IsUpperHexDigit(text[length])) ++length;
  if (length < 4) return std::nullopt;
  std::string item(text.substr(0, length));
  text.remove_prefix(length);
  return item;
}

}  // namespace

std::optional<std::vector<std::string>> ListingItems(std::string_view listing,
                                                     std::string_view declaration) {
  if (!Consume(listing, declaration)) return std::nullopt;
  std::vector<std::string> items;
  if (listing == kEnd) return items;
  for (;;) {
    std::optional<std::string> item = ConsumeItem(listing);
    if (!item) return std::nullopt;
    items.push_back(std::move(*item));
    if (listing == kEnd) return items;
    if (!Consume(listing, ", ")) return std::nullopt;
    if (items.size() % 16 == 0 && !Consume(listing, "\r\n")) return std::nullopt;
  }
}

}  // namespace lumivane::fuzz
