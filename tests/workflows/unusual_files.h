#pragma once

#include <sys/resource.h>

#include <string>

namespace lumivane::test {

// Special files named like bitmaps or headers. Each returns false when the
// machine does not allow it (a device node needs the right to create one).
bool MakeFifo(const std::string& path);
bool MakeEndlessDevice(const std::string& path);

// Kills the test process if a call blocks: a reader stuck on a FIFO or
// reading a device without end must fail the test, not hang it.
class HangGuard {
 public:
  explicit HangGuard(unsigned seconds = 20);
  HangGuard(const HangGuard&) = delete;
  HangGuard& operator=(const HangGuard&) = delete;
  ~HangGuard();
};

// Makes every write beyond `bytes` into any file fail with EFBIG, the way a
// full disk stops a write part-way, until the object goes away.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit();

 private:
  rlim_t previous_soft_limit_;
  void (*previous_handler_)(int);
};

}  // namespace lumivane::test
