#pragma once

#include <map>
#include <string>
#include <string_view>

namespace lumivane::test {

// A fresh folder under /tmp, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  const std::string& Path() const { return path_; }
  std::string operator/(std::string_view name) const;

  void Write(std::string_view name, std::string_view content) const;
  // Copies everything in this folder, permissions included, into `target`.
  void CopyInto(const TempFolder& target) const;
  // Every file below the folder by its path relative to it, with its bytes.
  std::map<std::string, std::string> Snapshot() const;

 private:
  std::string path_;
};

}  // namespace lumivane::test
