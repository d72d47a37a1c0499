#include "syncing_platform.h"

namespace lumivane::ui {

std::string SyncingPlatform::ShowOpen(const FileDialogSettings& settings) {
  before_dialog_();
  return ForwardingPlatform::ShowOpen(settings);
}

std::string SyncingPlatform::ShowSave(const FileDialogSettings& settings) {
  before_dialog_();
  return ForwardingPlatform::ShowSave(settings);
}

void SyncingPlatform::MsgBox(const std::string& prompt, int style, const std::string& title) {
  before_dialog_();
  ForwardingPlatform::MsgBox(prompt, style, title);
}

void SyncingPlatform::ShowError(const AppError& error, const std::string& title) {
  before_dialog_();
  ForwardingPlatform::ShowError(error, title);
}

}  // namespace lumivane::ui
