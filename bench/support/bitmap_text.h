#pragma once

#include <cstddef>
#include <string>

#include "xbm_writer.h"

namespace lumivane::bench {

using test::Bytes;

// A whole 128 by 64 OLED screen, as the benchmarks' files declare it.
inline constexpr test::XbmSize kScreenSize{128, 64};

// Bytes of a display image: bands of 0x00 and 0xFF between patterned bytes.
Bytes ImageBytes(std::size_t count, unsigned seed);

// An XBM text of exactly `size` characters (padded with blanks before "};").
std::string XbmTextOfSize(const std::string& name, std::size_t size, unsigned seed);

// A small icon: an XBM text of 1,024 characters.
std::string IconText(const std::string& name, unsigned seed);

// A whole screen: 1,024 bytes.
std::string ScreenText(const std::string& name, unsigned seed);

}  // namespace lumivane::bench
