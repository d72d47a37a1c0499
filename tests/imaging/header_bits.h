#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane::test {

// What a display gets from an imported bitmap: the XBM text converted as a
// ".xbm" file would be, its compressed listing read back and expanded with
// the display's decoder header.
std::vector<std::uint8_t> HeaderBits(const std::string& name, const std::string& xbmText);

}  // namespace lumivane::test
