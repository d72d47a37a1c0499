#include <spng.h>

#include <array>
#include <memory>
#include <string>

#include "format_adapters.h"
#include "image_limits.h"
#include "import_errors.h"
#include "luminance.h"

namespace lumivane::imaging {
namespace {

// Ancillary chunks (text, profiles) are never used: a few of them may not
// make the decoder hold more than this.
constexpr std::size_t kChunkLimit = std::size_t{1} << 20;
constexpr std::size_t kChunkCacheLimit = std::size_t{4} << 20;

// Where each of Adam7's seven passes puts its pixels within a row.
constexpr std::array<int, 7> kPassFirstColumn{0, 4, 0, 2, 0, 1, 0};
constexpr std::array<int, 7> kPassColumnStep{8, 8, 4, 4, 2, 2, 1};

struct ContextDeleter {
  void operator()(spng_ctx* context) const { spng_ctx_free(context); }
};
using Context = std::unique_ptr<spng_ctx, ContextDeleter>;

Context OpenPng(std::string_view bytes, std::string_view fileName, spng_ihdr& header) {
  Context context(spng_ctx_new(0));
  if (!context) throw DamagedImageError("out of memory", fileName);
  spng_set_chunk_limits(context.get(), kChunkLimit, kChunkCacheLimit);
  int status = spng_set_png_buffer(context.get(), bytes.data(), bytes.size());
  if (status == 0) status = spng_get_ihdr(context.get(), &header);
  if (status != 0) throw DamagedImageError(spng_strerror(status), fileName);
  return context;
}

}  // namespace

ImageSize PngSize(std::string_view bytes, std::string_view fileName) {
  spng_ihdr header{};
  OpenPng(bytes, fileName, header);
  return {header.width, header.height};
}

std::vector<GrayFrame> DecodePng(std::string_view bytes, std::string_view fileName) {
  spng_ihdr header{};
  Context context = OpenPng(bytes, fileName, header);
  CheckDecodable({header.width, header.height}, fileName);

  GrayFrame frame;
  frame.width = static_cast<int>(header.width);
  frame.height = static_cast<int>(header.height);
  const auto pixels = static_cast<std::size_t>(frame.width) * header.height;
  frame.luminance.resize(pixels);
  frame.alpha.resize(pixels);

  // Row by row, so only the one-byte planes are held whole.
  int status = spng_decode_image(context.get(), nullptr, 0, SPNG_FMT_RGBA8,
                                 SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(frame.width) * 4);
  while (status == 0) {
    spng_row_info info{};
    status = spng_get_row_info(context.get(), &info);
    if (status != 0) break;
    status = spng_decode_row(context.get(), row.data(), row.size());
    if (status != 0 && status != SPNG_EOI) break;
    const bool interlaced = header.interlace_method != 0;
    const int first = interlaced ? kPassFirstColumn[static_cast<std::size_t>(info.pass)] : 0;
    const int step = interlaced ? kPassColumnStep[static_cast<std::size_t>(info.pass)] : 1;
    const std::size_t rowStart = static_cast<std::size_t>(info.row_num) * frame.width;
    for (int x = first; x < frame.width; x += step) {
      const std::uint8_t* pixel = &row[static_cast<std::size_t>(x) * 4];
      frame.luminance[rowStart + x] = Luminance(pixel[0], pixel[1], pixel[2]);
      frame.alpha[rowStart + x] = pixel[3];
    }
  }
  if (status != SPNG_EOI) throw DamagedImageError(spng_strerror(status), fileName);
  return {std::move(frame)};
}

}  // namespace lumivane::imaging
