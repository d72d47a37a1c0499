#include "import_image.h"

#include "image_decoder.h"
#include "image_limits.h"
#include "to_bitmap.h"
#include "xbm_text.h"

namespace lumivane::imaging {

std::string ArrayNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::string_view leaf = slash == std::string_view::npos ? path : path.substr(slash + 1);
  return std::string(leaf.substr(0, leaf.find('.')));
}

std::vector<ImportedBitmap> ImportImage(std::string_view bytes, std::string_view path,
                                        const ImportSettings& settings) {
  const ImageSize declared = ReadImageSize(bytes, path);
  CheckDecodable(declared, path);
  CheckResultFits(declared, settings, path);
  return ImportFrames(DecodeImage(bytes, path), path, settings);
}

std::vector<ImportedBitmap> ImportFrames(const std::vector<GrayFrame>& frames,
                                         std::string_view path, const ImportSettings& settings) {
  const std::string name = ArrayNameOf(path);
  std::vector<ImportedBitmap> bitmaps;
  bitmaps.reserve(frames.size());
  for (std::size_t i = 0; i < frames.size(); ++i) {
    ImportedBitmap imported;
    imported.name = frames.size() == 1 ? name : name + "_" + std::to_string(i);
    imported.bitmap = ToBitmap(frames[i], settings, path);
    imported.xbmText = XbmText(imported.bitmap, imported.name);
    imported.delayMs = frames[i].delayMs;
    bitmaps.push_back(std::move(imported));
  }
  return bitmaps;
}

}  // namespace lumivane::imaging
