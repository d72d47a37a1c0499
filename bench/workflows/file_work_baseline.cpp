#include "file_work_baseline.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace lumivane::bench {
namespace {

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::vector<std::string> ListBitmaps(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) throw std::runtime_error("cannot list " + folder);
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_type == DT_REG && EndsWith(entry->d_name, ".xbm"))
      names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadWhole(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error("cannot open " + path);
  struct stat info {};
  ::fstat(fd, &info);
  std::string text(static_cast<std::size_t>(info.st_size), '\0');
  const ssize_t got = ::read(fd, text.data(), text.size());
  ::close(fd);
  if (got != static_cast<ssize_t>(text.size())) throw std::runtime_error("short read " + path);
  return text;
}

void ReplaceThroughTemporary(const std::string& folder, const std::string& name,
                             const std::string& bytes) {
  const std::string temporary = folder + "/." + name + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) throw std::runtime_error("cannot create " + temporary);
  const ssize_t written = ::write(fd, bytes.data(), bytes.size());
  ::close(fd);
  if (written != static_cast<ssize_t>(bytes.size()) ||
      ::rename(temporary.c_str(), (folder + "/" + name).c_str()) != 0) {
    throw std::runtime_error("cannot replace " + name);
  }
}

}  // namespace

void DoFolderFileWork(const std::string& folder, std::size_t outputSize) {
  const std::string output(outputSize, 'x');
  std::size_t totalRead = 0;
  const std::vector<std::string> names = ListBitmaps(folder);
  for (const std::string& name : names) {
    totalRead += ReadWhole(folder + "/" + name).size();
    ReplaceThroughTemporary(folder, name.substr(0, name.size() - 4) + ".h", output);
  }
  if (totalRead == 0 && !names.empty()) throw std::runtime_error("nothing read");
  ReplaceThroughTemporary(folder, "allFiles.h", std::string(names.size() * outputSize + 2, 'x'));
}

}  // namespace lumivane::bench
