#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumivane::test {

// A listing taken apart: the array name of its declaration line and its items
// without the "0x" prefix ("3C", "0100").
struct ParsedListing {
  std::string arrayName;
  std::vector<std::string> items;
};

// Reads a listing back while checking its layout: the declaration line, items
// "0x" + upper-case hexadecimal joined by ", ", CR LF after the separator of
// every 16th item, then CR LF and "};" with nothing after it. Throws
// std::invalid_argument naming the offset of the first departure.
ParsedListing ParseListing(std::string_view text);

// The value of an item; throws when it does not fit one byte.
std::uint8_t ItemByte(const std::string& item);

// Expands (byte, extra repeats) pairs for 0x00 and 0xFF as the display does;
// every other item stands for itself. Throws on an item above 0xFF or on a run
// byte without its count.
std::vector<std::uint8_t> DecodeRuns(const std::vector<std::string>& items);

}  // namespace lumivane::test
