#include "decoder_support.h"

#include <gtest/gtest.h>

#include <string>

#include "conversion_state.h"
#include "convert_source_text.h"
#include "memory_surface.h"

namespace lumivane::test {

Bytes EncodeWithEngine(const Bytes& bytes) {
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = "img.xbm";
  state.SourceText = XbmText("img", bytes);
  ConvertSourceText(state, window);
  Bytes encoded;
  for (std::int32_t i = 1; i < window.List2().Count(); ++i) {
    const unsigned long value = std::stoul(window.List2().Item(i).substr(2), nullptr, 16);
    EXPECT_LE(value, 0xFFu) << "item " << i;
    encoded.push_back(static_cast<unsigned char>(value));
  }
  return encoded;
}

GuardedSource::GuardedSource(const Bytes& encoded) : scrambled_(encoded) {
  for (unsigned char& byte : scrambled_) byte ^= kScramble;
  current_ = this;
}

GuardedSource::~GuardedSource() {
  current_ = nullptr;
}

unsigned char GuardedSource::Read(const unsigned char* address) {
  GuardedSource& source = *current_;
  const unsigned char* begin = source.scrambled_.data();
  if (address < begin || address >= begin + source.scrambled_.size()) {
    source.stray_read_ = true;
    return 0;
  }
  return static_cast<unsigned char>(*address ^ kScramble);
}

GuardedBuffer::GuardedBuffer(std::size_t size) : size_(size), bytes_(size + kGuard, kGuardByte) {}

Bytes GuardedBuffer::Contents() const {
  return Bytes(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(size_));
}

bool GuardedBuffer::Overrun() const {
  for (std::size_t i = size_; i < bytes_.size(); ++i) {
    if (bytes_[i] != kGuardByte) return true;
  }
  return false;
}

}  // namespace lumivane::test
