#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <exception>
#include <filesystem>
#include <system_error>

#include "engine/app_error.h"
#include "file_order.h"
#include "native_files.h"
#include "system_calls.h"
#include "system_error.h"

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

namespace {

// Closes the descriptor on every path out of a function.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) Syscalls().close(fd_);
  }
  int Get() const { return fd_; }
  // Closes now, so a failing close (a delayed write error) can be reported.
  int Close() {
    const int result = Syscalls().close(fd_);
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

// Refuses an existing file the user may not write, as opening it for writing
// would. Root may write anything, yet a file nobody may write is still
// read-only. The owner's right is its owner bits, access lists or not; only
// for others is the system asked, which saves a call per file in a batch.
void RequireWritable(const std::string& path, const struct stat& info) {
  const uid_t user = ::geteuid();
  if (user == 0 || user == info.st_uid) {
    const mode_t needed = user == 0 ? (S_IWUSR | S_IWGRP | S_IWOTH) : S_IWUSR;
    if ((info.st_mode & needed) == 0) throw SystemError(EACCES, path);
  } else if (::access(path.c_str(), W_OK) != 0) {
    throw SystemError(errno, path);
  }
}

// Asked once: a batch creates one temporary per file.
const std::string& ProcessId() {
  static const std::string id = std::to_string(::getpid());
  return id;
}

// Room left in a name for the dot, ".tmp-", the process id and the counter.
constexpr std::size_t kTemporaryLeafLimit = NAME_MAX - 32;

// A hidden name beside the target; O_EXCL makes it ours alone. The target's
// leaf is shortened so that a target whose name is as long as allowed still
// gets a temporary name the file system accepts.
FileDescriptor CreateTemporaryBeside(const std::string& target, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  const auto slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string leaf = (slash == std::string::npos ? target : target.substr(slash + 1))
                               .substr(0, kTemporaryLeafLimit);
  for (;;) {
    temporaryPath = folder + "." + leaf + ".tmp-" + ProcessId() + "-" + std::to_string(counter++);
    const int fd =
        Syscalls().open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return FileDescriptor(fd);
    if (errno != EEXIST) throw SystemError(errno, target);
  }
}

// Returns 0, or the error number of the write that failed. A write the
// system cut short (a signal, a disk filling up) goes on with the rest.
int WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = Syscalls().write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    // Nothing written and no error: going on could loop for ever.
    if (written == 0) return EIO;
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// Whether a listed entry is an ordinary file. The entry's own type answers
// without a further call; links and file systems that do not tell are asked.
bool IsOrdinaryFile(const dirent& entry, const std::string& path) {
  if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) return entry.d_type == DT_REG;
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
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
    if (IsOrdinaryFile(*entry, prefix + name)) names.push_back(name);
  }
  SortFileNames(names);
  return names;
}

std::string ReadWholeFile(const std::string& path) {
  FileDescriptor file(Syscalls().open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0));
  if (file.Get() < 0) throw SystemError(errno, path);
  struct stat info {};
  if (Syscalls().fstat(file.Get(), &info) != 0) throw SystemError(errno, path);
  if (S_ISDIR(info.st_mode)) throw SystemError(EISDIR, path);
  if (!S_ISREG(info.st_mode)) throw AppError::NotOrdinaryFile(path);

  std::string text;
  try {
    text.resize(static_cast<std::size_t>(info.st_size));
  } catch (const std::exception&) {
    // A file too large for memory is a failure to report, not a crash.
    throw SystemError(ENOMEM, path);
  }
  std::size_t filled = 0;
  while (filled < text.size()) {
    const ssize_t got = Syscalls().read(file.Get(), text.data() + filled, text.size() - filled);
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

void ReplaceFileWhole(const std::string& path, std::string_view content) {
  std::string target = path;
  struct stat existing {};
  bool exists = ::lstat(path.c_str(), &existing) == 0;
  if (exists && S_ISLNK(existing.st_mode)) {
    // Replace what a link points to, not the link itself.
    exists = ::stat(path.c_str(), &existing) == 0;
    if (exists) {
      std::error_code error;
      const auto resolved = std::filesystem::canonical(path, error);
      if (!error) target = resolved.string();
    }
  }
  if (exists) {
    if (S_ISDIR(existing.st_mode)) throw SystemError(EISDIR, path);
    if (!S_ISREG(existing.st_mode)) throw AppError::NotOrdinaryFile(path);
    RequireWritable(path, existing);
  } else if (errno != ENOENT) {
    throw SystemError(errno, path);
  }

  std::string temporaryPath;
  FileDescriptor temporary = CreateTemporaryBeside(target, temporaryPath);
  int failure = 0;
  if (exists && Syscalls().fchmod(temporary.Get(), existing.st_mode & 07777) != 0) failure = errno;
  if (failure == 0) failure = WriteAll(temporary.Get(), content);
  if (failure == 0 && temporary.Close() != 0) failure = errno;
  if (failure == 0 && Syscalls().rename(temporaryPath.c_str(), target.c_str()) != 0)
    failure = errno;
  if (failure != 0) {
    Syscalls().unlink(temporaryPath.c_str());
    throw SystemError(failure, path);
  }
}

}  // namespace lumivane
