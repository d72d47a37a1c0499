#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace lumivane::test {

using Bytes = std::vector<std::uint8_t>;

// The image size an XBM file's define lines declare.
struct XbmSize {
  std::size_t width;
  std::size_t height;
};

// Writes an XBM file as image editors do: define lines, the array head, then
// the bytes as lower-case literals, twelve to a line, LF line ends.
class XbmWriter {
 public:
  XbmWriter(std::string_view name, XbmSize size);

  void Add(std::uint8_t byte);
  // Characters written so far, the array's end not counted.
  std::size_t Size() const { return text_.size(); }
  // The whole text, with `blanks` spaces before the array's end.
  std::string Finish(std::size_t blanks = 0) const;

 private:
  std::string text_;
  std::size_t count_ = 0;
};

// `bytes` as an image 8 pixels wide, a row for each byte.
std::string XbmText(std::string_view name, const Bytes& bytes);
std::string XbmText(std::string_view name, const Bytes& bytes, XbmSize size);

// `count` bytes of `value`.
Bytes Run(std::size_t count, std::uint8_t value);

Bytes Concat(std::initializer_list<Bytes> parts);

}  // namespace lumivane::test
