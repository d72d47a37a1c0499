#include "unusual_files.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

namespace lumivane::test {

bool MakeFifo(const std::string& path) {
  return ::mkfifo(path.c_str(), 0666) == 0;
}

bool MakeEndlessDevice(const std::string& path) {
  // The same device as /dev/zero: reading it never ends.
  return ::mknod(path.c_str(), S_IFCHR | 0666, ::makedev(1, 5)) == 0;
}

HangGuard::HangGuard(unsigned seconds) {
  ::alarm(seconds);
}

HangGuard::~HangGuard() {
  ::alarm(0);
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  rlimit limit{};
  if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("getrlimit failed");
  previous_soft_limit_ = limit.rlim_cur;
  previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
  limit.rlim_cur = bytes;
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) throw std::runtime_error("setrlimit failed");
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = previous_soft_limit_;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, previous_handler_);
}

}  // namespace lumivane::test
