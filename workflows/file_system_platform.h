#pragma once

#include <optional>
#include <string>
#include <unordered_map>

#include "native_files.h"
#include "platform.h"

namespace lumivane {

// The file half of Platform on the real file system; the dialogs and boxes
// are left to the toolkit (or to a test's script).
class FileSystemPlatform : public Platform {
 public:
  bool IsDirectory(const std::string& path) override;
  std::vector<std::string> ListFolder(const std::string& folder) override;
  std::string ReadTextFile(const std::string& path) override;
  void WriteTextFile(const std::string& path, std::string_view content, WriteKind kind) override;

 private:
  // What the folder listing of the drop under way found out about each file,
  // so that reading it needs no second look. Each entry serves one read; a
  // new drop, a read elsewhere or the folder's allFiles.h forgets them all.
  std::string listed_prefix_;
  std::unordered_map<std::string, std::optional<FileIdentity>> listed_;
  // The file read last: the header written next is made from it.
  std::optional<SourceOrigin> source_;
};

}  // namespace lumivane
