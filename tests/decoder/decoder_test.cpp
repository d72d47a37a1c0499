#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "conversion_state.h"
#include "convert_source_text.h"
#include "lumivane_decode.h"
#include "memory_surface.h"
#include "xbm_writer.h"

namespace lumivane::test {
namespace {

// The engine's compressed items as the bytes a C compiler makes of them.
Bytes EncodeWithEngine(const Bytes& bytes) {
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = "img.xbm";
  state.SourceText = XbmText("img", bytes);
  ConvertSourceText(state, window);
  Bytes encoded;
  for (std::int32_t i = 1; i < window.List2().Count(); ++i) {
    const unsigned long value = std::stoul(window.List2().Item(i).substr(2), nullptr, 16);
    EXPECT_LE(value, 0xFFu) << "item " << i;
    encoded.push_back(static_cast<unsigned char>(value));
  }
  return encoded;
}

// A compressed array held scrambled, as memory the decoder must not touch
// directly (flash on AVR) would be: only its reader gives the right bytes,
// and a read outside the array is recorded instead of made.
class GuardedSource {
 public:
  explicit GuardedSource(const Bytes& encoded) : scrambled_(encoded) {
    for (unsigned char& byte : scrambled_) byte ^= kScramble;
    current_ = this;
  }
  ~GuardedSource() { current_ = nullptr; }
  GuardedSource(const GuardedSource&) = delete;
  GuardedSource& operator=(const GuardedSource&) = delete;

  static unsigned char Read(const unsigned char* address) {
    GuardedSource& source = *current_;
    const unsigned char* begin = source.scrambled_.data();
    if (address < begin || address >= begin + source.scrambled_.size()) {
      source.stray_read_ = true;
      return 0;
    }
    return static_cast<unsigned char>(*address ^ kScramble);
  }

  const unsigned char* data() const { return scrambled_.data(); }
  std::size_t size() const { return scrambled_.size(); }
  // True when a read fell outside the array since construction.
  bool StrayRead() const { return stray_read_; }

 private:
  static constexpr unsigned char kScramble = 0x5A;
  static inline GuardedSource* current_ = nullptr;
  Bytes scrambled_;
  bool stray_read_ = false;
};

// A buffer of `size` bytes followed by a guard area that must stay untouched.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(std::size_t size) : size_(size), bytes_(size + kGuard, kGuardByte) {}
  unsigned char* data() { return bytes_.data(); }
  Bytes Contents() const {
    return Bytes(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(size_));
  }
  // True when the guard area behind the buffer was written.
  bool Overrun() const {
    return std::any_of(bytes_.begin() + static_cast<std::ptrdiff_t>(size_), bytes_.end(),
                       [](unsigned char byte) { return byte != kGuardByte; });
  }

