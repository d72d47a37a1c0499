#include "file_work_baseline.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace lumivane::bench {
namespace {

std::vector<std::string> ListBitmaps(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) throw std::runtime_error("cannot list " + folder);
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (entry->d_type == DT_REG && name.ends_with(".xbm")) names.emplace_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

void ReadWhole(const std::string& path, std::string& buffer) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error("cannot open " + path);
  struct stat info {};
  ::fstat(fd, &info);
  buffer.resize(static_cast<std::size_t>(info.st_size));
  const ssize_t got = ::read(fd, buffer.data(), buffer.size());
  ::close(fd);
  if (got != static_cast<ssize_t>(buffer.size())) throw std::runtime_error("short read " + path);
}

void ReplaceThroughTemporary(const std::string& folder, const std::string& name,
                             std::string_view bytes) {
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

std::map<std::string, std::size_t> OutputSizes(const std::string& folder) {
  std::map<std::string, std::size_t> sizes;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".h") {
      sizes[entry.path().filename().string()] = entry.file_size();
    }
  }
  return sizes;
}

void DoFolderFileWork(const std::string& folder,
                      const std::map<std::string, std::size_t>& outputSizes) {
  std::string content;
  std::string output;
  for (const std::string& name : ListBitmaps(folder)) {
    ReadWhole(folder + "/" + name, content);
    const std::string header = name.substr(0, name.size() - 4) + ".h";
    output.assign(outputSizes.at(header), 'x');
    ReplaceThroughTemporary(folder, header, output);
  }
  output.assign(outputSizes.at("allFiles.h"), 'x');
  ReplaceThroughTemporary(folder, "allFiles.h", output);
}

}  // namespace lumivane::bench
