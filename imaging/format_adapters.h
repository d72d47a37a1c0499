#pragma once

#include <string_view>
#include <vector>

#include "image_types.h"

// One pair of functions per decoding library. The size is read from the
// header alone; a decoder is called only once that size has been accepted,
// and raises on anything it cannot decode. Each returns its frames as
// luminance and opacity.
namespace lumivane::imaging {

ImageSize PngSize(std::string_view bytes, std::string_view fileName);
std::vector<GrayFrame> DecodePng(std::string_view bytes, std::string_view fileName);

ImageSize JpegSize(std::string_view bytes, std::string_view fileName);
std::vector<GrayFrame> DecodeJpeg(std::string_view bytes, std::string_view fileName);

ImageSize GifSize(std::string_view bytes, std::string_view fileName);
std::vector<GrayFrame> DecodeGif(std::string_view bytes, std::string_view fileName);

// BMP, and binary PGM and PPM.
ImageSize StbSize(std::string_view bytes, std::string_view fileName);
std::vector<GrayFrame> DecodeStb(std::string_view bytes, std::string_view fileName);

// PBM, plain and binary: the one-bit format the other libraries leave out.
ImageSize PbmSize(std::string_view bytes, std::string_view fileName);
std::vector<GrayFrame> DecodePbm(std::string_view bytes, std::string_view fileName);

}  // namespace lumivane::imaging
