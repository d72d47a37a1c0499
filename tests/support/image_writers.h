#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane::test {

// A picture to write: one grey (or palette index) a pixel and, when not
// empty, an opacity a pixel.
struct GreyPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> grey;
  std::vector<std::uint8_t> alpha;
};

enum class PngKind { kGrey8, kGreyAlpha8, kGrey16, kPalette, kInterlaced };

// Files as other programs write them, made with the formats' own encoders
// (libspng, giflib) or, for the simplest formats, by hand.
std::string WritePng(const GreyPicture& picture, PngKind kind);
// Every frame the same size; palette of 256 greys; each frame's delay in
// hundredths of a second, when given.
std::string WriteGif(const std::vector<GreyPicture>& frames, const std::vector<int>& delays = {});
// 24-bit uncompressed, bottom-up rows.
std::string WriteBmp(const GreyPicture& picture);
// Greyscale baseline JPEG at the given quality.
std::string WriteJpeg(const GreyPicture& picture, int quality);
// Binary bitmap ("P4"): a pixel darker than 128 is black.
std::string WritePbm(const GreyPicture& picture);

}  // namespace lumivane::test
