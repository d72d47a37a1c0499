#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumivane::fuzz {

// The items of a listing ("0x" and at least two upper-case hex digits each),
// when its whole layout holds: `declaration`, the items joined by ", " with
// CR LF after the separator that follows every 16th item, then CR LF and
// "};" with nothing after it. Nothing when any of that is broken.
std::optional<std::vector<std::string>> ListingItems(std::string_view listing,
                                                     std::string_view declaration);

}  // namespace lumivane::fuzz
