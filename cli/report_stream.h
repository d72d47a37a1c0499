#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string_view>
#include <thread>

namespace lumivane::cli {

// Where the report lines go. On a terminal each piece is shown at once, its
// control bytes escaped. Otherwise the bytes are kept as they are and
// buffered, and a piece waits at most kMaxDelay: only file work can hold the
// run up, so before each read or write of a file (BeforeFileWork) the first
// time pending pieces are sent at once, and from the second time on a thread
// sends them within kMaxDelay. A one-file run thus starts no thread. Flush
// (before an error message) and the end of the run send the rest.
class ReportStream {
 public:
  static constexpr auto kMaxDelay = std::chrono::milliseconds(100);

  explicit ReportStream(std::FILE* stream);
  ~ReportStream();
  ReportStream(const ReportStream&) = delete;
  ReportStream& operator=(const ReportStream&) = delete;

  void Write(std::string_view piece);
  void BeforeFileWork();
  void Flush();
  // Ends the report's last line, once, as a terminal expects.
  void End();

 private:
  void StartFlusher();
  void FlushWithin();

  std::FILE* stream_;
  bool terminal_;
  // Standard error is never buffered by the C library; only standard output is.
  bool buffered_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool pending_ = false;
  bool stopping_ = false;
  bool flushed_before_work_ = false;
  bool ended_ = false;
  std::thread flusher_;
};

}  // namespace lumivane::cli
