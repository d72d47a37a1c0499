#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumivane {

// What a drop on the input box delivers: the dropped paths in the order the
// drop source gave them, or data that carries no file list at all (text
// dragged from an editor, say).
class DropData {
 public:
  // The standard format of a dropped list of files.
  static constexpr int kFileListFormat = 15;

  static DropData FileList(std::vector<std::string> paths);
  static DropData WithoutFileList();

  bool GetFormat(int format) const { return format == kFileListFormat && has_file_list_; }
  std::int32_t FileCount() const;
  // Numbered from 1; raises when the data has no file list or no such item.
  const std::string& File(std::int32_t number) const;

 private:
  DropData(std::vector<std::string> paths, bool hasFileList);

  std::vector<std::string> paths_;
  bool has_file_list_;
};

}  // namespace lumivane