 private:
  static constexpr std::size_t kGuard = 300;
  static constexpr unsigned char kGuardByte = 0xA5;
  std::size_t size_;
  Bytes bytes_;
};

// Decodes through the guarded reader into a buffer of `outSize` bytes and
// checks nothing was read or written outside.
long DecodeInto(const Bytes& encoded, std::size_t outSize, Bytes& out) {
  GuardedSource source(encoded);
  GuardedBuffer buffer(outSize);
  const long result = lumivane_decode_with(GuardedSource::Read, source.data(), source.size(),
                                           buffer.data(), outSize);
  EXPECT_FALSE(source.StrayRead()) << "read outside the compressed array";
  EXPECT_FALSE(buffer.Overrun()) << "write past the buffer";
  out = buffer.Contents();
  return result;
}

void ExpectRoundTrip(const Bytes& bytes) {
  const Bytes encoded = EncodeWithEngine(bytes);
  Bytes decoded;
  ASSERT_EQ(DecodeInto(encoded, bytes.size(), decoded), static_cast<long>(bytes.size()));
  EXPECT_EQ(decoded, bytes);
  if (!bytes.empty()) {
    EXPECT_EQ(DecodeInto(encoded, bytes.size() - 1, decoded), LUMIVANE_DECODE_OUTPUT_FULL);
  }
}

struct RoundTripCase {
  const char* name;
  Bytes bytes;
};

class DecoderRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(DecoderRoundTrip, GivesBackTheBytesTheEngineEncoded) {
  ExpectRoundTrip(GetParam().bytes);
}

std::vector<RoundTripCase> EdgeCases() {
  std::vector<RoundTripCase> cases = {
      {"Empty", {}},
      {"NoRuns", {0x3C, 0x7E, 0x01}},
      {"ZerosThenFulls", Concat({Run(2, 0x00), Run(3, 0xFF)})},
      {"Alternating", {0x00, 0xFF, 0x00, 0xFF, 0x00}},
      {"RunAtTheEnd", {0x3C, 0x00, 0x00}},
      {"LoneRunBytesBetweenOthers", {0x00, 0x3C, 0xFF, 0x3C, 0x00}},
  };
  for (const std::size_t length : {1, 255, 256, 257, 512, 32766}) {
    for (const unsigned char value : {0x00, 0xFF}) {
      cases.push_back({value == 0 ? "Zeros" : "Fulls", Run(length, value)});
      // Framed, the longest run would pass the 32,766 bytes a source may hold.
      if (length + 2 > 32766) continue;
      cases.push_back({value == 0 ? "FramedZeros" : "FramedFulls",
                       Concat({{0x81}, Run(length, value), {0x18}})});
    }
  }
  cases.push_back({"LongZerosThenLongFulls", Concat({Run(600, 0x00), Run(600, 0xFF)})});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EdgeCases, DecoderRoundTrip, ::testing::ValuesIn(EdgeCases()),
                         [](const auto& info) {
                           return info.param.name + std::to_string(info.param.bytes.size()) + "_" +
                                  std::to_string(info.index);
                         });

// Bitmaps are mostly blank or solid: bytes drawn in runs of random length,
// half of them 0x00 or 0xFF.
Bytes RandomRuns(std::mt19937& random, std::size_t length) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> runLength(1, 300);
  std::uniform_int_distribution<int> kind(0, 3);
  Bytes bytes;
  while (bytes.size() < length) {
    const int k = kind(random);
    const unsigned char value = k == 0   ? 0x00
                                : k == 1 ? 0xFF
                                         : static_cast<unsigned char>(byte(random));
    const std::size_t count = k < 2 ? static_cast<std::size_t>(runLength(random)) : 1;
    bytes.insert(bytes.end(), std::min(count, length - bytes.size()), value);
  }
  return bytes;
}

TEST(DecoderRandom, GivesBackRandomBitmapsOfEveryLengthUpTo1000) {
  std::mt19937 random(20261207);
  for (std::size_t length = 0; length <= 1000; ++length) {
    SCOPED_TRACE(length);
    ExpectRoundTrip(RandomRuns(random, length));
    if (HasFailure()) return;
  }
}

// Every row is decoded twice, through a reader and from ordinary memory.
struct DecodeCase {
  const char* name;
  Bytes encoded;
  std::size_t outSize;
  long expected;
  Bytes kept = {};  // what the buffer holds at its start afterwards
};

class DecodeRows : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeRows, GiveTheDocumentedResultWithinBounds) {
  const DecodeCase& row = GetParam();
  Bytes out;
  EXPECT_EQ(DecodeInto(row.encoded, row.outSize, out), row.expected);
  EXPECT_TRUE(std::equal(row.kept.begin(), row.kept.end(), out.begin()));
  Bytes ram(row.outSize + 1, 0xEE);
  EXPECT_EQ(lumivane_decode(row.encoded.data(), row.encoded.size(), ram.data(), row.outSize),
            row.expected);
  EXPECT_TRUE(std::equal(row.kept.begin(), row.kept.end(), ram.begin()));
  EXPECT_EQ(ram.back(), 0xEE) << "write past the buffer";
}

constexpr long kMalformed = LUMIVANE_DECODE_MALFORMED;
constexpr long kFull = LUMIVANE_DECODE_OUTPUT_FULL;

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeRows,
    ::testing::Values(DecodeCase{"LoneZero", {0x00}, 16, kMalformed},
                      DecodeCase{"LoneFull", {0xFF}, 16, kMalformed},
                      DecodeCase{"CountMissingAtTheEnd", {0x3C, 0x00, 0x01, 0xFF}, 16, kMalformed},
                      DecodeCase{"RunLongerThanTheBuffer", {0x00, 0x05}, 5, kFull},
                      DecodeCase{"RunFillsTheBufferExactly", {0x00, 0x05}, 6, 6, Bytes(6, 0x00)},
                      DecodeCase{"LiteralIntoNoRoom", {0x3C}, 0, kFull},
                      DecodeCase{"LongestRunIntoNoRoom", {0xFF, 0xFF}, 255, kFull},
                      DecodeCase{"NothingIntoNoRoom", {}, 0, 0},
                      DecodeCase{"KeepsTheBytesBeforeTheItemThatDidNotFit",
                                 {0x3C, 0x7E, 0x00, 0x03},
                                 3,
                                 kFull,
                                 {0x3C, 0x7E}},
                      DecodeCase{"RunsBetweenLiterals",
                                 {0x3C, 0x00, 0x02, 0xFF, 0x00},
                                 8,
                                 5,
                                 {0x3C, 0x00, 0x00, 0x00, 0xFF}}),
    [](const auto& info) { return std::string(info.param.name); });

