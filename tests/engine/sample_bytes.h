#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane::test {

// The byte texts a conversion should list for these bytes ("00", "3C").
std::vector<std::string> ByteTexts(const std::vector<std::uint8_t>& bytes);

// Bytes that mix random values with runs of 0x00 and 0xFF of 1 to 600 bytes,
// so long runs, short runs and runs that touch each other all occur. The same
// seed gives the same bytes with every standard library.
std::vector<std::uint8_t> MixedBytes(std::size_t length, std::uint32_t seed);

}  // namespace lumivane::test
