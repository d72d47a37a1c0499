// The yardstick for the import's speed: reads one PNG file and decodes it to
// RGBA with libspng, as the import's PNG adapter does, and nothing else.

#include <spng.h>

#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::FILE* file = std::fopen(argv[1], "rb");
  if (file == nullptr) return 1;
  std::vector<unsigned char> bytes;
  unsigned char buffer[65536];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  std::fclose(file);

  const std::unique_ptr<spng_ctx, void (*)(spng_ctx*)> context(spng_ctx_new(0), spng_ctx_free);
  std::size_t size = 0;
  if (spng_set_png_buffer(context.get(), bytes.data(), bytes.size()) != 0 ||
      spng_decoded_image_size(context.get(), SPNG_FMT_RGBA8, &size) != 0) {
    return 1;
  }
  std::vector<unsigned char> pixels(size);
  return spng_decode_image(context.get(), pixels.data(), size, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS);
}