struct Image {
  std::string name;
  unsigned width;
  unsigned height;
  Bytes bytes;
};

std::size_t RowSize(unsigned width) {
  return (width + 7u) / 8u;
}

// Bitmaps are mostly blank or solid: runs of 1 to 300 bytes of 0x00 or 0xFF
// between single bytes of any value.
Bytes RandomBitmap(std::mt19937& random, std::size_t length) {
  Bytes bytes;
  while (bytes.size() < length) {
    const unsigned kind = random() % 4;
    const unsigned char value = kind == 0   ? 0x00
                                : kind == 1 ? 0xFF
                                            : static_cast<unsigned char>(random());
    const std::size_t count = kind < 2 ? 1 + random() % 300 : 1;
    bytes.insert(bytes.end(), std::min(count, length - bytes.size()), value);
  }
  return bytes;
}

std::vector<Image> Images() {
  // The bitmaps the other suites convert: the worked example, the small
  // one, the fuzzer's logo seed and the 128x64 screen the compilers build.
  Bytes screen = Concat({Run(400, 0x00), Run(128, 0xFF), Run(200, 0x00)});
  for (int i = 0; i < 296; ++i) screen.push_back(static_cast<unsigned char>(0x18 + i % 3));
  std::vector<Image> images = {
      {"worked",
       16,
       9,
       {0x00, 0x00, 0x00, 0x00, 0x00, 0x3C, 0xFF, 0xFF, 0x7E, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05,
        0x06, 0x07, 0x08}},
      {"small", 16, 2, {0xFF, 0xFF, 0xFF, 0x3C}},
      {"logo", 16, 4, {0x00, 0x00, 0x00, 0xFF, 0xFF, 0x3C, 0x00, 0x7E}},
      {"screen", 128, 64, screen},
  };
  std::mt19937 random(1407);
  for (unsigned width = 1; width <= 256; ++width) {
    const unsigned height = 1 + random() % 128;
    images.push_back({"w" + std::to_string(width), width, height,
                      RandomBitmap(random, RowSize(width) * height)});
  }
  for (unsigned height = 1; height <= 128; ++height) {
    const unsigned width = 1 + random() % 256;
    images.push_back({"h" + std::to_string(height), width, height,
                      RandomBitmap(random, RowSize(width) * height)});
  }
  return images;
}

struct DrawnRows {
  std::size_t rowSize = 0;
  std::vector<unsigned> numbers;
  std::vector<Bytes> rows;

  static void Draw(void* context, unsigned row, const unsigned char* rowBytes) {
    DrawnRows& drawn = *static_cast<DrawnRows*>(context);
    drawn.numbers.push_back(row);
    drawn.rows.emplace_back(rowBytes, rowBytes + drawn.rowSize);
  }
};

// Draws rows first..last of `encoded` from a fresh stream, checking that
// every read stays in the array and every write in the row buffer.
long DrawRange(const Image& image, const Bytes& encoded, unsigned first, unsigned last,
               DrawnRows& drawn) {
  GuardedSource source(encoded);
  GuardedBuffer rowBuffer(RowSize(image.width));
  lumivane_stream stream;
  lumivane_stream_init(&stream, GuardedSource::Read, source.data(), source.size());
  drawn.rowSize = RowSize(image.width);
  const long result = lumivane_draw_rows(&stream, image.width, image.height, first, last,
                                         rowBuffer.data(), DrawnRows::Draw, &drawn);
  EXPECT_FALSE(source.StrayRead()) << "read outside the compressed array";
  EXPECT_FALSE(rowBuffer.Overrun()) << "write past the row buffer";
  return result;
}

