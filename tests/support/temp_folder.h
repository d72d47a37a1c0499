#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lumivane::test {

// A fresh folder under the system's temporary directory, removed with all it
// holds when the test ends.
class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::string& Path() const { return path_; }
  // `relative` may name a file in a subfolder ("img/logo.xbm"); an empty one
  // gives the folder's path with a separator at the end.
  std::string PathOf(std::string_view relative) const;

  // Creates the missing folders on the way; returns the file's path.
  std::string Write(std::string_view relative, std::string_view bytes) const;
  std::string MakeFolder(std::string_view relative) const;
  std::string Read(std::string_view relative) const;
  bool Exists(std::string_view relative) const;
  // Every entry below the folder, hidden ones included, as relative paths
  // sorted bytewise; folders end in "/".
  std::vector<std::string> Tree() const;
  // Every file below the folder by its path relative to it, with its bytes.
  std::map<std::string, std::string> Snapshot() const;
  // Copies everything in this folder, permissions included, into `target`.
  void CopyInto(const TempFolder& target) const;

 private:
  std::string path_;
};

}  // namespace lumivane::test
