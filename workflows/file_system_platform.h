#pragma once

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
};

}  // namespace lumivane
