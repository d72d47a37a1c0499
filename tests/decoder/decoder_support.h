#pragma once

#include <cstddef>

#include "xbm_writer.h"

namespace lumivane::test {

// The engine's compressed items as the bytes a C compiler makes of them.
Bytes EncodeWithEngine(const Bytes& bytes);

// A compressed array held scrambled, as memory the decoder must not touch
// directly (flash on AVR) would be: only its reader gives the right bytes,
// and a read outside the array is recorded instead of made.
class GuardedSource {
 public:
  explicit GuardedSource(const Bytes& encoded);
  ~GuardedSource();
  GuardedSource(const GuardedSource&) = delete;
  GuardedSource& operator=(const GuardedSource&) = delete;

  static unsigned char Read(const unsigned char* address);

  const unsigned char* data() const { return scrambled_.data(); }
  std::size_t size() const { return scrambled_.size(); }
  // True when a read fell outside the array since construction.
  bool StrayRead() const { return stray_read_; }

 private:
  static constexpr unsigned char kScramble = 0x5A;
  static inline GuardedSource* current_ = nullptr;
  Bytes scrambled_;
  bool stray_read_ = false;
};

// A buffer of `size` bytes followed by a guard area that must stay untouched.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(std::size_t size);
  unsigned char* data() { return bytes_.data(); }
  Bytes Contents() const;
  // True when the guard area behind the buffer was written.
  bool Overrun() const;

 private:
  static constexpr std::size_t kGuard = 300;
  static constexpr unsigned char kGuardByte = 0xA5;
  std::size_t size_;
  Bytes bytes_;
};

}  // namespace lumivane::test
