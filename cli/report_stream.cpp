#include "report_stream.h"

#include <string>
#include <utility>

#include "terminal_text.h"

#ifndef _WIN32
#include <csignal>
#endif

namespace lumivane::cli {

ReportStream::ReportStream(std::FILE* stream)
    : stream_(stream), terminal_(IsTerminal(stream)), buffered_(!terminal_ && stream != stderr) {}

ReportStream::~ReportStream() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  if (flusher_.joinable()) flusher_.join();
  Flush();
}

void ReportStream::Write(std::string_view piece) {
  if (terminal_) {
    const std::string shown = EscapeControls(piece);
    std::fwrite(shown.data(), 1, shown.size(), stream_);
    std::fflush(stream_);
    return;
  }
  const std::lock_guard lock(mutex_);
  std::fwrite(piece.data(), 1, piece.size(), stream_);
  if (!buffered_ || pending_) return;
  pending_ = true;
  if (flusher_.joinable()) wake_.notify_one();
}

void ReportStream::End() {
  if (!std::exchange(ended_, true)) Write("\n");
}

void ReportStream::BeforeFileWork() {
  const std::lock_guard lock(mutex_);
  if (!pending_ || flusher_.joinable()) return;
  if (std::exchange(flushed_before_work_, true)) {
    StartFlusher();
    return;
  }
  std::fflush(stream_);
  pending_ = false;
}

void ReportStream::StartFlusher() {
#ifdef _WIN32
  flusher_ = std::thread([this] { FlushWithin(); });
#else
  // Signals stay with the main thread, whose handlers expect to run there.
  sigset_t all;
  sigset_t previous;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &previous);
  flusher_ = std::thread([this] { FlushWithin(); });
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
#endif
}

void ReportStream::Flush() {
  const std::lock_guard lock(mutex_);
  std::fflush(stream_);
  pending_ = false;
}

void ReportStream::FlushWithin() {
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return pending_ || stopping_; });
    if (wake_.wait_for(lock, kMaxDelay, [this] { return stopping_; })) return;
    std::fflush(stream_);
    pending_ = false;
  }
}

}  // namespace lumivane::cli
