#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "app_error.h"
#include "closing_handle.h"
#include "file_order.h"
#include "interrupt_cleanup.h"
#include "native_files.h"
#include "source_scanner.h"
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

struct Descriptor {
  static int None() { return -1; }
  static int Close(int fd) { return Syscalls().close(fd); }
};
using FileDescriptor = ClosingHandle<Descriptor>;

struct Directory {
  static DIR* None() { return nullptr; }
  static int Close(DIR* dir) { return ::closedir(dir); }
};
using DirectoryHandle = ClosingHandle<Directory>;

// The process's own user and group, and the mode a new file gets: asked
// once, since a batch replaces one file after another.
struct Creator {
  uid_t user;
  gid_t group;
  mode_t newFileMode;
};

const Creator& Me() {
  static const Creator creator = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return Creator{::geteuid(), ::getegid(), static_cast<mode_t>(0666 & ~mask)};
  }();
  return creator;
}

// Refuses an existing file the user may not write, as opening it for writing
// would. Root may write anything, yet a file nobody may write is still
// read-only. The owner's right is its owner bits, access lists or not; only
// for others is the system asked, which saves a call per file in a batch.
void RequireWritable(const std::string& path, const struct stat& info) {
  const uid_t user = Me().user;
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
// gets a temporary name the file system accepts. The name is marked before
// the file exists, so an interrupt at any moment finds it. Returns -1 with
// errno set when the folder takes no new file.
int CreateTemporaryBeside(const std::string& target, std::string& temporaryPath) {
  static std::atomic<unsigned> counter{0};
  const auto slash = target.rfind('/');
  const std::size_t leafStart = slash == std::string::npos ? 0 : slash + 1;
  const std::string_view folder = std::string_view(target).substr(0, leafStart);
  const std::string_view leaf = std::string_view(target).substr(leafStart, kTemporaryLeafLimit);
  for (;;) {
    // Built in place: a batch makes one temporary name per file.
    temporaryPath.assign(folder).append(".").append(leaf).append(".tmp-").append(ProcessId());
    temporaryPath.append("-").append(std::to_string(counter++));
    MarkPendingTemporary(temporaryPath);
    const int fd =
        Syscalls().open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      if (fd < 0) ClearPendingTemporary();
      return fd;
    }
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

FileIdentity IdentityOf(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

// A listed entry that is an ordinary file, with its identity. The entry's own
// type answers without a further call; links and file systems that do not
// tell are asked; `prefix` is the folder with its separator.
std::optional<FileIdentity> OrdinaryFileIdentity(const dirent& entry, const std::string& prefix,
                                                 dev_t folderDevice) {
  if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) {
    if (entry.d_type != DT_REG) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(folderDevice),
                        static_cast<std::uint64_t>(entry.d_ino)};
  }
  const std::string path = prefix + entry.d_name;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return IdentityOf(info);
}

void RequireOrdinarySource(const std::string& path, const struct stat& info) {
  if (S_ISDIR(info.st_mode)) throw SystemError(EISDIR, path);
  if (!S_ISREG(info.st_mode)) throw AppError::NotOrdinaryFile(path);
  if (static_cast<std::uint64_t>(info.st_size) > kLargestSource) throw SystemError(EFBIG, path);
}

// Reads are this large: a whole bitmap text at once, the text of a file too
// large for the conversion no further than needed.
constexpr std::size_t kReadChunk = std::size_t{1} << 20;

char* ReadBuffer() {
  static const std::unique_ptr<char[]> buffer(new char[kReadChunk]);
  return buffer.get();
}

// Where the existing output is: the path itself, or the file its link leads
// to, which may not exist yet. `info` is filled when a file is there.
struct OutputTarget {
  std::string path;
  bool exists = false;
  bool throughLink = false;
  struct stat info {};
};

OutputTarget FindTarget(const std::string& path) {
  // As many links in a row as the system itself follows.
  constexpr int kMostLinks = 40;
  OutputTarget target{path};
  for (int hops = 0;; ++hops) {
    if (::lstat(target.path.c_str(), &target.info) != 0) {
      if (errno != ENOENT) throw SystemError(errno, path);
      return target;
    }
    if (!S_ISLNK(target.info.st_mode)) break;
    if (hops == kMostLinks) throw SystemError(ELOOP, path);
    std::error_code error;
    const std::filesystem::path next = std::filesystem::read_symlink(target.path, error);
    if (error) throw SystemError(error.value(), path);
    target.path = next.is_absolute()
                      ? next.string()
                      : (std::filesystem::path(target.path).parent_path() / next).string();
    target.throughLink = true;
  }
  target.exists = true;
  return target;
}

// The header of a source must never land in the source itself. A plain file
// with one name is compared with what was known when the source was read;
// through a link, or to a file with several names, where writing could reach
// the source, the source is asked again, so a source replaced since counts.
void RefuseTheSource(const std::string& path, const OutputTarget& target,
                     const SourceOrigin& source) {
  const FileIdentity output = IdentityOf(target.info);
  bool same = source.identity == output;
  if (!same && (target.throughLink || target.info.st_nlink > 1)) {
    struct stat now {};
    same = ::stat(source.path.c_str(), &now) == 0 && IdentityOf(now) == output;
  }
  if (same) throw OutputIsSource(path);
}

// Gives the temporary the owner and group of the file it replaces where they
// differ from a new file's. Returns 0 or the error of the call.
int TakeOverOwner(int fd, const struct stat& existing) {
  const Creator& me = Me();
  if (existing.st_uid == me.user && existing.st_gid == me.group) return 0;
  const uid_t owner = existing.st_uid == me.user ? static_cast<uid_t>(-1) : existing.st_uid;
  const gid_t group = existing.st_gid == me.group ? static_cast<gid_t>(-1) : existing.st_gid;
  return Syscalls().fchown(fd, owner, group) == 0 ? 0 : errno;
}

// The same for the mode, which our own new file can always be given.
int TakeOverMode(int fd, const struct stat& existing) {
  const mode_t mode = existing.st_mode & 07777;
  if (mode == Me().newFileMode) return 0;
  return Syscalls().fchmod(fd, mode) == 0 ? 0 : errno;
}

// Where no replacement can carry the old file's owner, the file itself is
// rewritten: it keeps owner, group and mode, though a failure part-way
// leaves it cut short.
void WriteInPlace(const std::string& path, const std::string& target, std::string_view content) {
  FileDescriptor file(
      Syscalls().open(target.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0));
  if (file.Get() < 0) throw SystemError(errno, path);
  int failure = WriteAll(file.Get(), content);
  if (failure == 0 && file.Close() != 0) failure = errno;
  if (failure != 0) throw SystemError(failure, path);
}

}  // namespace

