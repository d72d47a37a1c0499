// The page's way into the conversion: the files it was given stand in for a
// file system, and the drop batch runs on them as it does for the window and
// the command line. A folder is a drop of that folder (its .xbm files and
// allFiles.h); files are a drop of those files, where images are first
// imported into NAME.xbm beside them, as `lumivane-cli --import` does.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "animation_gathering.h"
#include "app_error.h"
#include "byte_layout.h"
#include "conversion_state.h"
#include "drop_data.h"
#include "error_box.h"
#include "file_order.h"
#include "image_import.h"
#include "import.h"
#include "memory_surface.h"
#include "native_files.h"
#include "path_rules.h"
#include "workflows.h"

namespace lumivane::web {
namespace {

using emscripten::val;

// File failures with the numbers and texts of Linux, where the command line
// runs: WebAssembly's C library numbers errno its own way.
struct FileFailure {
  int number;
  std::string_view text;
};
constexpr FileFailure kNoSuchFile{2, "No such file or directory"};
constexpr FileFailure kFileExists{17, "File exists"};
constexpr FileFailure kFileTooLarge{27, "File too large"};

AppError Failed(const FileFailure& failure, const std::string& path) {
  return AppError(failure.number, std::string(failure.text) + ": " + path);
}

struct WrittenFile {
  std::string path;
  std::string text;
};

// The given files, by path ("./NAME" or "./FOLDER/NAME"), and what the run writes.
class PagePlatform : public Platform {
 public:
  PagePlatform(std::map<std::string, std::string> files, std::set<std::string> tooLarge,
               std::string folder)
      : files_(std::move(files)), too_large_(std::move(tooLarge)), folder_(std::move(folder)) {}

  std::string ShowOpen(const FileDialogSettings&) override { throw AppError::Cancelled(); }
  std::string ShowSave(const FileDialogSettings&) override { throw AppError::Cancelled(); }
  void MsgBox(const std::string& prompt, int, const std::string&) override { box_ = prompt; }

  bool IsDirectory(const std::string& path) override {
    if (!folder_.empty() && path == folder_) return true;
    if (files_.contains(path)) return false;
    throw Failed(kNoSuchFile, path);
  }

  std::vector<std::string> ListFolder(const std::string& folder) override {
    std::vector<std::string> names;
    for (const auto& [path, bytes] : files_) {
      const std::string name = LeafName(path);
      if (DirName(path) == folder && !name.starts_with('.')) names.push_back(name);
    }
    SortFileNames(names);
    return names;
  }

  std::string ReadTextFile(const std::string& path) override {
    const auto file = files_.find(path);
    if (file == files_.end()) throw Failed(kNoSuchFile, path);
    if (too_large_.contains(path)) throw Failed(kFileTooLarge, path);
    return file->second;
  }

  // Two given files whose headers would be one file are refused before any
  // is written, as the command line refuses them.
  void RefuseOwnSources(const std::vector<std::string>& sources,
                        const std::vector<std::string>& outputs) override {
    std::map<std::string, std::size_t> occurrences;
    std::map<std::string, std::size_t> originOf;
    for (std::size_t i = 0; i < sources.size() && i < outputs.size(); ++i) {
      const std::vector<std::size_t>& given = origins_[sources[i]];
      const std::size_t occurrence = occurrences[sources[i]]++;
      if (given.empty()) continue;
      const std::size_t origin = given[std::min(occurrence, given.size() - 1)];
      const std::string& header = animations_.HeaderOf(outputs[i]);
      const auto [claimed, first] = originOf.emplace(header, origin);
      if (!first && claimed->second != origin) throw Failed(kFileExists, header);
    }
  }

  // An animation's frames go into its one header, as on the command line.
  void WriteTextFile(const std::string& path, std::string_view content, WriteKind kind) override {
    std::string output = path;
    std::optional<cli::AnimationGathering::Whole> animation;
    if (kind == WriteKind::kHeader && animations_.Gathers(path)) {
      animation = animations_.Take(path, content);
      if (!animation) return;
      output = animation->header;
      content = animation->content;
    }
    for (WrittenFile& written : written_) {
      if (written.path == output) {
        written.text = content;
        return;
      }
    }
    written_.push_back({output, std::string(content)});
  }

