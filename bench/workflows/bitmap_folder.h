#pragma once

#include <cstddef>
#include <string>

namespace lumivane::bench {

inline constexpr std::size_t kBitmapSize = 1024;

// An XBM text of exactly kBitmapSize bytes with runs of 0x00 and 0xFF between
// other bytes, as a typical small display image has.
std::string MakeBitmap(int index);

// A temporary folder of `count` such bitmaps, removed with all it holds.
class BitmapFolder {
 public:
  explicit BitmapFolder(int count);
  BitmapFolder(const BitmapFolder&) = delete;
  BitmapFolder& operator=(const BitmapFolder&) = delete;
  ~BitmapFolder();

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace lumivane::bench
