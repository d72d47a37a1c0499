// Feeds arbitrary compressed arrays to the display-side stream decoder and
// checks it against a plain expansion: reads and skips in steps the input
// chooses give the expanded bytes, drawing a range of rows gives those rows,
// and a broken array gives LUMIVANE_DECODE_MALFORMED after exactly the bytes
// before the break. The array is copied to a block of its own size, so any
// read past its end stops the run (AddressSanitizer).
//
// Input: width - 1, height - 1, first row, rows to draw - 1, step seed, then
// the compressed array.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "lumivane_decode.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

struct Expansion {
  Bytes bytes;
  bool broken = false;  // a run byte without its count ends the array
};

Expansion Expand(const unsigned char* items, std::size_t count) {
  Expansion expansion;
  for (std::size_t i = 0; i < count; ++i) {
    const unsigned char value = items[i];
    std::size_t repeats = 1;
    if (value == 0x00 || value == 0xFF) {
      if (i + 1 == count) {
        expansion.broken = true;
        break;
      }
      repeats += items[++i];
    }
    expansion.bytes.insert(expansion.bytes.end(), repeats, value);
  }
  return expansion;
}

// A buffer of exactly `size` bytes on the heap, so a write past it is caught.
std::unique_ptr<unsigned char[]> ExactBuffer(std::size_t size) {
  return std::make_unique<unsigned char[]>(std::max<std::size_t>(size, 1));
}

void CheckSteps(const unsigned char* encoded, std::size_t size, const Expansion& expansion,
                std::uint32_t seed) {
  lumivane_stream stream;
  lumivane_stream_init(&stream, lumivane_read_ram, encoded, size);
  std::size_t position = 0;
  const std::size_t total = expansion.bytes.size();
  for (int step = 0; step < 64; ++step) {
    seed = seed * 1103515245u + 12345u;
    const std::size_t n = (seed >> 8) % 300;
    const bool read = (seed >> 20) & 1u;
    auto out = ExactBuffer(n);
    const long result =
        read ? lumivane_stream_read(&stream, out.get(), n) : lumivane_stream_skip(&stream, n);
    const std::size_t available = total - position;
    if (n > available && expansion.broken) {
      Require(result == LUMIVANE_DECODE_MALFORMED, "a broken array fails when reached");
      if (read) {
        Require(std::equal(out.get(), out.get() + available,
                           expansion.bytes.begin() + static_cast<long>(position)),
                "the bytes before the break are written");
      }
      Require(
          lumivane_stream_read(&stream, out.get(), n) == (n > 0 ? LUMIVANE_DECODE_MALFORMED : 0),
          "a broken stream stays broken");
      return;
    }
    const std::size_t expected = std::min(n, available);
    Require(result == static_cast<long>(expected), "a step hands out what is left, at most n");
    if (read) {
      Require(std::equal(out.get(), out.get() + expected,
                         expansion.bytes.begin() + static_cast<long>(position)),
              "a read gives the expanded bytes");
    }
    position += expected;
  }
}

struct Rows {
  const Bytes* expected;
  std::size_t rowSize;
  unsigned next;

  static void Draw(void* context, unsigned row, const unsigned char* rowBytes) {
    Rows& rows = *static_cast<Rows*>(context);
    Require(row == rows.next++, "rows come in order");
    Require(std::equal(rowBytes, rowBytes + rows.rowSize,
                       rows.expected->begin() + static_cast<long>(row * rows.rowSize)),
            "a drawn row holds the expanded bytes");
  }
};

void CheckDraw(const unsigned char* encoded, std::size_t size, const Expansion& expansion,
               unsigned width, unsigned height, unsigned first, unsigned last) {
  const std::size_t rowSize = (width + 7) / 8;
  const unsigned complete = static_cast<unsigned>(expansion.bytes.size() / rowSize);
  auto rowBuffer = ExactBuffer(rowSize);
  lumivane_stream stream;
  lumivane_stream_init(&stream, lumivane_read_ram, encoded, size);
  Rows rows{&expansion.bytes, rowSize, first};
  const long result =
      lumivane_draw_rows(&stream, width, height, first, last, rowBuffer.get(), Rows::Draw, &rows);
  long expected = 0;
  if (first < height) {
    const unsigned lastDrawn = std::min(last, height - 1);
    if (lastDrawn < complete) {
      expected = static_cast<long>(lastDrawn - first + 1);
    } else if (expansion.broken) {
      expected = LUMIVANE_DECODE_MALFORMED;
    } else {
      expected = complete > first ? static_cast<long>(complete - first) : 0;
    }
  }
  Require(result == expected, "draw_rows gives the rows the array holds");
  Require(expected < 0 || rows.next - first == static_cast<unsigned>(expected),
          "every row counted was drawn");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kHeader = 5;
  if (size < kHeader) return 0;
  const unsigned width = data[0] + 1u;
  const unsigned height = data[1] + 1u;
  const unsigned first = data[2];
  const unsigned last = first + data[3];
  const std::uint32_t seed = data[4];
  const std::size_t encodedSize = size - kHeader;
  auto encoded = ExactBuffer(encodedSize);
  std::copy(data + kHeader, data + size, encoded.get());
  const Expansion expansion = Expand(encoded.get(), encodedSize);

  auto full = ExactBuffer(expansion.bytes.size());
  const long decoded =
      lumivane_decode(encoded.get(), encodedSize, full.get(), expansion.bytes.size());
  Require(decoded == (expansion.broken ? LUMIVANE_DECODE_MALFORMED
                                       : static_cast<long>(expansion.bytes.size())),
          "lumivane_decode agrees with the expansion");

  CheckSteps(encoded.get(), encodedSize, expansion, seed);
  CheckDraw(encoded.get(), encodedSize, expansion, width, height, first, last);
  return 0;
}