void ExpectRowsOfTheFullDecode(const Image& image, const DrawnRows& drawn, unsigned first) {
  const std::size_t rowSize = RowSize(image.width);
  for (std::size_t i = 0; i < drawn.rows.size(); ++i) {
    const unsigned row = first + static_cast<unsigned>(i);
    ASSERT_EQ(drawn.numbers[i], row);
    const auto begin = image.bytes.begin() + static_cast<std::ptrdiff_t>(row * rowSize);
    ASSERT_EQ(drawn.rows[i], Bytes(begin, begin + static_cast<std::ptrdiff_t>(rowSize)))
        << "row " << row;
  }
}

TEST(DrawRows, EveryPageSizeAndRangeGivesTheRowsOfTheFullDecode) {
  std::mt19937 random(20261207);
  for (const Image& image : Images()) {
    SCOPED_TRACE(image.name + " " + std::to_string(image.width) + "x" +
                 std::to_string(image.height));
    const Bytes encoded = EncodeWithEngine(image.bytes);
    for (const unsigned page : {8u, 16u, image.height}) {
      for (unsigned first = 0; first < image.height; first += page) {
        DrawnRows drawn;
        const long expected = std::min(page, image.height - first);
        ASSERT_EQ(DrawRange(image, encoded, first, first + page - 1, drawn), expected);
        ExpectRowsOfTheFullDecode(image, drawn, first);
      }
    }
    // Any range, also one reaching past the last row (clipped) or starting there.
    for (int i = 0; i < 4; ++i) {
      const unsigned first = static_cast<unsigned>(random() % (image.height + 2));
      const unsigned last = first + static_cast<unsigned>(random() % (image.height + 2));
      const long expected = first < image.height ? std::min(last, image.height - 1) - first + 1 : 0;
      DrawnRows drawn;
      ASSERT_EQ(DrawRange(image, encoded, first, last, drawn), expected) << first << ".." << last;
      ExpectRowsOfTheFullDecode(image, drawn, first);
    }
    if (HasFailure()) return;
  }
}

struct DrawnTiles {
  std::vector<std::pair<unsigned, unsigned>> places;  // column, page
  std::vector<Bytes> tiles;

  static void Draw(void* context, unsigned column, unsigned page, unsigned char* tile) {
    DrawnTiles& drawn = *static_cast<DrawnTiles*>(context);
    drawn.places.emplace_back(column, page);
    drawn.tiles.emplace_back(tile, tile + 8);
  }
};

// In the pages layout page p is bytes [p * width, (p + 1) * width), and tile
// t of a page its bytes [8t, 8t + 8), unset past the image's right edge.
TEST(DrawPages, PagesAndTilesAreSlicesOfTheFullDecodeFromRamAndFlash) {
  std::mt19937 random(22);
  for (const unsigned width : {1u, 5u, 8u, 13u, 16u, 127u, 128u, 129u}) {
    for (const unsigned height : {1u, 7u, 8u, 9u, 24u, 64u}) {
      SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
      const unsigned pages = (height + 7) / 8;
      const Image image{"pages", width, pages * 8, RandomBitmap(random, width * pages)};
      const Bytes encoded = EncodeWithEngine(image.bytes);
      const unsigned first = pages > 1 ? 1 : 0;
      for (const bool flash : {false, true}) {
        GuardedSource source(encoded);
        lumivane_stream stream;
        const auto start = [&] {
          if (flash) {
            lumivane_stream_init_P(&stream, encoded.data(), encoded.size());
          } else {
            lumivane_stream_init(&stream, GuardedSource::Read, source.data(), source.size());
          }
        };
        GuardedBuffer buffer(width);
        DrawnRows drawn;
        drawn.rowSize = width;
        start();
        ASSERT_EQ(
            (flash ? lumivane_draw_pages_P : lumivane_draw_pages)(
                &stream, width, height, first, pages + 3, buffer.data(), DrawnRows::Draw, &drawn),
            static_cast<long>(pages - first));
        ASSERT_FALSE(buffer.Overrun());
        // Pages are the row layout's rows of `width` bytes.
        ExpectRowsOfTheFullDecode({"pages", width * 8, pages, image.bytes}, drawn, first);

        GuardedBuffer tile(8);
        DrawnTiles tiles;
        const unsigned perPage = (width + 7) / 8;
        start();
        ASSERT_EQ((flash ? lumivane_draw_tiles_P : lumivane_draw_tiles)(
                      &stream, width, height, tile.data(), DrawnTiles::Draw, &tiles),
                  static_cast<long>(perPage * pages));
        ASSERT_FALSE(tile.Overrun());
        for (unsigned i = 0; i < tiles.tiles.size(); ++i) {
          const unsigned page = i / perPage, column = i % perPage;
          ASSERT_EQ(tiles.places[i], std::make_pair(column, page)) << i;
          Bytes expected(8, 0x00);
          const auto slice = image.bytes.begin() + page * width + column * 8;
          std::copy_n(slice, std::min(8u, width - column * 8), expected.begin());
          ASSERT_EQ(tiles.tiles[i], expected) << "tile " << column << "," << page;
        }
        EXPECT_FALSE(source.StrayRead());
      }
    }
  }
}

