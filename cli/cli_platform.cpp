#include "cli_platform.h"

#include <cerrno>

#include "engine/app_error.h"
#include "workflows/system_error.h"

namespace lumivane::cli {
namespace {

void PrintLine(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fputc('\n', stream);
}

}  // namespace

std::string CliPlatform::ShowOpen(const FileDialogSettings&) {
  throw AppError::Cancelled();
}

std::string CliPlatform::ShowSave(const FileDialogSettings&) {
  throw AppError::Cancelled();
}

void CliPlatform::MsgBox(const std::string& prompt, int, const std::string&) {
  PrintLine(stderr, prompt);
}

void CliPlatform::ShowError(const AppError& error, const std::string&) {
  PrintLine(stderr, error.what());
}

void CliPlatform::WriteTextFile(const std::string& path, std::string_view content, WriteKind kind) {
  if (kind == WriteKind::kBatchFile) EnterBatchFile();
  FileSystemPlatform::WriteTextFile(path, content, kind);
}

bool CliPlatform::IsDirectory(const std::string& path) {
  return served_.count(path) == 0 && FileSystemPlatform::IsDirectory(path);
}

std::string CliPlatform::ReadTextFile(const std::string& path) {
  const auto served = served_.find(path);
  if (served != served_.end()) return served->second;
  return FileSystemPlatform::ReadTextFile(path);
}

void CliPlatform::ServeText(const std::string& path, std::string text) {
  served_[path] = std::move(text);
}

void ListingStreamPlatform::WriteTextFile(const std::string&, std::string_view content,
                                          WriteKind kind) {
  if (kind == WriteKind::kBatchFile) {
    EnterBatchFile();
    return;
  }
  std::fwrite(content.data(), 1, content.size(), stream_);
  // Flushed per header, so a closed or full output stops the batch at this file.
  if (std::fflush(stream_) != 0 || std::ferror(stream_)) {
    throw SystemError(errno, "standard output");
  }
}

}  // namespace lumivane::cli
