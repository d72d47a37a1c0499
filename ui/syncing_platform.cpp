#include "syncing_platform.h"

namespace lumivane::ui {

std::string SyncingPlatform::ShowOpen(const FileDialogSettings& settings) {
  before_dialog_();
  return platform_.ShowOpen(settings);
}

std::string SyncingPlatform::ShowSave(const FileDialogSettings& settings) {
  before_dialog_();
  return platform_.ShowSave(settings);
}

void SyncingPlatform::MsgBox(const std::string& prompt, int style, const std::string& title) {
  before_dialog_();
  platform_.MsgBox(prompt, style, title);
}

void SyncingPlatform::ShowError(const AppError& error, const std::string& title) {
  before_dialog_();
  platform_.ShowError(error, title);
}

}  // namespace lumivane::ui
