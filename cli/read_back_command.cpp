#include "read_back_command.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app_error.h"
#include "convert_command.h"
#include "half_block_preview.h"
#include "header_pictures.h"
#include "native_files.h"
#include "path_rules.h"
#include "png_file.h"
#include "system_error.h"
#include "terminal_text.h"

namespace lumivane::cli {
namespace {

imaging::Bitmap BitmapOf(HeaderPicture picture) {
  return {picture.width, picture.height, std::move(picture.xbm)};
}

void Show(const imaging::Bitmap& bitmap, const std::string& name) {
  std::string text =
      name + " (" + std::to_string(bitmap.width) + " x " + std::to_string(bitmap.height) + ")\n";
  if (IsTerminal(stdout)) text = EscapeControls(text);
  text += HalfBlockPreview(bitmap);
  std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace

int ReadBackHeaders(const std::vector<std::string>& paths, const ReadBackOptions& options,
                    const ConversionChoice& choice) {
  try {
    if (!options.pngFolder.empty()) {
      std::error_code failure;
      std::filesystem::create_directories(options.pngFolder, failure);
      if (failure) throw SystemError(failure.value(), options.pngFolder);
    }
    for (const std::string& path : paths) {
      const std::string header = ReadBoundedFile(path).text;
      for (HeaderPicture& picture : HeaderPictures(header, path, choice, options.size)) {
        const std::string name = picture.name;
        const imaging::Bitmap bitmap = BitmapOf(std::move(picture));
        if (options.show) Show(bitmap, name);
        if (!options.pngFolder.empty()) {
          const std::string png = JoinPath(options.pngFolder, name + ".png");
          const SourceOrigin origin{path, std::nullopt};
          ReplaceFileWhole(png, PngFileBytes(bitmap, png), &origin);
        }
      }
    }
  } catch (const AppError& error) {
    PrintErrorLine(error.what());
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace lumivane::cli
