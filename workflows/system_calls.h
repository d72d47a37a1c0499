#pragma once

#include <sys/stat.h>
#include <sys/types.h>

namespace lumivane {

// The system calls that read and replace files, called through one table so
// that a test can make any of them fail (-1 with an errno, EINTR included) as
// a full disk or a lost network share would. The program never changes it.
struct SystemCalls {
  int (*open)(const char* path, int flags, mode_t mode);
  int (*fstat)(int fd, struct stat* info);
  ssize_t (*read)(int fd, void* buffer, size_t size);
  ssize_t (*write)(int fd, const void* buffer, size_t size);
  int (*fchmod)(int fd, mode_t mode);
  int (*fchown)(int fd, uid_t owner, gid_t group);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
  int (*unlink)(const char* path);
};

// The operating system's own calls.
SystemCalls RealSystemCalls();

// The table in use: the real calls unless a test has replaced some.
SystemCalls& Syscalls();

}  // namespace lumivane
