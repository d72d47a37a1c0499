#include "image_decoder.h"

#include "format_adapters.h"
#include "image_limits.h"
#include "import_errors.h"

namespace lumivane::imaging {
namespace {

struct Adapter {
  ImageSize (*size)(std::string_view, std::string_view);
  std::vector<GrayFrame> (*decode)(std::string_view, std::string_view);
};

Adapter AdapterFor(std::string_view bytes, std::string_view fileName) {
  const std::optional<ImageFormat> format = DetectFormat(bytes);
  if (!format) throw FormatUnknownError(fileName);
  switch (*format) {
    case ImageFormat::kPng:
      return {PngSize, DecodePng};
    case ImageFormat::kGif:
      return {GifSize, DecodeGif};
    case ImageFormat::kJpeg:
      return {JpegSize, DecodeJpeg};
    case ImageFormat::kPbm:
      return {PbmSize, DecodePbm};
    case ImageFormat::kBmp:
    case ImageFormat::kGraymap:
      break;
  }
  return {StbSize, DecodeStb};
}

}  // namespace

std::optional<ImageFormat> DetectFormat(std::string_view bytes) {
  if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return ImageFormat::kPng;
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return ImageFormat::kGif;
  if (bytes.starts_with("\xff\xd8\xff")) return ImageFormat::kJpeg;
  if (bytes.starts_with("BM")) return ImageFormat::kBmp;
  if (bytes.starts_with("P1") || bytes.starts_with("P4")) return ImageFormat::kPbm;
  if (bytes.starts_with("P5") || bytes.starts_with("P6")) return ImageFormat::kGraymap;
  return std::nullopt;
}

ImageSize ReadImageSize(std::string_view bytes, std::string_view fileName) {
  return AdapterFor(bytes, fileName).size(bytes, fileName);
}

std::vector<GrayFrame> DecodeImage(std::string_view bytes, std::string_view fileName) {
  const Adapter adapter = AdapterFor(bytes, fileName);
  CheckDecodable(adapter.size(bytes, fileName), fileName);
  return adapter.decode(bytes, fileName);
}

}  // namespace lumivane::imaging
