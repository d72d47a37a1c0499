#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "workflows/file_system_platform.h"

namespace lumivane::cli {

// The window's platform without a window: the real files, and the failure
// that ends a drop printed as "Err # N - description" on standard error. A
// drop never opens a dialog, so the dialogs refuse as if cancelled.
class CliPlatform : public FileSystemPlatform {
 public:
  std::string ShowOpen(const FileDialogSettings& settings) override;
  std::string ShowSave(const FileDialogSettings& settings) override;
  void MsgBox(const std::string& prompt, int style, const std::string& title) override;
  void ShowError(const AppError& error, const std::string& title) override;
  void WriteTextFile(const std::string& path, std::string_view content, WriteKind kind) override;
  bool IsDirectory(const std::string& path) override;
  std::string ReadTextFile(const std::string& path) override;

  // Reading `path` gives `text` instead of the file's content, whether the
  // file exists or not: an imported image's bitmap is converted as if its
  // ".xbm" had been read.
  void ServeText(const std::string& path, std::string text);

  // Runs `hook` when the drop turns to the folder's "allFiles.h": every file
  // has been reported by then.
  void BeforeBatchFile(std::function<void()> hook) { before_batch_file_ = std::move(hook); }

 protected:
  void EnterBatchFile() const {
    if (before_batch_file_) before_batch_file_();
  }

 private:
  std::function<void()> before_batch_file_;
  std::map<std::string, std::string> served_;
};

// Sends each header's content to a stream, in order, instead of writing it
// beside its source; the folder's "allFiles.h" would only repeat them, so it
// is left out.
class ListingStreamPlatform : public CliPlatform {
 public:
  explicit ListingStreamPlatform(std::FILE* stream) : stream_(stream) {}

  void WriteTextFile(const std::string& path, std::string_view content, WriteKind kind) override;

 private:
  std::FILE* stream_;
};

}  // namespace lumivane::cli
