#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "image_types.h"

namespace lumivane::imaging {

enum class ImageFormat { kPng, kGif, kJpeg, kBmp, kPbm, kGraymap };

// Told by the file's first bytes, never by its name.
std::optional<ImageFormat> DetectFormat(std::string_view bytes);

// The size its header declares; raises for an unknown format or a damaged header.
ImageSize ReadImageSize(std::string_view bytes, std::string_view fileName);

// Every frame (several only for an animated GIF). The header is checked
// against the decoding limits before any pixel is decoded.
std::vector<GrayFrame> DecodeImage(std::string_view bytes, std::string_view fileName);

}  // namespace lumivane::imaging
