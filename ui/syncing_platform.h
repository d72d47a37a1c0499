#pragma once

#include <functional>
#include <utility>

#include "forwarding_platform.h"

namespace lumivane::ui {

// Brings the window up to date before a dialog or a box opens, so the user
// sees the window as it is while answering it.
class SyncingPlatform : public ForwardingPlatform {
 public:
  SyncingPlatform(Platform& platform, std::function<void()> beforeDialog)
      : ForwardingPlatform(platform), before_dialog_(std::move(beforeDialog)) {}

  std::string ShowOpen(const FileDialogSettings& settings) override;
  std::string ShowSave(const FileDialogSettings& settings) override;
  void MsgBox(const std::string& prompt, int style, const std::string& title) override;
  void ShowError(const AppError& error, const std::string& title) override;

 private:
  std::function<void()> before_dialog_;
};

}  // namespace lumivane::ui
