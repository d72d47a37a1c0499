#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lumivane::bench {

using Bytes = std::vector<unsigned char>;

// Bytes of a display image: bands of 0x00 and 0xFF between patterned bytes.
Bytes ImageBytes(std::size_t count, unsigned seed);

// The bytes as an XBM file writes them, twelve lower-case literals a line.
std::string XbmText(const std::string& name, const Bytes& bytes);

// An XBM text of exactly `size` characters (padded with blanks before "};").
std::string XbmTextOfSize(const std::string& name, std::size_t size, unsigned seed);

void WriteFile(const std::string& path, const std::string& content);

// A temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace lumivane::bench
