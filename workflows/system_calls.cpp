#include "system_calls.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace lumivane {

SystemCalls RealSystemCalls() {
  return {
      // open takes its mode through "...", which a function pointer cannot.
      [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
      ::fstat,
      ::read,
      ::write,
      ::fchmod,
      ::fchown,
      ::close,
      ::rename,
      ::unlink,
  };
}

SystemCalls& Syscalls() {
  static SystemCalls calls = RealSystemCalls();
  return calls;
}

}  // namespace lumivane
