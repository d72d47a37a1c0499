#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "workflows/file_system_platform.h"

namespace lumivane::test {

enum class DialogKind { Open, Save };

struct DialogRecord {
  DialogKind kind;
  FileDialogSettings settings;
};

struct BoxRecord {
  std::string prompt;
  int style;
  std::string title;
  bool operator==(const BoxRecord&) const = default;
};

enum class FileCall { IsDirectory, ListFolder, ReadTextFile, WriteTextFile };

// Real files, scripted dialogs: each dialog takes the next queued answer, and
// every dialog and box shown is recorded. A dialog nobody scripted fails the
// test, so an unexpected dialog cannot pass unnoticed.
class FakePlatform : public FileSystemPlatform {
 public:
  using Hook = std::function<void(const std::string& path)>;

  void AnswerWith(std::string path) { answers_.emplace_back(std::move(path)); }
  void AnswerCancel() { answers_.emplace_back(std::nullopt); }
  std::size_t UnusedAnswers() const { return answers_.size(); }

  // Runs `hook` with the call's path just before the `occurrence`-th (from 1)
  // call of that kind reaches the file system. The hook may change the files
  // or throw an AppError to make the call fail.
  void Before(FileCall call, int occurrence, Hook hook);

  const std::vector<DialogRecord>& Dialogs() const { return dialogs_; }
  const std::vector<BoxRecord>& Boxes() const { return boxes_; }
  int Calls(FileCall call) const;
  // Forgets the dialogs, boxes and calls seen so far (hooks and answers stay).
  void ClearRecords();

  std::string ShowOpen(const FileDialogSettings& settings) override;
  std::string ShowSave(const FileDialogSettings& settings) override;
  void MsgBox(const std::string& prompt, int style, const std::string& title) override;

  bool IsDirectory(const std::string& path) override;
  std::vector<std::string> ListFolder(const std::string& folder) override;
  std::string ReadTextFile(const std::string& path) override;
  void WriteTextFile(const std::string& path, std::string_view text) override;

 private:
  std::string Answer(DialogKind kind, const FileDialogSettings& settings);
  void Enter(FileCall call, const std::string& path);

  std::deque<std::optional<std::string>> answers_;
  std::vector<DialogRecord> dialogs_;
  std::vector<BoxRecord> boxes_;
  std::map<FileCall, int> calls_;
  std::map<std::pair<FileCall, int>, Hook> hooks_;
};

}  // namespace lumivane::test
