#pragma once

#include <string>

namespace lumivane::test {

// A system call that goes wrong for one file, through the workflows' seam.
enum class FailingCall {
  kRead,              // reading the file fails (EIO)
  kFchmod,            // giving the temporary the old file's mode fails (EPERM)
  kFchown,            // giving the temporary the old file's owner is not allowed (EPERM)
  kCreateTemporary,   // the folder takes no new file (EACCES)
  kCreateImmutable,   // nor does an immutable one (EPERM)
  kShortWrite,        // half is written, then the disk is full (ENOSPC)
  kInterruptedWrite,  // every write is first interrupted (EINTR), then cut short
  kInterruptedRead,   // every read is first interrupted (EINTR)
  kZeroWrite,         // every write takes nothing and reports no error
  kClose,             // closing reports a delayed write error (EIO)
  kRename,            // the temporary cannot be renamed over the file (EXDEV)
};

// From now on, `call` goes wrong for `path` itself and for the temporary file
// that replaces it; every other file sees the real calls.
void FailSystemCall(FailingCall call, const std::string& path);

// Back to the real calls.
void RestoreSystemCalls();

}  // namespace lumivane::test
