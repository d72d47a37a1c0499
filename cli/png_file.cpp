#include "png_file.h"

#include <spng.h>

#include <memory>

#include "app_error.h"

namespace lumivane::cli {
namespace {

using Context = std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)>;

void Check(int status, const std::string& path) {
  if (status != 0) {
    throw AppError(error::kInvalidArgument,
                   "Invalid procedure call or argument: " + path + ": " + spng_strerror(status));
  }
}

}  // namespace

std::string PngFileBytes(const imaging::Bitmap& bitmap, const std::string& path) {
  const auto width = static_cast<std::size_t>(bitmap.width);
  std::vector<unsigned char> grey(width * static_cast<std::size_t>(bitmap.height));
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      grey[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)] =
          bitmap.Pixel(x, y) ? 0 : 255;
    }
  }
  const Context context(spng_ctx_new(SPNG_CTX_ENCODER), spng_ctx_free);
  if (!context) throw AppError::Overflow();
  Check(spng_set_option(context.get(), SPNG_ENCODE_TO_BUFFER, 1), path);
  spng_ihdr header{};
  header.width = static_cast<std::uint32_t>(bitmap.width);
  header.height = static_cast<std::uint32_t>(bitmap.height);
  header.bit_depth = 8;
  header.color_type = SPNG_COLOR_TYPE_GRAYSCALE;
  Check(spng_set_ihdr(context.get(), &header), path);
  Check(spng_encode_image(context.get(), grey.data(), grey.size(), SPNG_FMT_PNG,
                          SPNG_ENCODE_FINALIZE),
        path);
  std::size_t size = 0;
  int status = 0;
  const std::unique_ptr<void, decltype(&std::free)> png(
      spng_get_png_buffer(context.get(), &size, &status), std::free);
  Check(status, path);
  return std::string(static_cast<const char*>(png.get()), size);
}

}  // namespace lumivane::cli
