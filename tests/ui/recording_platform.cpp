#include "recording_platform.h"

#include "engine/app_error.h"

namespace lumivane::test {

std::string RecordingPlatform::ShowOpen(const FileDialogSettings& settings) {
  open_dialogs_.push_back(settings);
  if (on_dialog_) on_dialog_();
  throw AppError(error::kDialogCancelled, "Cancel was selected.");
}

std::string RecordingPlatform::ShowSave(const FileDialogSettings&) {
  throw AppError(error::kDialogCancelled, "Cancel was selected.");
}

void RecordingPlatform::MsgBox(const std::string& prompt, int style, const std::string& title) {
  boxes_.push_back({prompt, style, title});
  if (on_dialog_) on_dialog_();
}

std::string RecordingPlatform::ReadTextFile(const std::string& path) {
  if (on_read_) on_read_(path);
  return FileSystemPlatform::ReadTextFile(path);
}

}  // namespace lumivane::test
