#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "byte_layout.h"

namespace lumivane::test {

// What a display gets from an imported bitmap: the XBM text converted as a
// ".xbm" file would be (in the chosen layout), its listing read back and,
// unless uncompressed, expanded with the display's decoder header.
std::vector<std::uint8_t> HeaderBits(const std::string& name, const std::string& xbmText,
                                     ConversionChoice choice = {});

}  // namespace lumivane::test
