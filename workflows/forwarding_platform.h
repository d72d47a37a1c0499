#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform.h"

namespace lumivane {

// Passes every call on to another Platform. A platform that changes a few
// answers of another derives from it and overrides only those, so a call
// added to Platform is passed on everywhere by adding it here.
class ForwardingPlatform : public Platform {
 public:
  explicit ForwardingPlatform(Platform& platform) : platform_(platform) {}

  std::string ShowOpen(const FileDialogSettings& settings) override {
    return platform_.ShowOpen(settings);
  }
  std::string ShowSave(const FileDialogSettings& settings) override {
    return platform_.ShowSave(settings);
  }
  void MsgBox(const std::string& prompt, int style, const std::string& title) override {
    platform_.MsgBox(prompt, style, title);
  }
  void ShowError(const AppError& error, const std::string& title) override {
    platform_.ShowError(error, title);
  }
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
};

}  // namespace lumivane
