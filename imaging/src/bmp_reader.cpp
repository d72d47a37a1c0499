#include <algorithm>
#include <bit>
#include <string>

#include "image_reader.h"
#include "import_errors.h"
#include "luminance.h"

namespace lumivane::imaging {
namespace {

// BMP as Windows and OS/2 write it: a 14-byte file header (the pixel data's
// offset at 10), then an information header whose size tells its kind (12 for
// OS/2's, 40 and more for Windows'), the colour masks and the palette. Rows
// run bottom to top unless the height is negative; each is padded to four
// bytes. Run-length coded files (8 and 4 bits a pixel) code their rows as
// runs, literal stretches, line ends and jumps; pixels no code reaches take
// the palette's first colour.
enum Compression : std::uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6,
};

constexpr std::size_t kInfoOffset = 14;
constexpr std::size_t kMasksOffset = kInfoOffset + 40;

// One colour channel in a 16- or 32-bit pixel.
struct Channel {
  std::uint32_t mask = 0;

  std::uint8_t Of(std::uint32_t pixel) const {
    if (mask == 0) return 0;
    const std::uint32_t largest = mask >> std::countr_zero(mask);
    const std::uint32_t value = (pixel & mask) >> std::countr_zero(mask);
    return static_cast<std::uint8_t>((std::uint64_t{value} * 255 + largest / 2) / largest);
  }
};

class BmpReader : public ImageReader {
 public:
  explicit BmpReader(std::string_view bytes) : bytes_(bytes) {
    if (bytes_.size() < kInfoOffset + 16) throw MalformedError("header");
    data_offset_ = Little(10, 4);
    const std::uint32_t infoSize = Little(kInfoOffset, 4);
    std::size_t paletteEntry = 4;
    if (infoSize == 12) {
      size_ = {static_cast<int>(Little(18, 2)), static_cast<int>(Little(20, 2))};
      depth_ = Little(24, 2);
      paletteEntry = 3;
    } else if (infoSize >= 40 && bytes_.size() >= kInfoOffset + infoSize) {
      const auto height = static_cast<std::int32_t>(Little(22, 4));
      if (height == INT32_MIN) throw MalformedError("header");
      top_down_ = height < 0;
      size_ = {static_cast<std::int32_t>(Little(18, 4)), top_down_ ? -height : height};
      depth_ = Little(28, 2);
      compression_ = Little(30, 4);
      colours_used_ = Little(46, 4);
    } else {
      throw MalformedError("header");
    }
    ReadMasks(infoSize);
    ReadPalette(kInfoOffset + infoSize, paletteEntry);
  }

  Size DeclaredSize() const override { return size_; }

  std::vector<GrayFrame> Decode() override {
    const auto pixels =
        static_cast<std::size_t>(size_.width) * static_cast<std::size_t>(size_.height);
    GrayFrame frame{{size_.width, size_.height, std::vector<std::uint8_t>(pixels)}, std::nullopt};
    if (compression_ == kRle8 || compression_ == kRle4) {
      DecodeRuns(frame.luminance);
      return {std::move(frame)};
    }
    const std::uint64_t rowBytes =
        (std::uint64_t{static_cast<unsigned>(size_.width)} * depth_ + 31) / 32 * 4;
    if (data_offset_ > bytes_.size() ||
        (bytes_.size() - data_offset_) / rowBytes < static_cast<std::uint64_t>(size_.height)) {
      throw MalformedError("pixel data");
    }
    Plane alpha{size_.width, size_.height,
                std::vector<std::uint8_t>(alpha_.mask != 0 ? pixels : 0)};
    bool anyAlpha = false;
    for (int row = 0; row < size_.height; ++row) {
      const int y = top_down_ ? row : size_.height - 1 - row;
      const std::size_t start = data_offset_ + static_cast<std::size_t>(row) * rowBytes;
      for (int x = 0; x < size_.width; ++x) {
        if (depth_ <= 8) {
          const std::size_t bit = static_cast<std::size_t>(x) * depth_;
          const unsigned byte = Byte(start + bit / 8);
          const unsigned index = byte >> (8 - depth_ - bit % 8) & ((1u << depth_) - 1);
          frame.luminance.At(x, y) = PaletteLuminance(index);
          continue;
        }
        const std::size_t at = start + static_cast<std::size_t>(x) * (depth_ / 8);
        if (depth_ == 24) {
          frame.luminance.At(x, y) = Luminance(Byte(at + 2), Byte(at + 1), Byte(at));
          continue;
        }
        const std::uint32_t pixel = Little(at, static_cast<int>(depth_ / 8));
        frame.luminance.At(x, y) = Luminance(red_.Of(pixel), green_.Of(pixel), blue_.Of(pixel));
        if (alpha_.mask != 0) {
          alpha.At(x, y) = alpha_.Of(pixel);
          anyAlpha = anyAlpha || alpha.At(x, y) != 0;
        }
      }
    }
    // Many programs write 32-bit files with the fourth byte always zero:
    // those are opaque, not invisible.
    if (anyAlpha) frame.alpha = std::move(alpha);
    return {std::move(frame)};
  }

