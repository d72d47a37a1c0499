#include "file_system_platform.h"

#include <set>

#include "path_rules.h"
#include "system_error.h"

namespace lumivane {

bool FileSystemPlatform::IsDirectory(const std::string& path) {
  listed_.clear();
  return lumivane::IsDirectory(path);
}

std::vector<std::string> FileSystemPlatform::ListFolder(const std::string& folder) {
  listed_ = ListOrdinaryFiles(folder);
  next_listed_ = 0;
  listed_prefix_ = JoinPath(folder, "");
  std::vector<std::string> names;
  names.reserve(listed_.size());
  for (const ListedFile& file : listed_) names.push_back(file.name);
  return names;
}

std::optional<FileIdentity> FileSystemPlatform::TakeListed(const std::string& path) {
  if (path.starts_with(listed_prefix_)) {
    const std::string_view name = std::string_view(path).substr(listed_prefix_.size());
    for (std::size_t i = next_listed_; i < listed_.size(); ++i) {
      if (listed_[i].name == name) {
        next_listed_ = i + 1;
        return listed_[i].identity;
      }
    }
  }
  listed_.clear();
  return std::nullopt;
}

std::string FileSystemPlatform::ReadTextFile(const std::string& path) {
  source_.reset();
  SourceFile source = ReadSourceFile(path, TakeListed(path));
  source_ = SourceOrigin{path, source.identity};
  return std::move(source.text);
}

std::string FileSystemPlatform::ReadImageFile(const std::string& path) {
  listed_.clear();
  source_.reset();
  SourceFile image = ReadBoundedFile(path);
  source_ = SourceOrigin{path, image.identity};
  return std::move(image.text);
}

void FileSystemPlatform::RefuseOwnSources(const std::vector<std::string>& sources,
                                          const std::vector<std::string>& outputs) {
  std::set<FileIdentity> read;
  for (const std::string& source : sources) {
    if (const auto identity = IdentityOfPath(source)) read.insert(*identity);
  }
  for (const std::string& output : outputs) {
    const auto identity = IdentityOfPath(output);
    if (identity && read.contains(*identity)) throw OutputIsSource(output);
  }
}

void FileSystemPlatform::StandInFor(SourceOrigin origin) {
  listed_.clear();
  source_ = std::move(origin);
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