TEST(StreamSteps, SkipsAndReadsInRandomStepsGiveTheBytesOfTheFullDecode) {
  std::mt19937 random(11);
  for (const Image& image : Images()) {
    SCOPED_TRACE(image.name);
    const Bytes encoded = EncodeWithEngine(image.bytes);
    Bytes full(image.bytes.size());
    ASSERT_EQ(lumivane_decode(encoded.data(), encoded.size(), full.data(), full.size()),
              static_cast<long>(full.size()));
    GuardedSource source(encoded);
    lumivane_stream stream;
    lumivane_stream_init(&stream, GuardedSource::Read, source.data(), source.size());
    std::size_t position = 0;
    while (position <= full.size()) {
      const std::size_t step = random() % 300;
      const long expected = static_cast<long>(std::min(step, full.size() - position));
      if (random() % 2 == 0) {
        ASSERT_EQ(lumivane_stream_skip(&stream, step), expected) << "skip at " << position;
      } else {
        GuardedBuffer out(step);
        ASSERT_EQ(lumivane_stream_read(&stream, out.data(), step), expected)
            << "read at " << position;
        ASSERT_FALSE(out.Overrun());
        const Bytes got = out.Contents();
        ASSERT_TRUE(std::equal(got.begin(), got.begin() + expected,
                               full.begin() + static_cast<std::ptrdiff_t>(position)))
            << "read at " << position;
      }
      if (position == full.size()) break;
      position += static_cast<std::size_t>(expected);
    }
    EXPECT_FALSE(source.StrayRead());
  }
}

// One call on a stream: a read or skip of `n` bytes, or drawing rows
// first..last of a `width`-pixel image `height` rows high, of which the
// sink sees `n`.
struct Step {
  enum Kind { kRead, kSkip, kDraw } kind;
  std::size_t n;
  long expected;
  Bytes written = {};
  unsigned width = 8, height = 0, first = 0, last = 0;
};

struct BrokenCase {
  const char* name;
  Bytes encoded;
  std::vector<Step> steps;
};

