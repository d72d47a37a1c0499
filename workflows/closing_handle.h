#pragma once

#include <utility>

namespace lumivane {

// A handle of the system, closed on every path out of a function. `Kind`
// names the value of no handle (Kind::None()) and how one is closed
// (Kind::Close, which returns 0 or what made the close fail).
template <typename Kind>
class ClosingHandle {
 public:
  using Handle = decltype(Kind::None());

  explicit ClosingHandle(Handle handle) : handle_(handle) {}
  ClosingHandle(const ClosingHandle&) = delete;
  ClosingHandle& operator=(const ClosingHandle&) = delete;
  ~ClosingHandle() {
    if (IsOpen()) Kind::Close(handle_);
  }
  bool IsOpen() const { return handle_ != Kind::None(); }
  Handle Get() const { return handle_; }
  // Closes now, so a failing close (a delayed write error) can be reported.
  auto Close() { return Kind::Close(std::exchange(handle_, Kind::None())); }

 private:
  Handle handle_;
};

}  // namespace lumivane
