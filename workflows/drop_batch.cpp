#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "app_error.h"
#include "convert_and_report.h"
#include "error_box.h"
#include "listing_layout.h"
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

// Adds a listing to the batch text. A folder's listings are alike in size, so
// when the text must grow it makes room for the files still to come at the
// mean size so far: growing by doubling copies it again and again into fresh
// memory, which costs a large folder more than its conversions do. The room
// asked for ahead is bounded; past it the text doubles as before.
void AppendToBatch(std::string& batch, std::string_view listing, std::size_t listed,
                   std::size_t namesToCome) {
  constexpr std::size_t kMostAhead = std::size_t{64} << 20;
  const std::size_t needed = batch.size() + listing.size() + kLineEnd.size();
  if (needed > batch.capacity()) {
    const std::size_t mean = needed / (listed + 1);
    const std::size_t ahead = std::min(mean * namesToCome, kMostAhead);
    batch.reserve(needed + ahead);
  }
  batch.append(listing).append(kLineEnd);
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

  std::size_t listed = 0;
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
