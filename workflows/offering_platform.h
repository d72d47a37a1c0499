#pragma once

#include <string>

#include "platform.h"

namespace lumivane {

// Stands between the workflows and the platform. While a bitmap is offered,
// the Load's open dialog answers with the bitmap's path (NAME.xbm beside its
// image) without showing anything, and reading that path gives the bitmap's
// text, whether a file is there or not: the Load converts an imported image
// exactly as if its ".xbm" had been picked. An offer may also name where the
// header goes; the save dialog then answers with it without showing. Every
// other dialog and file passes on.
class OfferingPlatform : public Platform {
 public:
  explicit OfferingPlatform(Platform& platform) : platform_(platform) {}

  void Offer(std::string path, std::string text, std::string savePath = {});
  void Withdraw();
  // The path the last save dialog answered, shown or not.
  const std::string& LastSaved() const { return last_saved_; }

  std::string ShowOpen(const FileDialogSettings& settings) override;
  std::string ShowSave(const FileDialogSettings& settings) override;
  void MsgBox(const std::string& prompt, int style, const std::string& title) override {
    platform_.MsgBox(prompt, style, title);
  }
  void ShowError(const AppError& error, const std::string& title) override {
    platform_.ShowError(error, title);
  }
  bool IsDirectory(const std::string& path) override;
  std::vector<std::string> ListFolder(const std::string& folder) override {
    return platform_.ListFolder(folder);
  }
  std::string ReadTextFile(const std::string& path) override;
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
  bool Offers(const std::string& path) const { return offered_ && path == path_; }

  Platform& platform_;
  bool offered_ = false;
  bool open_answered_ = false;
  std::string path_;
  std::string text_;
  std::string save_path_;
  std::string last_saved_;
};

}  // namespace lumivane
