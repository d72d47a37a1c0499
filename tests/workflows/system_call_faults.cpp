#include "system_call_faults.h"

#include <fcntl.h>

#include <cerrno>
#include <string_view>

#include "path_rules.h"
#include "system_calls.h"

namespace lumivane::test {
namespace {

struct Fault {
  FailingCall call;
  std::string path;
  // The temporary files beside the path start with this.
  std::string temporaryPrefix;
  int fd = -1;
  bool interrupted = false;
};

Fault fault;

const SystemCalls& Real() {
  static const SystemCalls real = RealSystemCalls();
  return real;
}

int Fail(int number) {
  errno = number;
  return -1;
}

int Open(const char* path, int flags, mode_t mode) {
  const std::string_view name = path;
  const bool creates =
      fault.call == FailingCall::kCreateTemporary || fault.call == FailingCall::kCreateImmutable;
  if (creates && (flags & O_EXCL) != 0 && name.starts_with(fault.temporaryPrefix)) {
    return Fail(fault.call == FailingCall::kCreateTemporary ? EACCES : EPERM);
  }
  const int fd = Real().open(path, flags, mode);
  if (fd >= 0 && (name == fault.path || name.starts_with(fault.temporaryPrefix))) fault.fd = fd;
  return fd;
}

ssize_t Read(int fd, void* buffer, size_t size) {
  if (fd != fault.fd) return Real().read(fd, buffer, size);
  if (fault.call == FailingCall::kRead) return Fail(EIO);
  if (fault.call != FailingCall::kInterruptedRead) return Real().read(fd, buffer, size);
  fault.interrupted = !fault.interrupted;
  if (fault.interrupted) return Fail(EINTR);
  return Real().read(fd, buffer, size);
}

ssize_t Write(int fd, const void* buffer, size_t size) {
  if (fd != fault.fd) return Real().write(fd, buffer, size);
  switch (fault.call) {
    case FailingCall::kShortWrite:
      if (size > 1) return Real().write(fd, buffer, size / 2);
      return Fail(ENOSPC);
    case FailingCall::kInterruptedWrite:
      fault.interrupted = !fault.interrupted;
      if (fault.interrupted) return Fail(EINTR);
      return Real().write(fd, buffer, (size + 1) / 2);
    case FailingCall::kZeroWrite:
      return 0;
    default:
      return Real().write(fd, buffer, size);
  }
}

int Fchmod(int fd, mode_t mode) {
  if (fd == fault.fd && fault.call == FailingCall::kFchmod) return Fail(EPERM);
  return Real().fchmod(fd, mode);
}

int Fchown(int fd, uid_t owner, gid_t group) {
  if (fd == fault.fd && fault.call == FailingCall::kFchown) return Fail(EPERM);
  return Real().fchown(fd, owner, group);
}

int Close(int fd) {
  const int result = Real().close(fd);
  if (fd != fault.fd) return result;
  fault.fd = -1;
  return fault.call == FailingCall::kClose ? Fail(EIO) : result;
}

int Rename(const char* from, const char* to) {
  if (fault.call == FailingCall::kRename &&
      std::string_view(from).starts_with(fault.temporaryPrefix)) {
    return Fail(EXDEV);
  }
  return Real().rename(from, to);
}

}  // namespace

void FailSystemCall(FailingCall call, const std::string& path) {
  fault = {call, path, DirName(path) + "/." + LeafName(path) + ".tmp-"};
  SystemCalls& calls = Syscalls();
  calls.open = Open;
  calls.read = Read;
  calls.write = Write;
  calls.fchmod = Fchmod;
  calls.fchown = Fchown;
  calls.close = Close;
  calls.rename = Rename;
}

void RestoreSystemCalls() {
  Syscalls() = Real();
  fault = {};
}

}  // namespace lumivane::test
