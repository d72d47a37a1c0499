#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "work_list.h"

namespace lumivane {

// Both listings share one layout: items joined by ", ", a line end after the
// separator that follows every 16th item, then CR LF and "};".
inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::string_view kListingEnd = "\r\n};";
inline constexpr std::size_t kItemsPerLine = 16;

std::string DeclarationLine(std::string_view arrayName);

// The listing of a work list: its first item (the declaration line), then
// every further item as a literal, "0x" and the item's digits (the item
// without the list's prefix), in that layout. The text is sized exactly
// before it is written: in tens of thousands of short items, a capacity check
// and a copy call per piece would cost more than the text itself. It replaces
// the text of `listing` but keeps its room, so a batch lists file after file
// into the same memory.
void Listing(const WorkList& list, std::string& listing);

}  // namespace lumivane
