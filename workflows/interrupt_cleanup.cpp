#include "interrupt_cleanup.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace lumivane {
namespace {

// A signal handler may only read what it finds complete: the path is copied
// while `pending` is 0 and announced by setting it afterwards.
constexpr std::size_t kPathRoom = 4096;
char pendingPath[kPathRoom];
volatile std::sig_atomic_t pending = 0;

extern "C" void RemovePendingAndExit(int signal) {
  if (pending != 0) {
#ifdef _WIN32
    ::_unlink(pendingPath);
#else
    ::unlink(pendingPath);
#endif
  }
  std::_Exit(128 + signal);
}

void Catch(int signal) {
  if (std::signal(signal, RemovePendingAndExit) == SIG_IGN) std::signal(signal, SIG_IGN);
}

}  // namespace

void RemoveTemporaryOnInterrupt() {
  Catch(SIGINT);
  Catch(SIGTERM);
#ifdef SIGHUP
  Catch(SIGHUP);
#endif
#ifdef SIGXFSZ
  Catch(SIGXFSZ);
#endif
}

void MarkPendingTemporary(const std::string& path) {
  pending = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (path.size() >= kPathRoom) return;
  std::memcpy(pendingPath, path.c_str(), path.size() + 1);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  pending = 1;
}

void ClearPendingTemporary() {
  pending = 0;
}

}  // namespace lumivane