class StreamRefuses : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(StreamRefuses, WithTheDocumentedResultsAndWithinBounds) {
  GuardedSource source(GetParam().encoded);
  lumivane_stream stream;
  lumivane_stream_init(&stream, GuardedSource::Read, source.data(), source.size());
  int index = 0;
  for (const Step& step : GetParam().steps) {
    SCOPED_TRACE(index++);
    if (step.kind == Step::kSkip) {
      EXPECT_EQ(lumivane_stream_skip(&stream, step.n), step.expected);
      continue;
    }
    GuardedBuffer out(step.kind == Step::kRead ? step.n : RowSize(step.width));
    DrawnRows drawn;
    drawn.rowSize = RowSize(step.width);
    const long result = step.kind == Step::kRead
                            ? lumivane_stream_read(&stream, out.data(), step.n)
                            : lumivane_draw_rows(&stream, step.width, step.height, step.first,
                                                 step.last, out.data(), DrawnRows::Draw, &drawn);
    EXPECT_EQ(result, step.expected);
    EXPECT_FALSE(out.Overrun()) << "write past the buffer";
    const Bytes got = out.Contents();
    EXPECT_TRUE(std::equal(step.written.begin(), step.written.end(), got.begin()));
    if (step.kind == Step::kDraw) {
      EXPECT_EQ(drawn.rows.size(), step.n) << "rows the sink saw";
    }
  }
  EXPECT_FALSE(source.StrayRead()) << "read outside the compressed array";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StreamRefuses,
    ::testing::Values(
        BrokenCase{"LoneRunByteStaysBroken",
                   {0x00},
                   {{Step::kRead, 4, kMalformed}, {Step::kSkip, 1, kMalformed}}},
        BrokenCase{"BreaksOffAfterALiteral",
                   {0x3C, 0xFF},
                   {{Step::kRead, 4, kMalformed, {0x3C}}, {Step::kRead, 1, kMalformed}}},
        BrokenCase{"LiteralReadBeforeTheBreak",
                   {0x3C, 0xFF},
                   {{Step::kRead, 1, 1, {0x3C}}, {Step::kRead, 1, kMalformed}}},
        BrokenCase{
            "SkipRunsIntoTheBreak", {0x3C, 0x00, 0x02, 0xFF}, {{Step::kSkip, 9, kMalformed}}},
        BrokenCase{"ReadsNothingFromNoRoom", {0x00}, {{Step::kRead, 0, 0}}},
        BrokenCase{"LongestRunThenTheEnd",
                   {0xFF, 0xFF},
                   {{Step::kSkip, 255, 255}, {Step::kRead, 2, 1, {0xFF}}, {Step::kRead, 1, 0}}},
        BrokenCase{
            "RunSplitAcrossReads",
            {0x00, 0x04, 0x7E},
            {{Step::kRead, 2, 2, {0, 0}}, {Step::kSkip, 2, 2}, {Step::kRead, 3, 2, {0x00, 0x7E}}}},
        BrokenCase{"EmptyArray", {}, {{Step::kRead, 5, 0}, {Step::kSkip, 5, 0}}},
        // Three bytes for 16-pixel rows: row 1 is incomplete and not drawn.
        // An array that goes on past the image: its last row is the last drawn.
        BrokenCase{"DrawClipsAtTheImage", {0x01, 0x02}, {{Step::kDraw, 1, 1, {0x01}, 8, 1, 0, 1}}},
        BrokenCase{"DrawShortArray", {0x00, 0x02}, {{Step::kDraw, 1, 1, {0, 0}, 16, 4, 0, 3}}},
        BrokenCase{
            "DrawShortArrayFromTheCutRow", {0x00, 0x02}, {{Step::kDraw, 0, 0, {}, 16, 4, 1, 3}}},
        BrokenCase{
            "DrawIntoTheBreak", {0x00, 0x01, 0xFF}, {{Step::kDraw, 2, kMalformed, {}, 8, 4, 0, 3}}},
        BrokenCase{"DrawNothing",
                   {0x00},
                   {{Step::kDraw, 0, 0, {}, 8, 0, 0, 0},
                    {Step::kDraw, 0, 0, {}, 8, 4, 4, 9},
                    {Step::kDraw, 0, 0, {}, 8, 4, 3, 2},
                    {Step::kDraw, 0, 0, {}, 0, 4, 0, 3}}}),
    [](const auto& info) { return std::string(info.param.name); });

// The pixel at x, y of rows in XBM's layout, and of tiles in text mode.
int RowPixel(const Bytes& rows, unsigned width, unsigned x, unsigned y) {
  return (rows[y * (width / 8) + x / 8] >> (x % 8)) & 1;
}
int TilePixel(const Bytes& tiles, unsigned x, unsigned y) {
  return (tiles[x] >> y) & 1;
}

TEST(RowsToTiles, PutsEveryPixelInItsColumnWithTheTopRowInBitZero) {
  Bytes onePixel(8, 0x00);
  onePixel[2] = 0x02;  // x 1, y 2
  Bytes tiles(8, 0xEE);
  lumivane_rows_to_tiles(onePixel.data(), 8, tiles.data());
  EXPECT_EQ(tiles, (Bytes{0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));

  std::mt19937 random(8);
  for (const unsigned width : {8u, 16u, 24u, 128u}) {
    Bytes rows(width);
    for (unsigned char& byte : rows) byte = static_cast<unsigned char>(random());
    GuardedBuffer out(width);
    lumivane_rows_to_tiles(rows.data(), width, out.data());
    ASSERT_FALSE(out.Overrun());
    const Bytes got = out.Contents();
    for (unsigned y = 0; y < 8; ++y) {
      for (unsigned x = 0; x < width; ++x) {
        ASSERT_EQ(TilePixel(got, x, y), RowPixel(rows, width, x, y))
            << width << ": " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace lumivane::test
