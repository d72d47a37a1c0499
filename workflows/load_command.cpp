#include "app_error.h"
#include "convert_and_report.h"
#include "error_box.h"
#include "path_rules.h"
#include "running_action.h"
#include "workflows.h"

namespace lumivane {
namespace {

FileDialogSettings OpenDialogSettings(const std::string& initialDirectory) {
  return {"Load a Bitmap.xbm File", "Hex Files(*.xbm)|*.xbm|All Files(*.*)|*.*", initialDirectory,
          "", dialog_flags::kHideReadOnly};
}

FileDialogSettings SaveDialogSettings(const std::string& initialDirectory,
                                      const std::string& outputName) {
  return {"Save as bitmap.h File", "Compressed Hex Files(*.h)|*.h|All Files(*.*)|*.*",
          initialDirectory, outputName,
          dialog_flags::kOverwritePrompt | dialog_flags::kPathMustExist};
}

}  // namespace

ActionOutcome Workflows::mnuLoad_Click() {
  if (running_) return ActionOutcome::Refused();
  RunningAction running(running_);

  window_.List1().Clear();
  window_.SetText3("");
  state_.CompressedText.clear();

  // Until the file name is known, a failure (a cancelled dialog above all) ends silently.
  try {
    state_.SourcePath = platform_.ShowOpen(OpenDialogSettings(state_.LastDirectory));
    if (ExtName(state_.SourcePath) != kBitmapExtension) {
      platform_.MsgBox(
          IsImagePath(state_.SourcePath)
              ? "NOTHING TO COMPRESS\r\n\r\nImages are imported with File > Import Image."
              : "NOTHING TO COMPRESS",
          box_style::kOkOnly, "mnuLoad");
      return ActionOutcome::Ended();
    }
    state_.SourceFileName = LeafName(state_.SourcePath);
  } catch (const AppError&) {
    return ActionOutcome::Ended();
  }

  try {
    std::string text = platform_.ReadTextFile(state_.SourcePath);
    state_.LastDirectory = DirName(state_.SourcePath);
    state_.SourceText = std::move(text);
    ConvertAndReport(state_, window_);
  } catch (const AppError& error) {
    return Fail(error, kLoadErrorTitle);
  }
  return SaveCompressedFile();
}

ActionOutcome Workflows::SaveCompressedFile() {
  try {
    const std::string outputName = HeaderPath(state_.SourcePath);
    const std::string chosen =
        platform_.ShowSave(SaveDialogSettings(state_.LastDirectory, outputName));
    WriteWhole(chosen, state_.CompressedText, WriteKind::kHeader);
    state_.LastDirectory = DirName(state_.SourcePath);
  } catch (const AppError& error) {
    if (error.Number() == error::kDialogCancelled) return ActionOutcome::Ended();
    return Fail(error, kSaveErrorTitle);
  }
  return ActionOutcome::Done();
}

}  // namespace lumivane
