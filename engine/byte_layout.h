#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace lumivane {

// How a header's bytes are arranged, for the drawing call that reads them.
// A bitmap is read in XBM's layout; one step re-arranges its bytes, and the
// run code (or none, uncompressed) then works on them as on XBM's.
//
//   layout    bytes                                     read by
//   xbm       rows top to bottom, each padded to whole  u8g2 drawXBM/drawXBMP,
//             bytes, leftmost pixel in bit 0            Adafruit GFX and TFT_eSPI
//                                                       drawXBitmap, ESP8266
//                                                       SSD1306 drawXbm
//   rows-msb  the same rows, leftmost pixel in bit 7    u8g2 drawBitmap, Adafruit
//                                                       GFX and TFT_eSPI drawBitmap,
//                                                       GxEPD2 drawImage/drawBitmap
//   pages     pages of 8 rows top to bottom (the last   SSD1306/SH1106 display
//             padded with unset rows), each page one    memory, u8x8 drawTile (8
//             byte per column left to right, the        bytes are one 8 x 8 tile),
//             page's top row in bit 0                   ESP8266 SSD1306 drawFastImage
enum class ByteLayout { kXbm, kRowsMsb, kPages };

struct ByteLayoutName {
  ByteLayout layout;
  std::string_view name;
};

inline constexpr std::array<ByteLayoutName, 3> kByteLayoutNames{{
    {ByteLayout::kXbm, "xbm"},
    {ByteLayout::kRowsMsb, "rows-msb"},
    {ByteLayout::kPages, "pages"},
}};

std::optional<ByteLayout> ByteLayoutNamed(std::string_view name);
std::string_view NameOf(ByteLayout layout);

// What a conversion writes besides XBM's compressed bytes. The default is
// the header as it always was.
struct ConversionChoice {
  ByteLayout layout = ByteLayout::kXbm;
  // Every byte as it is, without the run code.
  bool uncompressed = false;

  bool operator==(const ConversionChoice&) const = default;
};

// The number of bytes a width x height bitmap takes in `layout`.
std::int64_t ArrangedSize(ByteLayout layout, std::int64_t width, std::int64_t height);

// XBM's bytes of a width x height bitmap, which must be exactly
// ArrangedSize(kXbm, ...) long, as `layout` arranges them.
std::vector<std::uint8_t> ArrangeBytes(std::span<const std::uint8_t> xbm, int width, int height,
                                       ByteLayout layout);

// Back again: XBM's bytes of `arranged`, which must be exactly
// ArrangedSize(layout, ...) long. Padding bits come out unset.
std::vector<std::uint8_t> XbmBytesOf(std::span<const std::uint8_t> arranged, int width, int height,
                                     ByteLayout layout);

}  // namespace lumivane
