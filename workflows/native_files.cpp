#include "native_files.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "file_order.h"
#include "system_error.h"

#ifdef _WIN32
#include <fstream>
#include <sstream>
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#endif

namespace lumivane {

bool IsDirectory(const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    throw SystemError(error ? error.value() : ENOENT, path);
  }
  if (error) throw SystemError(error.value(), path);
  return status.type() == std::filesystem::file_type::directory;
}

#ifndef _WIN32

namespace {

// Closes the descriptor on every path out of a function.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int Get() const { return fd_; }
  // Closes now, so a failing close (a delayed write error) can be reported.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

class DirectoryHandle {
 public:
  explicit DirectoryHandle(DIR* dir) : dir_(dir) {}
  DirectoryHandle(const DirectoryHandle&) = delete;
  DirectoryHandle& operator=(const DirectoryHandle&) = delete;
  ~DirectoryHandle() {
    if (dir_ != nullptr) ::closedir(dir_);
  }
  DIR* Get() const { return dir_; }

 private:
  DIR* dir_;
};

constexpr int kNotRegularFile = EINVAL;

AppError NotRegularFile(const std::string& path) {
  return AppError(kNotRegularFile, "Not an ordinary file: " + path);
}

bool HasAnyWriteBit(mode_t mode) {
  return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

// A hidden name beside the target; O_EXCL makes it ours alone.
FileDescriptor CreateTemporaryBeside(const std::string& target, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  const auto slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string leaf = slash == std::string::npos ? target : target.substr(slash + 1);
  for (;;) {
    temporaryPath = folder + "." + leaf + ".tmp-" + std::to_string(::getpid()) + "-" +
                    std::to_string(counter++);
    const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return FileDescriptor(fd);
    if (errno != EEXIST) throw SystemError(errno, target);
  }
}

// Returns 0, or the error number of the write that failed.
int WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace

std::vector<std::string> ListOrdinaryFiles(const std::string& folder) {
  DirectoryHandle dir(::opendir(folder.c_str()));
  if (dir.Get() == nullptr) throw SystemError(errno, folder);
  std::vector<std::string> names;
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  while (const dirent* entry = ::readdir(dir.Get())) {
    const std::string name = entry->d_name;
    if (name.empty() || name.front() == '.') continue;
    struct stat info {};
    if (::stat((prefix + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
      names.push_back(name);
    }
  }
  SortFileNames(names);
  return names;
}

std::string ReadWholeFile(const std::string& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (file.Get() < 0) throw SystemError(errno, path);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) throw SystemError(errno, path);
  if (S_ISDIR(info.st_mode)) throw SystemError(EISDIR, path);
  if (!S_ISREG(info.st_mode)) throw NotRegularFile(path);

  std::string text(static_cast<std::size_t>(info.st_size), '\0');
  std::size_t filled = 0;
  while (filled < text.size()) {
    const ssize_t got = ::read(file.Get(), text.data() + filled, text.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw SystemError(errno, path);
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  text.resize(filled);
  return text;
}

void ReplaceFileWhole(const std::string& path, std::string_view text, std::string_view ending) {
  std::string target = path;
  struct stat existing {};
  const bool exists = ::stat(path.c_str(), &existing) == 0;
  if (exists) {
    if (S_ISDIR(existing.st_mode)) throw SystemError(EISDIR, path);
    if (!S_ISREG(existing.st_mode)) throw NotRegularFile(path);
    // Root may write anything; a file nobody may write is still read-only.
    if (::access(path.c_str(), W_OK) != 0) throw SystemError(errno, path);
    if (!HasAnyWriteBit(existing.st_mode)) throw SystemError(EACCES, path);
    // Replace what a link points to, not the link itself.
    std::error_code error;
    const auto resolved = std::filesystem::canonical(path, error);
    if (!error) target = resolved.string();
  } else if (errno != ENOENT) {
    throw SystemError(errno, path);
  }

  std::string temporaryPath;
  FileDescriptor temporary = CreateTemporaryBeside(target, temporaryPath);
  int failure = 0;
  if (exists && ::fchmod(temporary.Get(), existing.st_mode & 07777) != 0) failure = errno;
  if (failure == 0) failure = WriteAll(temporary.Get(), text);
  if (failure == 0) failure = WriteAll(temporary.Get(), ending);
  if (failure == 0 && temporary.Close() != 0) failure = errno;
  if (failure == 0 && ::rename(temporaryPath.c_str(), target.c_str()) != 0) failure = errno;
  if (failure != 0) {
    ::unlink(temporaryPath.c_str());
    throw SystemError(failure, path);
  }
}

#else  // _WIN32: the standard library's files, with the same guarantees where it offers them.

std::vector<std::string> ListOrdinaryFiles(const std::string& folder) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) throw SystemError(error.value(), folder);
  std::vector<std::string> names;
  for (const auto& entry : it) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.front() == '.') continue;
    if (entry.is_regular_file(error)) names.push_back(name);
  }
  SortFileNames(names);
  return names;
}

std::string ReadWholeFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    throw SystemError(error ? error.value() : EINVAL, path);
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) throw SystemError(errno, path);
  std::ostringstream text;
  text << in.rdbuf();
  return std::move(text).str();
}

void ReplaceFileWhole(const std::string& path, std::string_view text, std::string_view ending) {
  namespace fs = std::filesystem;
  std::error_code error;
  const auto status = fs::status(path, error);
  if (fs::is_directory(status)) throw SystemError(EISDIR, path);
  if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none) {
    throw SystemError(EACCES, path);
  }
  const std::string temporaryPath = path + ".tmp";
  {
    std::ofstream out(temporaryPath, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.write(ending.data(), static_cast<std::streamsize>(ending.size()));
    out.close();
    if (!out) {
      fs::remove(temporaryPath, error);
      throw SystemError(EIO, path);
    }
  }
  fs::rename(temporaryPath, path, error);
  if (error) {
    fs::remove(temporaryPath, error);
    throw SystemError(error.value(), path);
  }
}

#endif

}  // namespace lumivane
