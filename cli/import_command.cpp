#include "import_command.h"

#include <cstdio>
#include <set>

#include "app_error.h"
#include "convert_command.h"
#include "file_order.h"
#include "half_block_preview.h"
#include "import.h"
#include "native_files.h"
#include "path_rules.h"
#include "terminal_text.h"

namespace lumivane::cli {
namespace {

// A bitmap the drop reads at `xbmPath` instead of the file there.
struct ServedBitmap {
  std::string xbmPath;
  std::string text;
  SourceOrigin image;
};

// An image whose frames' headers become one header.
struct Animation {
  std::string header;
  std::string name;
  std::vector<std::string> frameHeaders;
  std::vector<std::string> frameNames;
  std::vector<int> delaysMs;
};

// What the drop will be given, and what it reads instead of the files.
struct ImportedDrop {
  std::vector<std::string> dropped;
  std::vector<ServedBitmap> bitmaps;
  std::vector<Animation> animations;
};

void ShowPreview(const imaging::ImportedBitmap& imported) {
  const std::string name = IsTerminal(stderr) ? EscapeControls(imported.name) : imported.name;
  const std::string text = name + " (" + std::to_string(imported.bitmap.width) + " x " +
                           std::to_string(imported.bitmap.height) + ")\n" +
                           HalfBlockPreview(imported.bitmap);
  std::fwrite(text.data(), 1, text.size(), stderr);
}

ImportedDrop ImportAll(const std::vector<std::string>& paths, const ImportOptions& options) {
  ImportedDrop drop;
  std::set<std::string> taken;
  const auto take = [&](const std::string& xbmPath, const std::string& source) {
    if (!taken.insert(xbmPath).second) {
      throw AppError(error::kImageNameTaken,
                     "Another image or bitmap is also " + xbmPath + ": " + source);
    }
    drop.dropped.push_back(xbmPath);
  };
  for (const std::string& argument : paths) {
    const std::string path = DropPath(argument);
    // Any .XBM goes to the drop, which skips all but .xbm as a plain run does.
    if (FoldedName(ExtName(path)) == kBitmapExtension) {
      take(path, path);
      continue;
    }
    const SourceFile image = ReadBoundedFile(path);
    Animation animation;
    for (imaging::ImportedBitmap& imported :
         imaging::ImportImage(image.text, path, options.settings)) {
      if (options.preview) ShowPreview(imported);
      const std::string xbmPath = JoinPath(DirName(path), imported.name + ".xbm");
      take(xbmPath, path);
      animation.frameHeaders.push_back(HeaderPath(xbmPath));
      animation.frameNames.push_back(imported.name);
      animation.delaysMs.push_back(imported.delayMs);
      drop.bitmaps.push_back({xbmPath, std::move(imported.xbmText), {path, image.identity}});
    }
    if (!options.animation) continue;
    // One frame is named as the image is; several NAME_0, NAME_1...
    const std::string& first = animation.frameNames.front();
    animation.name = animation.frameNames.size() == 1 ? first : first.substr(0, first.rfind('_'));
    animation.header = HeaderPath(JoinPath(DirName(path), animation.name + ".xbm"));
    drop.animations.push_back(std::move(animation));
  }
  return drop;
}

}  // namespace

int ImportPaths(const std::vector<std::string>& paths, const ImportOptions& importOptions,
                const ConvertOptions& options) {
  const std::unique_ptr<CliPlatform> platform = MakePlatform(options);
  ImportedDrop drop;
  try {
    ImportOptions imports = importOptions;
    imports.settings.conversion = options.choice;
    drop = ImportAll(paths, imports);
    for (Animation& animation : drop.animations) {
      platform->Animations().Add(std::move(animation.header), std::move(animation.name),
                                 std::move(animation.frameHeaders), std::move(animation.frameNames),
                                 std::move(animation.delaysMs));
    }
    for (ServedBitmap& bitmap : drop.bitmaps) {
      platform->ServeText(bitmap.xbmPath, std::move(bitmap.text), std::move(bitmap.image),
                          importOptions.writeXbm);
    }
  } catch (const AppError& error) {
    PrintErrorLine(error.what());
    return kExitFailure;
  }
  return DropPaths(*platform, std::move(drop.dropped), options);
}

}  // namespace lumivane::cli
