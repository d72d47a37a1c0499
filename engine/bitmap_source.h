#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace lumivane {

// The number of the first "#define ..._<suffix> N" line of a bitmap's text,
// as it is written there.
std::optional<std::string_view> DefinedNumber(std::string_view text, std::string_view suffix);

struct BitmapSize {
  int width = 0;
  int height = 0;
};

// The size from the text's "_width" and "_height" defines, when it has both.
std::optional<BitmapSize> DefinedSize(std::string_view text);

// An X10 bitmap declares its array "short": each literal holds two bytes.
bool IsX10Bitmap(std::string_view text);

// The bytes of a bitmap's literals, in XBM's layout, as X11's reader takes
// them. X10's literals give their low byte, then the high one; where the row
// needs one byte fewer than its literals hold, the last literal's high byte
// is padding and dropped (known from the width; without one, kept). A
// literal beyond a byte in an X11 text raises the invalid-argument error
// naming `fileName`.
std::vector<std::uint8_t> BitmapBytes(std::string_view text, std::string_view fileName);

}  // namespace lumivane
