#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "file_system_platform.h"

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

struct WriteRecord {
  std::string path;
  std::string content;
  WriteKind kind;
};

enum class FileCall { IsDirectory, ListFolder, ReadTextFile, WriteTextFile };

// Real files, scripted dialogs: each dialog takes the next queued answer, and
// every dialog, box and write is recorded. A dialog nobody scripted fails the
// test, so an unexpected dialog cannot pass unnoticed, unless the test says
// that every dialog is to be cancelled. No call ever waits for a user.
class ScriptedPlatform : public FileSystemPlatform {
 public:
  using Hook = std::function<void(const std::string& path)>;

  void AnswerWith(std::string path) { answers_.emplace_back(std::move(path)); }
  void AnswerCancel() { answers_.emplace_back(std::nullopt); }
  void CancelUnscriptedDialogs() { cancel_unscripted_ = true; }
  std::size_t UnusedAnswers() const { return answers_.size(); }

  // Runs `hook` with the call's path just before the `occurrence`-th (from 1)
  // call of that kind reaches the file system. The hook may change the files
  // or throw an AppError to make the call fail.
  void Before(FileCall call, int occurrence, Hook hook);
  // The same before every call of that kind, as a user acting mid-batch would.
  void BeforeEach(FileCall call, Hook hook);
  // Runs when a dialog or a box would open: what the user would see behind it.
  void OnDialog(std::function<void()> hook) { on_dialog_ = std::move(hook); }

  const std::vector<DialogRecord>& Dialogs() const { return dialogs_; }
  const std::vector<BoxRecord>& Boxes() const { return boxes_; }
  const std::vector<WriteRecord>& Writes() const { return writes_; }
  int Calls(FileCall call) const;
  // Forgets the dialogs, boxes, writes and calls seen so far (hooks and answers stay).
  void ClearRecords();

  std::string ShowOpen(const FileDialogSettings& settings) override;
  std::string ShowSave(const FileDialogSettings& settings) override;
  void MsgBox(const std::string& prompt, int style, const std::string& title) override;

  bool IsDirectory(const std::string& path) override;
  std::vector<std::string> ListFolder(const std::string& folder) override;
  std::string ReadTextFile(const std::string& path) override;
  void WriteTextFile(const std::string& path, std::string_view content, WriteKind kind) override;

 private:
  std::string Answer(DialogKind kind, const FileDialogSettings& settings);
  void Enter(FileCall call, const std::string& path);

  std::deque<std::optional<std::string>> answers_;
  bool cancel_unscripted_ = false;
  std::vector<DialogRecord> dialogs_;
  std::vector<BoxRecord> boxes_;
  std::vector<WriteRecord> writes_;
  std::map<FileCall, int> calls_;
  std::map<std::pair<FileCall, int>, Hook> hooks_;
  std::map<FileCall, Hook> every_call_hooks_;
  std::function<void()> on_dialog_;
};

}  // namespace lumivane::test
