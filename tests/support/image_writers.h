#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane::test {

// A picture to write: one grey (or palette index) a pixel and, when not
// empty, an opacity a pixel and a colour (red, green, blue) a pixel, which
// then stands instead of the grey where the format has colour.
struct GreyPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> grey;
  std::vector<std::uint8_t> alpha;
  std::vector<std::uint8_t> rgb = {};
};

// A frame of an animation: where it lies on the screen, what is done with it
// before the next (GIF's disposal: 1 keep, 2 background, 3 previous) and its
// delay in hundredths of a second.
// A pixel of opacity 0 is written as the transparent index 1 (an opaque
// grey 1 as 0).
struct GifFrame {
  GreyPicture picture;
  int left = 0;
  int top = 0;
  int disposal = 0;
  int delay = 0;
};

enum class PngKind { kGrey8, kGreyAlpha8, kGrey16, kPalette, kInterlaced, kRgb8 };

// Files as other programs write them, made with the formats' own encoders
// (libspng, giflib) or, for the simplest formats, by hand.
std::string WritePng(const GreyPicture& picture, PngKind kind);
// Every frame the same size; palette of 256 greys, or of the colours of the
// first frame's pixels (at most 256); each frame's delay in hundredths of a
// second, when given.
std::string WriteGif(const std::vector<GreyPicture>& frames, const std::vector<int>& delays = {});
// On a screen of the given size, each frame with a graphics control block
// (disposal, transparency, a delay), interlaced when asked.
std::string WriteGif(int width, int height, const std::vector<GifFrame>& frames, bool interlaced);
// Uncompressed, bottom-up rows: 24-bit, or 32-bit with the opacity.
std::string WriteBmp(const GreyPicture& picture, int depth = 24);
// JPEG at the given quality, baseline or progressive: greyscale, or colour (RGB,
// or CMYK as Adobe writes it, the inks inverted, when `rgb` holds four bytes a pixel).
std::string WriteJpeg(const GreyPicture& picture, int quality, bool progressive = false);
// Binary bitmap ("P4"): a pixel darker than 128 is black.
std::string WritePbm(const GreyPicture& picture);

// A BMP with Windows' 40-byte header, then the palette (or colour masks) and
// the pixel data as given.
std::string BmpFile(int width, int height, int depth, int compression, const std::string& palette,
                    const std::string& pixels);
// The value's lowest bytes, least significant first.
std::string Little(std::uint32_t value, int bytes);

}  // namespace lumivane::test
