#pragma once

#include <functional>
#include <string>
#include <vector>

#include "workflows/file_system_platform.h"

namespace lumivane::test {

struct ShownBox {
  std::string prompt;
  int style;
  std::string title;
};

// Real files, but dialogs that are only recorded and cancelled and boxes that
// are only recorded, so no test ever waits for a user.
class RecordingPlatform : public FileSystemPlatform {
 public:
  std::string ShowOpen(const FileDialogSettings& settings) override;
  std::string ShowSave(const FileDialogSettings& settings) override;
  void MsgBox(const std::string& prompt, int style, const std::string& title) override;
  std::string ReadTextFile(const std::string& path) override;

  const std::vector<FileDialogSettings>& OpenDialogs() const { return open_dialogs_; }
  const std::vector<ShownBox>& Boxes() const { return boxes_; }
  // Runs before each file is read, as a user acting in the middle of a batch would.
  void OnRead(std::function<void(const std::string&)> hook) { on_read_ = std::move(hook); }
  // Runs when a dialog or a box would open: what the user would see behind it.
  void OnDialog(std::function<void()> hook) { on_dialog_ = std::move(hook); }

 private:
  std::vector<FileDialogSettings> open_dialogs_;
  std::vector<ShownBox> boxes_;
  std::function<void(const std::string&)> on_read_;
  std::function<void()> on_dialog_;
};

}  // namespace lumivane::test
