#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "import.h"

namespace lumivane::imaging {

// One decoding library behind one object: the constructor reads the header
// only, DeclaredSize() says what it declares, and Decode() is called only
// once that size has been accepted. Errors name no file: the caller adds it.
class ImageReader {
 public:
  virtual ~ImageReader() = default;
  virtual Size DeclaredSize() const = 0;
  virtual std::vector<GrayFrame> Decode() = 0;
};

enum class ImageFormat { kPng, kGif, kJpeg, kBmp, kNetpbm };

// Told by the first bytes, never by the file name.
std::optional<ImageFormat> FormatOf(std::string_view bytes);

// The reader for the format the first bytes tell.
std::unique_ptr<ImageReader> OpenImage(std::string_view bytes);

std::unique_ptr<ImageReader> OpenPng(std::string_view bytes);
std::unique_ptr<ImageReader> OpenGif(std::string_view bytes);
std::unique_ptr<ImageReader> OpenJpeg(std::string_view bytes);
std::unique_ptr<ImageReader> OpenBmp(std::string_view bytes);
// PBM, PGM and PPM, plain and binary.
std::unique_ptr<ImageReader> OpenNetpbm(std::string_view bytes);

}  // namespace lumivane::imaging