std::optional<FileIdentity> IdentityOfPath(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return IdentityOf(info);
}

std::vector<ListedFile> ListOrdinaryFiles(const std::string& folder) {
  DirectoryHandle dir(::opendir(folder.c_str()));
  if (dir.Get() == nullptr) throw SystemError(errno, folder);
  struct stat folderInfo {};
  if (::fstat(::dirfd(dir.Get()), &folderInfo) != 0) throw SystemError(errno, folder);
  std::vector<ListedFile> files;
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  while (const dirent* entry = ::readdir(dir.Get())) {
    const std::string_view name = entry->d_name;
    if (name.empty() || name.front() == '.') continue;
    if (auto identity = OrdinaryFileIdentity(*entry, prefix, folderInfo.st_dev)) {
      files.push_back({std::string(name), identity});
    }
  }
  SortByFileName(files, [](const ListedFile& file) -> const std::string& { return file.name; });
  return files;
}

namespace {

// Without a scanner the file is read to its end.
SourceFile ReadOrdinaryFile(const std::string& path, const std::optional<FileIdentity>& listed,
                            SourceScanner* scanner) {
  FileDescriptor file(Syscalls().open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0));
  if (file.Get() < 0) throw SystemError(errno, path);
  SourceFile source{{}, listed};
  // The size is asked before reading, unless a listing found the file just
  // now: then only a file that fills the first read is asked about.
  std::optional<std::uint64_t> size;
  const auto askSize = [&] {
    struct stat info {};
    if (Syscalls().fstat(file.Get(), &info) != 0) throw SystemError(errno, path);
    RequireOrdinarySource(path, info);
    source.identity = IdentityOf(info);
    size = static_cast<std::uint64_t>(info.st_size);
    source.text.reserve(static_cast<std::size_t>(*size));
  };
  if (!listed) askSize();

