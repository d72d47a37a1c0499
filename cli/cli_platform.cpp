#include "cli_platform.h"

#include <cerrno>
#include <exception>

#include "engine/app_error.h"
#include "workflows/system_error.h"

namespace lumivane::cli {
namespace {

AppError NoDialogs() {
  return AppError(error::kDialogCancelled, "Cancel was selected.");
}

// The workflows show their box from inside the handler of the failure, so the
// error itself is still at hand; the box text is only the fallback.
std::string FailureLine(const std::string& prompt) {
  try {
    if (const std::exception_ptr failure = std::current_exception()) {
      std::rethrow_exception(failure);
    }
  } catch (const AppError& error) {
    return "Err # " + std::to_string(error.Number()) + " - " + error.Description() + "\n";
  } catch (...) {
  }
  return prompt + "\n";
}

}  // namespace

std::string CliPlatform::ShowOpen(const FileDialogSettings&) {
  throw NoDialogs();
}

std::string CliPlatform::ShowSave(const FileDialogSettings&) {
  throw NoDialogs();
}

void CliPlatform::MsgBox(const std::string& prompt, int, const std::string&) {
  failed_ = true;
  const std::string line = FailureLine(prompt);
  std::fwrite(line.data(), 1, line.size(), stderr);
}

void ListingStreamPlatform::WriteTextFile(const std::string&, std::string_view text) {
  if (BatchComplete()) return;
  constexpr std::string_view kLineEnd = "\r\n";
  std::fwrite(text.data(), 1, text.size(), stream_);
  std::fwrite(kLineEnd.data(), 1, kLineEnd.size(), stream_);
  // Flushed per header, so a closed or full output stops the batch at this file.
  if (std::fflush(stream_) != 0 || std::ferror(stream_)) {
    throw SystemError(errno, "standard output");
  }
}

}  // namespace lumivane::cli
