#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumivane {

// The operating system's files, seen through the error model: every failure
// raises AppError with the system's error number and its text plus the path.
// One implementation per system: native_files_posix.cpp, native_files_windows.cpp.

bool IsDirectory(const std::string& path);

// Ordinary files only: subfolders, hidden (dot) names and special files are
// left out. Sorted by name, ASCII letters compared without case, ties broken
// byte by byte, so the order is the same on every machine and locale.
std::vector<std::string> ListOrdinaryFiles(const std::string& folder);

// Refuses anything but an ordinary file, so a FIFO or a device named like a
// bitmap can neither block nor feed endless data.
std::string ReadWholeFile(const std::string& path);

// Writes `content` to a temporary file beside the target and renames it over
// the target once complete: a failure leaves the old file as it was and no
// temporary behind. An existing target without write permission is refused,
// as a direct write would be.
void ReplaceFileWhole(const std::string& path, std::string_view content);

}  // namespace lumivane