  char* buffer = ReadBuffer();
  for (;;) {
    std::size_t wanted = kReadChunk;
    if (size) {
      if (source.text.size() >= *size) break;
      wanted =
          static_cast<std::size_t>(std::min<std::uint64_t>(wanted, *size - source.text.size()));
    }
    const ssize_t got = Syscalls().read(file.Get(), buffer, wanted);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw SystemError(errno, path);
    }
    if (got == 0) break;
    source.text.append(buffer, static_cast<std::size_t>(got));
    // An ordinary file reads short only at its end. One that fills the first
    // read is asked now, so that one too large is refused as it is unlisted.
    const bool ended = !size && static_cast<std::size_t>(got) < wanted;
    if (!size && !ended) askSize();
    // Once all is read, the conversion gives the same verdict itself.
    if (ended || source.text.size() >= *size) break;
    if (scanner == nullptr) continue;
    scanner->Feed({buffer, static_cast<std::size_t>(got)});
    if (scanner->OverflowCertain()) throw AppError::Overflow();
  }
  return source;
}

}  // namespace

SourceFile ReadSourceFile(const std::string& path, const std::optional<FileIdentity>& listed) {
  SourceScanner scanner;
  return ReadOrdinaryFile(path, listed, &scanner);
}

SourceFile ReadBoundedFile(const std::string& path) {
  return ReadOrdinaryFile(path, std::nullopt, nullptr);
}

void ReplaceFileWhole(const std::string& path, std::string_view content,
                      const SourceOrigin* source) {
  const OutputTarget target = FindTarget(path);
  if (target.exists) {
    if (S_ISDIR(target.info.st_mode)) throw SystemError(EISDIR, path);
    if (!S_ISREG(target.info.st_mode)) throw AppError::NotOrdinaryFile(path);
    if (source != nullptr) RefuseTheSource(path, target, *source);
    RequireWritable(path, target.info);
  }

  std::string temporaryPath;
  FileDescriptor temporary(CreateTemporaryBeside(target.path, temporaryPath));
  if (temporary.Get() < 0) {
    if (target.exists && (errno == EACCES || errno == EPERM)) {
      WriteInPlace(path, target.path, content);
      return;
    }
    throw SystemError(errno, path);
  }
  int failure = target.exists ? TakeOverOwner(temporary.Get(), target.info) : 0;
  if (failure == EPERM) {
    // Another user's file that we may write but not give to him: in place.
    temporary.Close();
    Syscalls().unlink(temporaryPath.c_str());
    ClearPendingTemporary();
    WriteInPlace(path, target.path, content);
    return;
  }
  if (failure == 0 && target.exists) failure = TakeOverMode(temporary.Get(), target.info);
  if (failure == 0) failure = WriteAll(temporary.Get(), content);
  if (failure == 0 && temporary.Close() != 0) failure = errno;
  if (failure == 0 && Syscalls().rename(temporaryPath.c_str(), target.path.c_str()) != 0)
    failure = errno;
  if (failure != 0) Syscalls().unlink(temporaryPath.c_str());
  ClearPendingTemporary();
  if (failure != 0) throw SystemError(failure, path);
}

}  // namespace lumivane
