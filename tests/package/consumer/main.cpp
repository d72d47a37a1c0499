// Decodes every generated array into a frame of the size its header declares;
// exits 0 only when each fills its frame exactly and the collection holds the
// same arrays.
#include <cstddef>
#include <cstdio>
#include <cstring>

#define U8X8_PROGMEM
#include "arrow.h"
#include "dot.h"
#include "icons.h"
#include "logo.h"
#include "lumivane_decode.h"

std::size_t CollectedBytes();

namespace {

bool FillsFrame(const char* name, const unsigned char* encoded, std::size_t size, int width,
                int height) {
  unsigned char frame[64];
  const long expected = static_cast<long>((width + 7) / 8 * height);
  const long decoded = lumivane_decode(encoded, size, frame, sizeof frame);
  if (decoded != expected) {
    std::printf("%s: %ld bytes decoded, %ld expected\n", name, decoded, expected);
    return false;
  }
  return true;
}

}  // namespace

int main() {
  bool ok = FillsFrame("logo", logo, sizeof logo, logo_width, logo_height);
  ok = FillsFrame("arrow", arrow, sizeof arrow, arrow_width, arrow_height) && ok;
  ok = FillsFrame("icons", icons, sizeof icons, icons_width, icons_height) && ok;
  if (CollectedBytes() != sizeof logo + sizeof arrow + sizeof icons) {
    std::printf("images.h does not hold the three arrays\n");
    ok = false;
  }
  // 3 x 2 pixels, (0, 0), (1, 1) and (2, 1) set: one page, a byte a column.
  const unsigned char page[] = {0x01, 0x02, 0x02};
  if (dot_frame_count != 1 || dot_frame_sizes[0] != sizeof page ||
      std::memcmp(dot_frames[0], page, sizeof page) != 0) {
    std::printf("dot.h does not hold its one page\n");
    ok = false;
  }
  return ok ? 0 : 1;
}
