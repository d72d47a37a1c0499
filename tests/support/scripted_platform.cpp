#include "scripted_platform.h"

#include <stdexcept>

#include "app_error.h"

namespace lumivane::test {

void ScriptedPlatform::Before(FileCall call, int occurrence, Hook hook) {
  hooks_[{call, occurrence}] = std::move(hook);
}

void ScriptedPlatform::BeforeEach(FileCall call, Hook hook) {
  every_call_hooks_[call] = std::move(hook);
}

int ScriptedPlatform::Calls(FileCall call) const {
  const auto found = calls_.find(call);
  return found == calls_.end() ? 0 : found->second;
}

void ScriptedPlatform::ClearRecords() {
  dialogs_.clear();
  boxes_.clear();
  writes_.clear();
  calls_.clear();
}

std::string ScriptedPlatform::Answer(DialogKind kind, const FileDialogSettings& settings) {
  dialogs_.push_back({kind, settings});
  if (on_dialog_) on_dialog_();
  if (answers_.empty()) {
    if (cancel_unscripted_) throw AppError::Cancelled();
    throw std::logic_error("a dialog was shown that the test did not script");
  }
  std::optional<std::string> answer = std::move(answers_.front());
  answers_.pop_front();
  if (!answer) throw AppError::Cancelled();
  return *answer;
}

std::string ScriptedPlatform::ShowOpen(const FileDialogSettings& settings) {
  return Answer(DialogKind::Open, settings);
}

std::string ScriptedPlatform::ShowSave(const FileDialogSettings& settings) {
  return Answer(DialogKind::Save, settings);
}

void ScriptedPlatform::MsgBox(const std::string& prompt, int style, const std::string& title) {
  boxes_.push_back({prompt, style, title});
  if (on_dialog_) on_dialog_();
}

void ScriptedPlatform::Enter(FileCall call, const std::string& path) {
  const int occurrence = ++calls_[call];
  if (const auto every = every_call_hooks_.find(call); every != every_call_hooks_.end()) {
    every->second(path);
  }
  const auto hook = hooks_.find({call, occurrence});
  if (hook != hooks_.end()) hook->second(path);
}

bool ScriptedPlatform::IsDirectory(const std::string& path) {
  Enter(FileCall::IsDirectory, path);
  return FileSystemPlatform::IsDirectory(path);
}

std::vector<std::string> ScriptedPlatform::ListFolder(const std::string& folder) {
  Enter(FileCall::ListFolder, folder);
  return FileSystemPlatform::ListFolder(folder);
}

std::string ScriptedPlatform::ReadTextFile(const std::string& path) {
  Enter(FileCall::ReadTextFile, path);
  return FileSystemPlatform::ReadTextFile(path);
}

void ScriptedPlatform::WriteTextFile(const std::string& path, std::string_view content,
                                     WriteKind kind) {
  Enter(FileCall::WriteTextFile, path);
  writes_.push_back({path, std::string(content), kind});
  FileSystemPlatform::WriteTextFile(path, content, kind);
}

}  // namespace lumivane::test
