#pragma once

#include <functional>
#include <utility>

#include "platform.h"

namespace lumivane::ui {

// Passes every call on to another Platform, and brings the window up to date
// before a dialog or a box opens, so the user sees the window as it is while
// answering it.
class SyncingPlatform : public Platform {
 public:
  SyncingPlatform(Platform& platform, std::function<void()> beforeDialog)
      : platform_(platform), before_dialog_(std::move(beforeDialog)) {}

  std::string ShowOpen(const FileDialogSettings& settings) override;
  std::string ShowSave(const FileDialogSettings& settings) override;
  void MsgBox(const std::string& prompt, int style, const std::string& title) override;
  void ShowError(const AppError& error, const std::string& title) override;
  bool IsDirectory(const std::string& path) override { return platform_.IsDirectory(path); }
  std::vector<std::string> ListFolder(const std::string& folder) override {
    return platform_.ListFolder(folder);
  }
  std::string ReadTextFile(const std::string& path) override {
    return platform_.ReadTextFile(path);
  }
  std::string ReadImageFile(const std::string& path) override {
    return platform_.ReadImageFile(path);
  }
  void WriteTextFile(const std::string& path, std::string_view content, WriteKind kind) override {
    platform_.WriteTextFile(path, content, kind);
  }
  void RefuseOwnSources(const std::vector<std::string>& sources,
                        const std::vector<std::string>& outputs) override {
    platform_.RefuseOwnSources(sources, outputs);
  }

 private:
  Platform& platform_;
  std::function<void()> before_dialog_;
};

}  // namespace lumivane::ui
