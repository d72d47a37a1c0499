#include <spng.h>

#include <array>
#include <memory>
#include <string>

#include "image_reader.h"
#include "import_errors.h"
#include "luminance.h"

namespace lumivane::imaging {
namespace {

// Ancillary chunks (text, profiles) are never used: a few of them may not
// make the decoder hold more than this.
constexpr std::size_t kChunkLimit = std::size_t{1} << 20;
constexpr std::size_t kChunkCacheLimit = std::size_t{4} << 20;
constexpr std::size_t kRowMemoryLimit = std::size_t{64} << 20;

// Where each of Adam7's seven passes puts its pixels within a row.
constexpr std::array<int, 7> kPassFirstColumn{0, 4, 0, 2, 0, 1, 0};
constexpr std::array<int, 7> kPassColumnStep{8, 8, 4, 4, 2, 2, 1};

struct ContextDeleter {
  void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};

class PngReader : public ImageReader {
 public:
  explicit PngReader(std::string_view bytes) : context_(spng_ctx_new(0)) {
    if (!context_) throw DamagedImageError("out of memory");
    spng_set_chunk_limits(context_.get(), kChunkLimit, kChunkCacheLimit);
    Check(spng_set_png_buffer(context_.get(), bytes.data(), bytes.size()));
    Check(spng_get_ihdr(context_.get(), &header_));
  }

  Size DeclaredSize() const override {
    // libspng refuses sides beyond 2^31 - 1.
    return {static_cast<int>(header_.width), static_cast<int>(header_.height)};
  }

  std::vector<GrayFrame> Decode() override {
    const int width = static_cast<int>(header_.width);
    const int height = static_cast<int>(header_.height);
    const auto pixels = static_cast<std::size_t>(width) * header_.height;
    GrayFrame frame{{width, height, std::vector<std::uint8_t>(pixels)}, std::nullopt};
    if (HasTransparency()) frame.alpha = Plane{width, height, std::vector<std::uint8_t>(pixels)};

    // Row by row, so only the one-byte planes are held whole; an opaque grey
    // image's rows are its luminance already.
    const bool grey =
        !frame.alpha && header_.color_type == SPNG_COLOR_TYPE_GRAYSCALE && header_.bit_depth <= 8;
    const std::size_t stride = grey ? 1 : 4;
    // libspng keeps two of the file's rows to undo their filters, beside the
    // row handed out: for a picture millions of pixels wide those alone would
    // take the import past its memory.
    const std::size_t fileRow =
        (static_cast<std::size_t>(width) * Channels() * header_.bit_depth + 7) / 8 + 1;
    if (2 * fileRow + static_cast<std::size_t>(width) * stride > kRowMemoryLimit) {
      throw ImageTooLargeError("rows of " + std::to_string(width) +
                               " pixels need over 64 MiB to decode");
    }
    int status = spng_decode_image(context_.get(), nullptr, 0, grey ? SPNG_FMT_G8 : SPNG_FMT_RGBA8,
                                   SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * stride);
    const bool interlaced = header_.interlace_method != 0;
    while (status == 0) {
      spng_row_info info{};
      status = spng_get_row_info(context_.get(), &info);
      if (status != 0) break;
      status = spng_decode_row(context_.get(), row.data(), row.size());
      if (status != 0 && status != SPNG_EOI) break;
      const int first = interlaced ? kPassFirstColumn[static_cast<std::size_t>(info.pass)] : 0;
      const int step = interlaced ? kPassColumnStep[static_cast<std::size_t>(info.pass)] : 1;
      const auto y = static_cast<int>(info.row_num);
      for (int x = first; x < width; x += step) {
        const std::uint8_t* pixel = &row[static_cast<std::size_t>(x) * stride];
        frame.luminance.At(x, y) = grey ? pixel[0] : Luminance(pixel[0], pixel[1], pixel[2]);
        if (frame.alpha) frame.alpha->At(x, y) = pixel[3];
      }
    }
    if (status != SPNG_EOI) Check(status);
    return {std::move(frame)};
  }

 private:
  static void Check(int status) {
    if (status != 0) throw DamagedImageError(spng_strerror(status));
  }

  // By colour type: grey, -, truecolour, palette, grey and alpha, -, truecolour and alpha.
  int Channels() const { return kChannels[header_.color_type]; }
  static constexpr int kChannels[7] = {1, 0, 3, 1, 2, 0, 4};

  bool HasTransparency() {
    spng_trns transparency{};
    return header_.color_type == SPNG_COLOR_TYPE_GRAYSCALE_ALPHA ||
           header_.color_type == SPNG_COLOR_TYPE_TRUECOLOR_ALPHA ||
           spng_get_trns(context_.get(), &transparency) == 0;
  }

  std::unique_ptr<spng_ctx, ContextDeleter> context_;
  spng_ihdr header_{};
};

}  // namespace

std::unique_ptr<ImageReader> OpenPng(std::string_view bytes) {
  return std::make_unique<PngReader>(bytes);
}

}  // namespace lumivane::imaging
