#include "fake_platform.h"

#include <stdexcept>

#include "engine/app_error.h"

namespace lumivane::test {

void FakePlatform::Before(FileCall call, int occurrence, Hook hook) {
  hooks_[{call, occurrence}] = std::move(hook);
}

int FakePlatform::Calls(FileCall call) const {
  const auto found = calls_.find(call);
  return found == calls_.end() ? 0 : found->second;
}

void FakePlatform::ClearRecords() {
  dialogs_.clear();
  boxes_.clear();
  calls_.clear();
}

std::string FakePlatform::Answer(DialogKind kind, const FileDialogSettings& settings) {
  dialogs_.push_back({kind, settings});
  if (answers_.empty()) throw std::logic_error("a dialog was shown that the test did not script");
  std::optional<std::string> answer = std::move(answers_.front());
  answers_.pop_front();
  if (!answer) throw AppError(error::kDialogCancelled, "Cancel was selected.");
  return *answer;
}

std::string FakePlatform::ShowOpen(const FileDialogSettings& settings) {
  return Answer(DialogKind::Open, settings);
}

std::string FakePlatform::ShowSave(const FileDialogSettings& settings) {
  return Answer(DialogKind::Save, settings);
}

void FakePlatform::MsgBox(const std::string& prompt, int style, const std::string& title) {
  boxes_.push_back({prompt, style, title});
}

void FakePlatform::Enter(FileCall call, const std::string& path) {
  const int occurrence = ++calls_[call];
  const auto hook = hooks_.find({call, occurrence});
  if (hook != hooks_.end()) hook->second(path);
}

bool FakePlatform::IsDirectory(const std::string& path) {
  Enter(FileCall::IsDirectory, path);
  return FileSystemPlatform::IsDirectory(path);
}

std::vector<std::string> FakePlatform::ListFolder(const std::string& folder) {
  Enter(FileCall::ListFolder, folder);
  return FileSystemPlatform::ListFolder(folder);
}

std::string FakePlatform::ReadTextFile(const std::string& path) {
  Enter(FileCall::ReadTextFile, path);
  return FileSystemPlatform::ReadTextFile(path);
}

void FakePlatform::WriteTextFile(const std::string& path, std::string_view text) {
  Enter(FileCall::WriteTextFile, path);
  FileSystemPlatform::WriteTextFile(path, text);
}

}  // namespace lumivane::test
