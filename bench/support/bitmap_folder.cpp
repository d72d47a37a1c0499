#include "bitmap_folder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace lumivane::bench {

namespace fs = std::filesystem;

namespace {

std::string ParentFolder(Storage storage) {
  const std::string memory = "/dev/shm";
  if (storage == Storage::kMemory && fs::is_directory(memory) &&
      ::access(memory.c_str(), W_OK) == 0) {
    return memory;
  }
  return fs::temp_directory_path().string();
}

}  // namespace

ScratchFolder::ScratchFolder(Storage storage) {
  std::string pattern = ParentFolder(storage) + "/lumivane-bench-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot make a scratch folder");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string ScratchFolder::Write(std::string_view name, std::string_view content) const {
  const std::string path = path_ + "/" + std::string(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
  return path;
}

BitmapFolder::BitmapFolder(int count, BitmapText text, Storage storage) : ScratchFolder(storage) {
  char name[32];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, "img%05d", i);
    Write(std::string(name) + ".xbm", text(name, static_cast<unsigned>(i)));
  }
}

}  // namespace lumivane::bench
