#include <cstdint>
#include <limits>

#include "app_error.h"
#include "convert_and_report.h"
#include "error_box.h"
#include "path_rules.h"
#include "running_action.h"
#include "workflows.h"

namespace lumivane {
namespace {

constexpr std::string_view kBatchFileName = "allFiles.h";
constexpr std::string_view kComplete = "COMPLETE";

AppError FolderTooLarge(const std::string& folder) {
  return AppError(error::kOverflow,
                  "Overflow: the folder " + folder + " holds more than 32,767 files");
}

}  // namespace

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
    return Fail(error, kSaveErrorTitle);
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

  for (std::int16_t i = 0; i < count; ++i) {
    const std::string& name = names[static_cast<std::size_t>(i)];
    std::string path = JoinPath(folder, name);
    if (ExtName(path) != kBitmapExtension) continue;
    state_.SourceFileName = name;
    state_.SourcePath = std::move(path);
    if (!data.GetFormat(DropData::kFileListFormat)) continue;

    state_.CompressedText.clear();
    state_.SourceText = platform_.ReadTextFile(state_.SourcePath);
    ConvertAndReport(state_, window_);
    // Gathered before the write: a failed write leaves the listing in BatchText too.
    state_.BatchText.append(state_.CompressedText).append("\r\n");
    WriteWhole(HeaderPath(state_.SourcePath), state_.CompressedText, WriteKind::kHeader);
  }

  window_.AppendText3(kComplete);
  WriteWhole(JoinPath(folder, kBatchFileName), state_.BatchText, WriteKind::kBatchFile);
  window_.ProcessPendingEvents();
}

void Workflows::ConvertFiles(const DropData& data) {
  window_.SetText3("");
  const std::int32_t count = data.FileCount();
  for (std::int32_t i = 1; i <= count; ++i) {
    const std::string& item = data.File(i);
    if (ExtName(item) != kBitmapExtension) continue;
    if (!data.GetFormat(DropData::kFileListFormat)) continue;

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

}  // namespace lumivane
