#include <algorithm>

#include "image_reader.h"
#include "import.h"
#include "import_errors.h"
#include "import_limits.h"
#include "luminance.h"

namespace lumivane::imaging {
namespace {

#ifdef _WIN32
constexpr std::string_view kFolderSeparators = "\\/";
#else
constexpr std::string_view kFolderSeparators = "/";
#endif

// Runs an import step; its failure names the file.
template <typename Step>
auto NamingFile(std::string_view path, const Step& step) {
  try {
    return step();
  } catch (const AppError& error) {
    throw WithFileName(error, path);
  }
}

std::unique_ptr<ImageReader> Open(std::string_view bytes, const ImportSettings* settings) {
  std::unique_ptr<ImageReader> reader = OpenImage(bytes);
  const Size declared = reader->DeclaredSize();
  CheckDecodable(declared);
  if (settings != nullptr) CheckResultFits(declared, *settings);
  return reader;
}

}  // namespace

std::string ArrayNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of(kFolderSeparators);
  std::string_view leaf = slash == std::string_view::npos ? path : path.substr(slash + 1);
  leaf.remove_prefix(std::min(leaf.find_first_not_of('.'), leaf.size()));
  std::string name(leaf.substr(0, leaf.find('.')));
  for (char& c : name) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    if (!letter && !(c >= '0' && c <= '9')) c = '_';
  }
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) name.insert(0, 1, '_');
  return name;
}

std::optional<ImageFormat> FormatOf(std::string_view bytes) {
  if (bytes.starts_with("\x89PNG\r\n\x1a\n")) return ImageFormat::kPng;
  if (bytes.starts_with("GIF87a") || bytes.starts_with("GIF89a")) return ImageFormat::kGif;
  if (bytes.starts_with("\xff\xd8\xff")) return ImageFormat::kJpeg;
  if (bytes.starts_with("BM")) return ImageFormat::kBmp;
  if (bytes.size() >= 2 && bytes[0] == 'P' && bytes[1] >= '1' && bytes[1] <= '6') {
    return ImageFormat::kNetpbm;
  }
  return std::nullopt;
}

bool IsImage(std::string_view bytes) {
  return FormatOf(bytes).has_value();
}

void CheckImportable(std::string_view bytes, std::string_view path,
                     const ImportSettings& settings) {
  NamingFile(path, [&] { Open(bytes, &settings); });
}

std::vector<GrayFrame> DecodeImage(std::string_view bytes, std::string_view path) {
  return NamingFile(path, [&] { return Open(bytes, nullptr)->Decode(); });
}

std::vector<ImportedBitmap> ImportImage(std::string_view bytes, std::string_view path,
                                        const ImportSettings& settings) {
  return ImportFrames(NamingFile(path, [&] { return Open(bytes, &settings)->Decode(); }), path,
                      settings);
}

std::vector<ImportedBitmap> ImportFrames(const std::vector<GrayFrame>& frames,
                                         std::string_view path, const ImportSettings& settings) {
  const std::string name = ArrayNameOf(path);
  std::vector<ImportedBitmap> bitmaps;
  bitmaps.reserve(frames.size());
  for (std::size_t i = 0; i < frames.size(); ++i) {
    ImportedBitmap imported;
    imported.name = frames.size() == 1 ? name : name + "_" + std::to_string(i);
    imported.bitmap = NamingFile(path, [&] { return ToBitmap(frames[i], settings); });
    imported.xbmText = XbmText(imported.bitmap, imported.name);
    imported.delayMs = frames[i].delayMs;
    bitmaps.push_back(std::move(imported));
  }
  return bitmaps;
}

GrayFrame FrameFromRgba(int width, int height, std::span<const std::uint8_t> rgba) {
  if (width <= 0 || height <= 0 ||
      rgba.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
    throw AppError::InvalidArgument();
  }
  GrayFrame frame{{width, height, {}}, Plane{width, height, {}}};
  const std::size_t count = rgba.size() / 4;
  frame.luminance.values.resize(count);
  frame.alpha->values.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* pixel = &rgba[i * 4];
    frame.luminance.values[i] = Luminance(pixel[0], pixel[1], pixel[2]);
    frame.alpha->values[i] = pixel[3];
  }
  if (std::all_of(frame.alpha->values.begin(), frame.alpha->values.end(),
                  [](std::uint8_t alpha) { return alpha == 255; })) {
    frame.alpha.reset();
  }
  return frame;
}

}  // namespace lumivane::imaging
