#pragma once

#include <string>
#include <string_view>

namespace lumivane::bench {

// Where a scratch folder lies. In memory (/dev/shm, where there is one),
// replacing thousands of files over and over costs the same every run; on a
// disk file system each run is slower than the last, which can hide what the
// program itself costs.
enum class Storage { kTemporaryDirectory, kMemory };

// A fresh folder, removed with everything in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(Storage storage = Storage::kTemporaryDirectory);
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  const std::string& Path() const { return path_; }
  // Returns the path of the file written.
  std::string Write(std::string_view name, std::string_view content) const;

 private:
  std::string path_;
};

// The text of the bitmap file whose array is `name`, the `index`-th of its folder.
using BitmapText = std::string (*)(const std::string& name, unsigned index);

// A scratch folder of `count` bitmaps, "img00000.xbm" onwards, made by `text`.
class BitmapFolder : public ScratchFolder {
 public:
  BitmapFolder(int count, BitmapText text, Storage storage = Storage::kTemporaryDirectory);
};

}  // namespace lumivane::bench