  // The given file (by its place among those given) a bitmap comes from.
  void Supply(const std::string& path, std::size_t origin) { origins_[path].push_back(origin); }
  void Serve(const std::string& path, std::string text, std::size_t origin) {
    files_[path] = std::move(text);
    Supply(path, origin);
  }
  cli::AnimationGathering& Animations() { return animations_; }
  const std::vector<WrittenFile>& Written() const { return written_; }
  const std::string& Box() const { return box_; }

 private:
  std::map<std::string, std::string> files_;
  // Files the page did not read, as the command line would refuse them.
  std::set<std::string> too_large_;
  std::string folder_;
  std::string box_;
  std::map<std::string, std::vector<std::size_t>> origins_;
  cli::AnimationGathering animations_;
  std::vector<WrittenFile> written_;
};

std::string BytesOf(const val& array) {
  std::string bytes(array["length"].as<std::size_t>(), '\0');
  val(emscripten::typed_memory_view(bytes.size(), reinterpret_cast<unsigned char*>(bytes.data())))
      .call<void>("set", array);
  return bytes;
}

val ArrayOf(const std::vector<std::uint8_t>& bytes) {
  return val::global("Uint8Array").new_(emscripten::typed_memory_view(bytes.size(), bytes.data()));
}

imaging::ImportSettings SettingsOf(const val& given) {
  imaging::ImportSettings settings;
  settings.threshold = given["threshold"].as<int>();
  settings.dithering = imaging::DitheringNamed(given["dither"].as<std::string>())
                           .value_or(imaging::Dithering::kNone);
  settings.invert = given["invert"].as<bool>();
  settings.rotation = given["rotate"].as<int>();
  if (!imaging::IsRotation(settings.rotation)) settings.rotation = 0;
  const std::string flip = given["flip"].as<std::string>();
  settings.flip = flip == "h"   ? imaging::Flip::kHorizontal
                  : flip == "v" ? imaging::Flip::kVertical
                                : imaging::Flip::kNone;
  const int fitWidth = given["fitWidth"].as<int>();
  const int fitHeight = given["fitHeight"].as<int>();
  if (fitWidth > 0 && fitHeight > 0) settings.fit = imaging::Size{fitWidth, fitHeight};
  settings.backgroundSet = given["backgroundSet"].as<bool>();
  return settings;
}

// Frames the browser decoded (RGBA, not premultiplied) as the decoders hand them on.
std::vector<imaging::GrayFrame> FramesOf(const val& given) {
  std::vector<imaging::GrayFrame> frames;
  const auto count = given["length"].as<std::size_t>();
  for (std::size_t i = 0; i < count; ++i) {
    const val frame = given[i];
    const std::string rgba = BytesOf(frame["rgba"]);
    frames.push_back(imaging::FrameFromRgba(
        frame["width"].as<int>(), frame["height"].as<int>(),
        std::span(reinterpret_cast<const std::uint8_t*>(rgba.data()), rgba.size())));
    frames.back().delayMs = frame["delayMs"].as<int>();
  }
  return frames;
}

std::vector<imaging::ImportedBitmap> ImportGiven(const val& file, const std::string& path,
                                                 const std::string& bytes,
                                                 const imaging::ImportSettings& settings) {
  if (file["frames"].isUndefined()) return imaging::ImportImage(bytes, path, settings);
  // The checks ImportImage makes before decoding, then the browser's frames.
  imaging::CheckImportable(bytes, path, settings);
  if (!file["tooLarge"].isUndefined()) {
    throw AppError(error::kImageTooLarge,
                   "Image too large (" + file["tooLarge"].as<std::string>() + "): " + path);
  }
  if (file["frames"]["length"].as<std::size_t>() == 0) {
    throw AppError(error::kImageDamaged,
                   "Damaged image (" + file["decodeError"].as<std::string>() + "): " + path);
  }
  return imaging::ImportFrames(FramesOf(file["frames"]), path, settings);
}

imaging::ImportSettings ImportSettingsOf(const val& request) {
  imaging::ImportSettings settings = SettingsOf(request["settings"]);
  settings.conversion = {
      ByteLayoutNamed(request["layout"].as<std::string>()).value_or(ByteLayout::kXbm),
      request["uncompressed"].as<bool>()};
  return settings;
}

// Any .XBM goes to the drop as it is, which skips all but .xbm, as on the command line.
bool IsBitmapName(const std::string& path) {
  const std::string extension = ExtName(path);
  return std::equal(
      extension.begin(), extension.end(), kBitmapExtension.begin(), kBitmapExtension.end(),
      [](char c, char lower) { return std::tolower(static_cast<unsigned char>(c)) == lower; });
}

// One given image imported as `--import` imports it: {bitmaps: [{name, width,
// height, bits, xbmText, delayMs}]}, or {errorNumber, errorText} for the
// batch to report when it comes to it. The page imports each image as soon as
// its bytes are read, while the browser reads the next ones.
val ImportFile(const val& file, const val& request) {
  val result = val::object();
  try {
    const std::string path = file["path"].as<std::string>();
    if (file["size"].as<double>() > static_cast<double>(kLargestSource)) {
      throw Failed(kFileTooLarge, path);
    }
    val bitmaps = val::array();
    for (const imaging::ImportedBitmap& imported :
         ImportGiven(file, path, BytesOf(file["bytes"]), ImportSettingsOf(request))) {
      val bitmap = val::object();
      bitmap.set("name", imported.name);
      bitmap.set("width", imported.bitmap.width);
      bitmap.set("height", imported.bitmap.height);
      bitmap.set("bits", ArrayOf(imported.bitmap.bits));
      bitmap.set("xbmText", imported.xbmText);
      bitmap.set("delayMs", imported.delayMs);
      bitmaps.call<void>("push", bitmap);
    }
    result.set("bitmaps", bitmaps);
  } catch (const AppError& error) {
    result.set("errorNumber", error.Number());
    result.set("errorText", error.Description());
  }
  return result;
}

// The import before the drop, as `lumivane-cli --import` makes it: each
// image's bitmaps are served as NAME.xbm beside it (an animation's frames
// gathered into NAME.h), .xbm files are dropped as they are, and two of
// either with one NAME are refused before anything is converted. Files
// given with one name come from different folders, as on the command line,
// where each NAME.xbm stays beside its own source: the drop refuses their
// one header. Returns what is dropped.
std::vector<std::string> ImportAll(const val& files, const std::vector<std::string>& given,
                                   const val& request, bool animation, PagePlatform& platform,
                                   val& previews) {
  std::vector<std::string> dropped;
  std::map<std::string, std::string> sourceOf;
  const auto take = [&](const std::string& xbmPath, const std::string& source) {
    const auto [taken, first] = sourceOf.emplace(xbmPath, source);
    if (!first && taken->second != source) {
      throw AppError(error::kImageNameTaken,
                     "Another image or bitmap is also " + xbmPath + ": " + source);
    }
    dropped.push_back(xbmPath);
  };
  for (std::size_t i = 0; i < given.size(); ++i) {
    const std::string& path = given[i];
    if (IsBitmapName(path)) {
      take(path, path);
      continue;
    }
    val imported = files[i]["imported"];
    if (imported.isUndefined()) imported = ImportFile(files[i], request);
    if (!imported["errorNumber"].isUndefined()) {
      throw AppError(imported["errorNumber"].as<int>(), imported["errorText"].as<std::string>());
    }
    const val bitmaps = imported["bitmaps"];
    std::vector<std::string> frameHeaders;
    std::vector<std::string> frameNames;
    std::vector<int> delaysMs;
    for (std::size_t k = 0; k < bitmaps["length"].as<std::size_t>(); ++k) {
      const val bitmap = bitmaps[k];
      const std::string name = bitmap["name"].as<std::string>();
      const std::string xbmPath = JoinPath(DirName(path), name + ".xbm");
      take(xbmPath, path);
      frameHeaders.push_back(HeaderPath(xbmPath));
      frameNames.push_back(name);
      delaysMs.push_back(bitmap["delayMs"].as<int>());
      previews.call<void>("push", bitmap);
      platform.Serve(xbmPath, bitmap["xbmText"].as<std::string>(), i);
    }
    if (!animation) continue;
    // One frame is named as the image is; several NAME_0, NAME_1...
    const std::string& first = frameNames.front();
    std::string name = frameNames.size() == 1 ? first : first.substr(0, first.rfind('_'));
    std::string header = HeaderPath(JoinPath(DirName(path), name + ".xbm"));
    platform.Animations().Add(std::move(header), std::move(name), std::move(frameHeaders),
                              std::move(frameNames), std::move(delaysMs));
  }
  return dropped;
}

// An image by its content, or by a name the import dialog offers.
bool LooksLikeImage(const std::string& path, const std::string& bytes) {
  return !IsBitmapName(path) && (imaging::IsImage(bytes) || IsImagePath(path));
}

// What the page imports as soon as it has read a file: an image's bitmaps
// (see ImportFile), or null for a file the batch does not import.
val Prepare(const val& file, const val& request) {
  const std::string path = file["path"].as<std::string>();
  const bool tooLarge = file["size"].as<double>() > static_cast<double>(kLargestSource);
  if (!tooLarge && !LooksLikeImage(path, BytesOf(file["bytes"]))) return val::null();
  if (tooLarge && !IsImagePath(path)) return val::null();
  return ImportFile(file, request);
}

// The size checks an image passes before anything decodes it: the page asks
// before it hands a GIF to the browser. Empty when they pass.
std::string CheckImage(const val& bytesGiven, const std::string& path, const val& settingsGiven) {
  try {
    const std::string bytes = BytesOf(bytesGiven);
    imaging::CheckImportable(bytes, path, SettingsOf(settingsGiven));
  } catch (const AppError& error) {
    return error.what();
  }
  return {};
}

// request: {folder: "./NAME" or "", files: [{path, size, bytes, imported?, frames?, ...}],
//           settings, layout, uncompressed, animation}; `imported` is what
//           Prepare made of the file with these settings
// result:  {report, box, outputs: [{path, text}], bitmaps: [{name, width, height, bits}]}
val Convert(const val& request) {
  const std::string folder = request["folder"].as<std::string>();
  const val files = request["files"];
  const auto count = files["length"].as<std::size_t>();

  std::map<std::string, std::string> given;
  std::set<std::string> tooLarge;
  std::vector<std::string> dropped;
  // Files with an image among them are imported as `--import` takes them:
  // every file that is not .xbm is then read as an image.
  bool importing = false;
  for (std::size_t i = 0; i < count; ++i) {
    std::string path = files[i]["path"].as<std::string>();
    const val imported = files[i]["imported"];
    if (files[i]["size"].as<double>() > static_cast<double>(kLargestSource)) {
      given[path];
      tooLarge.insert(path);
      importing = importing || IsImagePath(path);
    } else if (!imported.isUndefined() && !imported.isNull()) {
      given[path];
      importing = true;
    } else {
      const std::string& bytes = given[path] = BytesOf(files[i]["bytes"]);
      importing = importing || (imported.isUndefined() && LooksLikeImage(path, bytes));
    }
    dropped.push_back(std::move(path));
  }
  importing = importing && folder.empty();

  val result = val::object();
  val bitmaps = val::array();
  PagePlatform platform(std::move(given), std::move(tooLarge), folder);
  for (std::size_t i = 0; i < count; ++i) platform.Supply(dropped[i], i);
  MemorySurface window(MemorySurface::Listings::kNotShown);
  ConversionState state;
  state.Choice = ImportSettingsOf(request).conversion;
  Workflows workflows(state, window, platform);
  if (importing) {
    try {
      dropped =
          ImportAll(files, dropped, request, request["animation"].as<bool>(), platform, bitmaps);
    } catch (const AppError& error) {
      platform.ShowError(error, std::string(kSaveErrorTitle));
      dropped.clear();
    }
  } else if (!folder.empty()) {
    dropped = {folder};
  }
  if (!dropped.empty()) workflows.Text1_OLEDragDrop(DropData::FileList(std::move(dropped)));

  val outputs = val::array();
  for (const WrittenFile& written : platform.Written()) {
    val output = val::object();
    output.set("path", written.path);
    output.set("text", written.text);
    outputs.call<void>("push", output);
  }
  result.set("report", window.Text3());
  result.set("box", platform.Box());
  result.set("outputs", outputs);
  result.set("bitmaps", bitmaps);
  return result;
}

}  // namespace

EMSCRIPTEN_BINDINGS(lumivane) {
  emscripten::function("convert", &Convert);
  emscripten::function("checkImage", &CheckImage);
  emscripten::function("prepare", &Prepare);
}

}  // namespace lumivane::web
