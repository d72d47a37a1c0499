#include "file_system_platform.h"

#include "path_rules.h"

namespace lumivane {

bool FileSystemPlatform::IsDirectory(const std::string& path) {
  listed_.clear();
  return lumivane::IsDirectory(path);
}

std::vector<std::string> FileSystemPlatform::ListFolder(const std::string& folder) {
  listed_.clear();
  std::vector<ListedFile> files = ListOrdinaryFiles(folder);
  listed_prefix_ = JoinPath(folder, "");
  std::vector<std::string> names;
  names.reserve(files.size());
  listed_.reserve(files.size());
  for (ListedFile& file : files) {
    listed_.emplace(file.name, file.identity);
    names.push_back(std::move(file.name));
  }
  return names;
}

std::string FileSystemPlatform::ReadTextFile(const std::string& path) {
  std::optional<FileIdentity> listed;
  const auto entry = path.starts_with(listed_prefix_)
                         ? listed_.find(path.substr(listed_prefix_.size()))
                         : listed_.end();
  if (entry != listed_.end()) {
    listed = entry->second;
    listed_.erase(entry);
  } else {
    listed_.clear();
  }
  source_.reset();
  SourceFile source = ReadSourceFile(path, listed);
  source_ = SourceOrigin{path, source.identity};
  return std::move(source.text);
}

void FileSystemPlatform::WriteTextFile(const std::string& path, std::string_view content,
                                       WriteKind kind) {
  if (kind == WriteKind::kBatchFile) {
    listed_.clear();
    ReplaceFileWhole(path, content);
    return;
  }
  ReplaceFileWhole(path, content, source_ ? &*source_ : nullptr);
}

}  // namespace lumivane
