#include "read_back_command.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
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

// A header is read whole, up to the size a source may have: the scanning
// reader of sources would stop at a collection of more literals than one
// bitmap may hold.
std::string ReadHeader(const std::string& path) {
  const std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"),
                                                                std::fclose);
  if (!file) throw SystemError(errno, path);
  std::string text;
  char chunk[65536];
  for (std::size_t read; (read = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) {
    text.append(chunk, read);
    if (text.size() > kLargestSource) throw SystemError(EFBIG, path);
  }
  if (std::ferror(file.get())) throw SystemError(errno, path);
  return text;
}

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
      const std::string header = ReadHeader(path);
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
    std::fflush(stdout);
    PrintErrorLine(error.what());
    return kExitFailure;
  }
  return kExitSuccess;
}

}  // namespace lumivane::cli
