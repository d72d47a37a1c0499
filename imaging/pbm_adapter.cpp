#include <cctype>
#include <limits>
#include <string>

#include "format_adapters.h"
#include "image_limits.h"
#include "import_errors.h"

namespace lumivane::imaging {
namespace {

// Netpbm's bitmap: "P1" (digits) or "P4" (packed bits, most significant
// first), then width and height as decimal text, with "#" comments and white
// space between the fields. A set bit is black.
class PbmReader {
 public:
  PbmReader(std::string_view bytes, std::string_view fileName)
      : bytes_(bytes), file_name_(fileName) {
    if (bytes_.size() < 2 || bytes_[0] != 'P' || (bytes_[1] != '1' && bytes_[1] != '4')) {
      throw DamagedImageError("not a bitmap", file_name_);
    }
    plain_ = bytes_[1] == '1';
    offset_ = 2;
    size_.width = ReadNumber();
    size_.height = ReadNumber();
  }

  ImageSize Size() const { return size_; }

  GrayFrame Decode() {
    // One white-space character ends the header of the packed form.
    if (!plain_) {
      if (offset_ >= bytes_.size() || !IsSpace(bytes_[offset_])) Fail("header");
      ++offset_;
    }
    const std::size_t rowBytes = (size_.width + 7) / 8;
    if (!plain_ && (bytes_.size() - offset_) / rowBytes < size_.height) Fail("pixel data");
    GrayFrame frame;
    frame.width = static_cast<int>(size_.width);
    frame.height = static_cast<int>(size_.height);
    frame.luminance.resize(static_cast<std::size_t>(frame.width) * frame.height);
    for (int y = 0; y < frame.height; ++y) {
      for (int x = 0; x < frame.width; ++x) {
        const bool black = plain_ ? ReadDigit() : PackedBit(rowBytes, y, x);
        frame.luminance[static_cast<std::size_t>(y) * frame.width + x] = black ? 0 : 255;
      }
    }
    return frame;
  }

 private:
  static bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

  [[noreturn]] void Fail(std::string_view what) const {
    throw DamagedImageError(std::string(what) + " cut short or malformed", file_name_);
  }

  void SkipSpaceAndComments() {
    while (offset_ < bytes_.size()) {
      if (bytes_[offset_] == '#') {
        while (offset_ < bytes_.size() && bytes_[offset_] != '\n') ++offset_;
      } else if (IsSpace(bytes_[offset_])) {
        ++offset_;
      } else {
        return;
      }
    }
  }

  std::uint32_t ReadNumber() {
    SkipSpaceAndComments();
    std::uint64_t value = 0;
    const std::size_t start = offset_;
    while (offset_ < bytes_.size() && std::isdigit(static_cast<unsigned char>(bytes_[offset_]))) {
      value = value * 10 + static_cast<unsigned>(bytes_[offset_] - '0');
      if (value > std::numeric_limits<std::uint32_t>::max()) Fail("size");
      ++offset_;
    }
    if (offset_ == start) Fail("size");
    return static_cast<std::uint32_t>(value);
  }

  bool ReadDigit() {
    SkipSpaceAndComments();
    if (offset_ >= bytes_.size() || (bytes_[offset_] != '0' && bytes_[offset_] != '1')) {
      Fail("pixel data");
    }
    return bytes_[offset_++] == '1';
  }

  bool PackedBit(std::size_t rowBytes, int y, int x) const {
    const std::size_t at = offset_ + static_cast<std::size_t>(y) * rowBytes + x / 8;
    if (at >= bytes_.size()) Fail("pixel data");
    return (static_cast<unsigned char>(bytes_[at]) >> (7 - x % 8)) & 1;
  }

  std::string_view bytes_;
  std::string_view file_name_;
  bool plain_ = false;
  std::size_t offset_ = 0;
  ImageSize size_;
};

}  // namespace

ImageSize PbmSize(std::string_view bytes, std::string_view fileName) {
  return PbmReader(bytes, fileName).Size();
}

std::vector<GrayFrame> DecodePbm(std::string_view bytes, std::string_view fileName) {
  PbmReader reader(bytes, fileName);
  CheckDecodable(reader.Size(), fileName);
  return {reader.Decode()};
}

}  // namespace lumivane::imaging
