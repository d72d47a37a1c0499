#include "file_system_platform.h"

#include "native_files.h"

namespace lumivane {

bool FileSystemPlatform::IsDirectory(const std::string& path) {
  return lumivane::IsDirectory(path);
}

std::vector<std::string> FileSystemPlatform::ListFolder(const std::string& folder) {
  return ListOrdinaryFiles(folder);
}

std::string FileSystemPlatform::ReadTextFile(const std::string& path) {
  return ReadWholeFile(path);
}

void FileSystemPlatform::WriteTextFile(const std::string& path, std::string_view content,
                                       WriteKind) {
  ReplaceFileWhole(path, content);
}

}  // namespace lumivane