 private:
  unsigned Byte(std::size_t at) const { return static_cast<unsigned char>(bytes_[at]); }

  std::uint32_t Little(std::size_t at, int count) const {
    if (at + static_cast<std::size_t>(count) > bytes_.size()) throw MalformedError("header");
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
      value = value << 8 | Byte(at + static_cast<std::size_t>(i));
    return value;
  }

  void ReadMasks(std::uint32_t infoSize) {
    const bool known =
        depth_ == 1 || depth_ == 4 || depth_ == 8 || depth_ == 16 || depth_ == 24 || depth_ == 32;
    const bool fits = compression_ == kRgb || (compression_ == kRle8 && depth_ == 8) ||
                      (compression_ == kRle4 && depth_ == 4) ||
                      ((compression_ == kBitFields || compression_ == kAlphaBitFields) &&
                       (depth_ == 16 || depth_ == 32));
    if (!known || !fits) {
      throw DamagedImageError("BMP of " + std::to_string(depth_) + " bits, coding " +
                              std::to_string(compression_) + " not read");
    }
    if (compression_ == kBitFields || compression_ == kAlphaBitFields) {
      red_.mask = Little(kMasksOffset, 4);
      green_.mask = Little(kMasksOffset + 4, 4);
      blue_.mask = Little(kMasksOffset + 8, 4);
      if (compression_ == kAlphaBitFields || infoSize >= 56)
        alpha_.mask = Little(kMasksOffset + 12, 4);
    } else if (depth_ == 16) {
      red_.mask = 0x7C00;
      green_.mask = 0x03E0;
      blue_.mask = 0x001F;
    } else if (depth_ == 32) {
      red_.mask = 0x00FF0000;
      green_.mask = 0x0000FF00;
      blue_.mask = 0x000000FF;
      alpha_.mask = 0xFF000000;
    }
  }

  void ReadPalette(std::size_t at, std::size_t entryBytes) {
    if (depth_ > 8) return;
    std::size_t count = std::size_t{1} << depth_;
    if (colours_used_ != 0 && colours_used_ < count) count = colours_used_;
    for (std::size_t i = 0; i < count && at + 3 <= bytes_.size(); ++i, at += entryBytes) {
      palette_.push_back(Luminance(Byte(at + 2), Byte(at + 1), Byte(at)));
    }
  }

  // An index past the palette's end is drawn black, as most viewers do.
  std::uint8_t PaletteLuminance(unsigned index) const {
    return index < palette_.size() ? palette_[index] : 0;
  }

  void DecodeRuns(Plane& plane) const {
    std::fill(plane.values.begin(), plane.values.end(), PaletteLuminance(0));
    const bool nibbles = compression_ == kRle4;
    int x = 0;
    int row = 0;
    const auto put = [&](unsigned index) {
      if (x < plane.width && row < plane.height) {
        plane.At(x, top_down_ ? row : plane.height - 1 - row) = PaletteLuminance(index);
      }
      ++x;
    };
    std::size_t at = data_offset_;
    for (;;) {
      if (at + 2 > bytes_.size()) throw MalformedError("pixel data");
      const unsigned count = Byte(at);
      const unsigned value = Byte(at + 1);
      at += 2;
      if (count > 0) {
        for (unsigned i = 0; i < count; ++i)
          put(nibbles ? (i % 2 == 0 ? value >> 4 : value & 15) : value);
      } else if (value == 0) {
        x = 0;
        ++row;
      } else if (value == 1) {
        return;
      } else if (value == 2) {
        if (at + 2 > bytes_.size()) throw MalformedError("pixel data");
        x += static_cast<int>(Byte(at));
        row += static_cast<int>(Byte(at + 1));
        at += 2;
      } else {
        // A literal stretch of `value` pixels, padded to a whole 16-bit word.
        const std::size_t length = nibbles ? (value + 1) / 2 : value;
        if (at + length > bytes_.size()) throw MalformedError("pixel data");
        for (unsigned i = 0; i < value; ++i) {
          put(nibbles ? (Byte(at + i / 2) >> (i % 2 == 0 ? 4 : 0)) & 15 : Byte(at + i));
        }
        at += (length + 1) / 2 * 2;
      }
      if (row >= plane.height) return;
    }
  }

  std::string_view bytes_;
  std::size_t data_offset_ = 0;
  Size size_;
  bool top_down_ = false;
  std::uint32_t depth_ = 0;
  std::uint32_t compression_ = kRgb;
  std::uint32_t colours_used_ = 0;
  Channel red_;
  Channel green_;
  Channel blue_;
  Channel alpha_;
  std::vector<std::uint8_t> palette_;
};

}  // namespace

std::unique_ptr<ImageReader> OpenBmp(std::string_view bytes) {
  return std::make_unique<BmpReader>(bytes);
}

}  // namespace lumivane::imaging
