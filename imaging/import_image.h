#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "image_types.h"
#include "import_settings.h"

namespace lumivane::imaging {

// One bitmap made of an image: the name its XBM text declares (and the
// ".xbm" it stands for), the text, and the bits it holds.
struct ImportedBitmap {
  std::string name;
  std::string xbmText;
  Bitmap bitmap;
  // How long an animation shows it, 0 where the image does not say.
  int delayMs = 0;
};

// The array name of an image: its file name (without folder) up to the first dot.
std::string ArrayNameOf(std::string_view path);

// Makes the bitmaps of an image file's bytes: one, or one a frame of an
// animated GIF, named NAME_0, NAME_1 and so on. The declared size is checked
// against the limits before anything is decoded. `path` names the file in
// every error.
std::vector<ImportedBitmap> ImportImage(std::string_view bytes, std::string_view path,
                                        const ImportSettings& settings);

// The same for frames decoded before (the window keeps them while the
// settings change).
std::vector<ImportedBitmap> ImportFrames(const std::vector<GrayFrame>& frames,
                                         std::string_view path, const ImportSettings& settings);

}  // namespace lumivane::imaging
