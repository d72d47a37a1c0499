#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "workflows/file_system_platform.h"

namespace lumivane::cli {

// The window's platform without a window: the real files, and the one error
// box of a drop printed as "Err # N - description" on standard error. A drop
// never opens a dialog, so the dialogs refuse as if cancelled.
class CliPlatform : public FileSystemPlatform {
 public:
  std::string ShowOpen(const FileDialogSettings& settings) override;
  std::string ShowSave(const FileDialogSettings& settings) override;
  void MsgBox(const std::string& prompt, int style, const std::string& title) override;

  // True once the drop has reported a failure.
  bool Failed() const { return failed_; }
  // Called when the drop has appended "COMPLETE": what it writes after that
  // is the folder's "allFiles.h".
  void MarkBatchComplete() { batch_complete_ = true; }

 protected:
  bool BatchComplete() const { return batch_complete_; }

 private:
  bool failed_ = false;
  bool batch_complete_ = false;
};

// Sends each header's content to a stream, in order, instead of writing it
// beside its source; the folder's "allFiles.h" would only repeat them, so it
// is left out.
class ListingStreamPlatform : public CliPlatform {
 public:
  explicit ListingStreamPlatform(std::FILE* stream) : stream_(stream) {}

  void WriteTextFile(const std::string& path, std::string_view text) override;

 private:
  std::FILE* stream_;
};

}  // namespace lumivane::cli
