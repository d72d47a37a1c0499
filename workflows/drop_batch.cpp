#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "app_error.h"
#include "batch_text.h"
#include "convert_and_report.h"
#include "error_box.h"
#include "file_order.h"
#include "import.h"
#include "listing_layout.h"
#include "path_rules.h"
#include "report_line.h"
#include "running_action.h"
#include "workflows.h"

namespace lumivane {
namespace {

constexpr std::string_view kBatchFileName = "allFiles.h";
constexpr std::string_view kImageSkipped =
    "  skipped: images are imported with File > Import Image";

bool IsImportError(const AppError& error) {
  return error.Number() >= error::kImageFormatUnknown && error.Number() <= error::kImageNameTaken;
}

AppError FolderTooLarge(const std::string& folder) {
  return AppError(error::kOverflow,
                  "Overflow: the folder " + folder + " holds more than 32,767 files");
}

}  // namespace

std::vector<std::pair<std::string, PassedOver>> PathsPassedOver(
    const std::vector<std::string>& dropped, Platform& platform) {
  bool folder = false;
  try {
    folder = !dropped.empty() && platform.IsDirectory(dropped.front());
  } catch (const AppError&) {
  }
  std::vector<std::pair<std::string, PassedOver>> passed;
  for (std::size_t i = folder ? 1 : 0; i < dropped.size(); ++i) {
    const std::string extension = ExtName(dropped[i]);
    if (folder) {
      passed.emplace_back(dropped[i], PassedOver::kAfterFolder);
    } else if (extension != kBitmapExtension) {
      passed.emplace_back(dropped[i], FoldedName(extension) == kBitmapExtension
                                          ? PassedOver::kExtensionCase
                                          : PassedOver::kNotBitmap);
    }
  }
  return passed;
}

void Workflows::RefuseOwnSources(const std::vector<std::string>& sources,
                                 const std::string& batchFile) {
  std::vector<std::string> outputs;
  outputs.reserve(sources.size() + 1);
  for (const std::string& source : sources) outputs.push_back(HeaderPath(source));
  if (!batchFile.empty()) outputs.push_back(batchFile);
  platform_.RefuseOwnSources(sources, outputs);
}

ActionOutcome Workflows::Text1_OLEDragDrop(const DropData& data) {
  if (running_) return ActionOutcome::Refused();
  RunningAction running(running_);

  state_.BatchText.clear();
  try {
    if (platform_.IsDirectory(data.File(1))) {
      ConvertFolder(data);
    } else {
      ConvertFiles(data);
    }
  } catch (const AppError& error) {
    return Fail(error, IsImportError(error) ? kImportErrorTitle : kSaveErrorTitle);
  }
  return ActionOutcome::Done();
}

void Workflows::ConvertFolder(const DropData& data) {
  window_.SetText3("");
  const std::string folder = TrimTrailingSeparators(data.File(1));
  const std::vector<std::string> names = platform_.ListFolder(folder);
  // The folder listing counts in 16 bits, like the work lists; its overflow
  // says which folder and why, as the bare error would not.
  constexpr std::size_t kMostFiles = std::numeric_limits<std::int16_t>::max();
  if (names.size() > kMostFiles) throw FolderTooLarge(folder);
  const auto count = static_cast<std::int16_t>(names.size());
  std::vector<std::string> sources;
  for (const std::string& name : names) {
    if (ExtName(name) == kBitmapExtension) sources.push_back(JoinPath(folder, name));
  }
  RefuseOwnSources(sources, JoinPath(folder, kBatchFileName));

  std::size_t listed = 0;
  for (std::int16_t i = 0; i < count; ++i) {
    const std::string& name = names[static_cast<std::size_t>(i)];
    std::string path = JoinPath(folder, name);
    if (ExtName(path) != kBitmapExtension) {
      if (import_dialog_ && IsImagePath(name)) {
        window_.AppendText3(name);
        window_.AppendText3(kImageSkipped);
        window_.AppendText3(kLineEnd);
      }
      continue;
    }
    state_.SourceFileName = name;
    state_.SourcePath = std::move(path);
    if (!data.GetFormat(DropData::kFileListFormat)) continue;

    state_.CompressedText.clear();
    state_.SourceText = platform_.ReadTextFile(state_.SourcePath);
    ConvertAndReport(state_, window_);
    // Gathered before the write: a failed write leaves the listing in BatchText too.
    AppendToBatch(state_.BatchText, state_.CompressedText, listed++,
                  static_cast<std::size_t>(count - i - 1));
    WriteWhole(HeaderPath(state_.SourcePath), state_.CompressedText, WriteKind::kHeader);
  }

  window_.AppendText3(kComplete);
  WriteWhole(JoinPath(folder, kBatchFileName), state_.BatchText, WriteKind::kBatchFile);
  window_.ProcessPendingEvents();
}

void Workflows::ConvertFiles(const DropData& data) {
  window_.SetText3("");
  const std::int32_t count = data.FileCount();
  DroppedImages images;
  std::vector<std::string> sources;
  for (std::int32_t i = 1; i <= count; ++i) {
    if (ExtName(data.File(i)) == kBitmapExtension) sources.push_back(data.File(i));
  }
  RefuseOwnSources(sources, {});
  for (std::int32_t i = 1; i <= count; ++i) {
    const std::string& item = data.File(i);
    const bool image = import_dialog_ && IsImagePath(item);
    if (ExtName(item) != kBitmapExtension && !image) continue;
    if (!data.GetFormat(DropData::kFileListFormat)) continue;
    if (image) {
      ImportDroppedImage(item, images);
      continue;
    }

    state_.SourcePath = item;
    state_.SourceFileName = LeafName(item);
    state_.CompressedText.clear();
    state_.SourceText = platform_.ReadTextFile(state_.SourcePath);
    state_.LastDirectory = DirName(state_.SourcePath);
    ConvertAndReport(state_, window_);
    WriteWhole(HeaderPath(state_.SourcePath), state_.CompressedText, WriteKind::kHeader);
  }
  window_.AppendText3(kComplete);
}

// Each bitmap of the image is converted and written as the drop of its
// NAME.xbm beside the image would be.
void Workflows::ImportDroppedImage(const std::string& image, DroppedImages& images) {
  const std::vector<imaging::GrayFrame> frames =
      imaging::DecodeImage(platform_.ReadImageFile(image), image);
  if (!images.asked) {
    images.asked = true;
    images.choice = import_dialog_(frames, image);
  }
  if (!images.choice) return;
  const ChoiceForImport conversion(state_, images.choice->conversion);
  imaging::ImportSettings settings = images.choice->settings;
  settings.conversion = images.choice->conversion;
  for (imaging::ImportedBitmap& bitmap : imaging::ImportFrames(frames, image, settings)) {
    state_.SourcePath = JoinPath(DirName(image), bitmap.name + ".xbm");
    state_.SourceFileName = bitmap.name + ".xbm";
    state_.CompressedText.clear();
    state_.SourceText = std::move(bitmap.xbmText);
    state_.LastDirectory = DirName(image);
    ConvertAndReport(state_, window_);
    WriteWhole(HeaderPath(state_.SourcePath), state_.CompressedText, WriteKind::kHeader);
  }
}

}  // namespace lumivane
