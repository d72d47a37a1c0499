#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lumivane::bench {

using Bytes = std::vector<unsigned char>;

// Bytes of a display image: bands of 0x00 and 0xFF between patterned bytes.
Bytes ImageBytes(std::size_t count, unsigned seed);

// The bytes as an XBM file writes them, twelve lower-case literals a line.
std::string XbmText(const std::string& name, const Bytes& bytes);

// An XBM text of exactly `size` characters (padded with blanks before "};").
std::string XbmTextOfSize(const std::string& name, std::size_t size, unsigned seed);

// A small icon: an XBM text of 1,024 characters.
std::string IconText(const std::string& name, unsigned seed);

// A whole 128 by 64 OLED screen: 1,024 bytes.
std::string ScreenText(const std::string& name, unsigned seed);

}  // namespace lumivane::bench
