#include <cctype>
#include <climits>
#include <string>

#include "image_reader.h"
#include "import_errors.h"
#include "luminance.h"

namespace lumivane::imaging {
namespace {

// Netpbm's three formats, each plain (decimal text: P1, P2, P3) or binary
// (P4, P5, P6): "P" and the digit, then width, height and, except for the
// bitmap, the largest sample value, as decimal text with white space and "#"
// comments (to the end of the line) between them. One white-space character
// ends the header of a binary file. A bitmap's set bit is black, packed most
// significant first in whole bytes a row; a binary sample is one byte, or two
// (most significant first) when the largest value is over 255.
class NetpbmReader : public ImageReader {
 public:
  explicit NetpbmReader(std::string_view bytes) : bytes_(bytes) {
    const char kind = bytes_[1];
    plain_ = kind <= '3';
    channels_ = kind == '3' || kind == '6' ? 3 : 1;
    bitmap_ = kind == '1' || kind == '4';
    offset_ = 2;
    size_.width = ReadNumber("header", INT_MAX);
    size_.height = ReadNumber("header", INT_MAX);
    if (!bitmap_) {
      max_value_ = ReadNumber("header", INT_MAX);
      if (max_value_ < 1 || max_value_ > 65535) throw MalformedError("largest sample value");
    }
  }

  Size DeclaredSize() const override { return size_; }

  std::vector<GrayFrame> Decode() override {
    if (!plain_) {
      if (offset_ >= bytes_.size() || !IsSpace(bytes_[offset_])) throw MalformedError("header");
      ++offset_;
      const std::uint64_t sampleBytes = max_value_ > 255 ? 2 : 1;
      const std::uint64_t rowBytes =
          bitmap_ ? (std::uint64_t{static_cast<unsigned>(size_.width)} + 7) / 8
                  : std::uint64_t{static_cast<unsigned>(size_.width)} * channels_ * sampleBytes;
      if ((bytes_.size() - offset_) / rowBytes < static_cast<std::uint64_t>(size_.height)) {
        throw MalformedError("pixel data");
      }
    }
    Plane plane{size_.width, size_.height,
                std::vector<std::uint8_t>(static_cast<std::size_t>(size_.width) *
                                          static_cast<std::size_t>(size_.height))};
    for (int y = 0; y < size_.height; ++y) {
      for (int x = 0; x < size_.width; ++x) {
        if (bitmap_) {
          plane.At(x, y) = (plain_ ? ReadDigit() : PackedBit(y, x)) ? 0 : 255;
        } else if (channels_ == 1) {
          plane.At(x, y) = ReadSample();
        } else {
          const std::uint8_t red = ReadSample();
          const std::uint8_t green = ReadSample();
          plane.At(x, y) = Luminance(red, green, ReadSample());
        }
      }
    }
    return {GrayFrame{std::move(plane), std::nullopt}};
  }

 private:
  static bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
  static bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

  void SkipSpaceAndComments() {
    while (offset_ < bytes_.size()) {
      if (bytes_[offset_] == '#') {
        while (offset_ < bytes_.size() && bytes_[offset_] != '\n' && bytes_[offset_] != '\r') {
          ++offset_;
        }
      } else if (IsSpace(bytes_[offset_])) {
        ++offset_;
      } else {
        return;
      }
    }
  }

  // A decimal number of at most `limit`; anything else is malformed.
  int ReadNumber(std::string_view what, int limit) {
    SkipSpaceAndComments();
    std::int64_t value = 0;
    const std::size_t start = offset_;
    while (offset_ < bytes_.size() && IsDigit(bytes_[offset_])) {
      value = value * 10 + (bytes_[offset_++] - '0');
      if (value > limit) throw MalformedError(what);
    }
    if (offset_ == start) throw MalformedError(what);
    return static_cast<int>(value);
  }

  bool ReadDigit() {
    SkipSpaceAndComments();
    if (offset_ >= bytes_.size() || (bytes_[offset_] != '0' && bytes_[offset_] != '1')) {
      throw MalformedError("pixel data");
    }
    return bytes_[offset_++] == '1';
  }

  bool PackedBit(int y, int x) const {
    const std::size_t rowBytes = (static_cast<std::size_t>(size_.width) + 7) / 8;
    const auto byte = static_cast<unsigned char>(
        bytes_[offset_ + static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(x / 8)]);
    return (byte >> (7 - x % 8)) & 1;
  }

  // The next sample, scaled from 0..largest to 0..255, rounding half to even
  // as Netpbm's and Python's tools do; a sample above the largest value
  // counts as the largest.
  std::uint8_t ReadSample() {
    int value = 0;
    if (plain_) {
      value = ReadNumber("pixel data", 65535);
    } else if (max_value_ > 255) {
      value = static_cast<unsigned char>(bytes_[offset_]) << 8 |
              static_cast<unsigned char>(bytes_[offset_ + 1]);
      offset_ += 2;
    } else {
      value = static_cast<unsigned char>(bytes_[offset_++]);
    }
    const int scaled = std::min(value, max_value_) * 255;
    int rounded = scaled / max_value_;
    const int twiceRest = 2 * (scaled % max_value_);
    if (twiceRest > max_value_ || (twiceRest == max_value_ && rounded % 2 == 1)) ++rounded;
    return static_cast<std::uint8_t>(rounded);
  }

  std::string_view bytes_;
  bool plain_ = false;
  bool bitmap_ = false;
  int channels_ = 1;
  int max_value_ = 255;
  std::size_t offset_ = 0;
  Size size_;
};

}  // namespace

std::unique_ptr<ImageReader> OpenNetpbm(std::string_view bytes) {
  return std::make_unique<NetpbmReader>(bytes);
}

}  // namespace lumivane::imaging
