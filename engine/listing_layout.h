#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumivane {

// Both listings share one layout: items joined by ", ", a line end after the
// separator that follows every 16th item, then CR LF and "};".
inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::string_view kItemSeparator = ", ";
inline constexpr std::string_view kListingEnd = "\r\n};";
inline constexpr std::int32_t kItemsPerLine = 16;

std::string DeclarationLine(std::string_view arrayName);

// Appends what follows item `index` (from 1) of `count` items.
inline void AppendItemSeparator(std::string& listing, std::int32_t index, std::int32_t count) {
  if (index >= count) return;
  listing.append(kItemSeparator);
  if (index % kItemsPerLine == 0) listing.append(kLineEnd);
}

}  // namespace lumivane
