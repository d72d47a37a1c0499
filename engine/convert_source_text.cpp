#include "convert_source_text.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <string_view>

#include "app_error.h"
#include "bitmap_source.h"
#include "byte_layout.h"
#include "checked_math.h"
#include "hex_text.h"
#include "listing_layout.h"
#include "stem_name.h"

namespace lumivane {
namespace {

// Extra repeats one run may hold, so that its count is a single byte.
constexpr std::int16_t kMaxExtraRepeats = 255;
static_assert(kMaxExtraRepeats <= 0xFF, "a run's count is written as one byte");

constexpr std::string_view kLiteralPrefix = "0x";

bool IsSeparatorAt(std::string_view text, std::size_t i) {
  return text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X');
}

// The next "0x" or "0X" from `from` on, or npos.
std::size_t FindSeparator(std::string_view text, std::size_t from) {
  for (std::size_t i = from; i + 1 < text.size(); ++i) {
    if (IsSeparatorAt(text, i)) return i;
  }
  return std::string_view::npos;
}

// Round half to even, whatever the floating-point environment says.
std::int16_t RoundToEven16(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1.0;
  return CheckedCast<std::int16_t>(static_cast<std::int64_t>(rounded));
}

// Every literal as it is written: a byte as its byte, a longer number kept whole.
void AppendLiterals(std::string_view source, ByteList& bytes) {
  std::string longNumber;
  for (std::size_t separator = FindSeparator(source, 0); separator != std::string_view::npos;) {
    const std::size_t begin = separator + kLiteralPrefix.size();
    const PieceNumber number = ReadPieceNumber(source, begin);
    if (number.IsByte()) {
      bytes.AppendByte(number.Byte());
    } else {
      longNumber.clear();
      AppendLongNumberText(source.substr(begin, number.end - begin), longNumber);
      bytes.Append(longNumber);
    }
    separator = FindSeparator(source, number.end);
  }
}

AppError LayoutRefused(const std::string& file, const std::string& why) {
  return AppError(error::kInvalidArgument,
                  "Invalid procedure call or argument: " + file + " " + why);
}

// The bitmap's bytes as the chosen layout arranges them, which takes the
// bitmap's size from its defines; an X10 bitmap's bytes as X11 reads them.
std::vector<std::uint8_t> ArrangedSourceBytes(const ConversionState& state) {
  const std::string& file = state.SourcePath.empty() ? state.SourceFileName : state.SourcePath;
  std::vector<std::uint8_t> bytes = BitmapBytes(state.SourceText, file);
  const ByteLayout layout = state.Choice.layout;
  if (layout == ByteLayout::kXbm) return bytes;

  const std::optional<BitmapSize> size = DefinedSize(state.SourceText);
  if (!size) throw LayoutRefused(file, "has no _width and _height defines, which a layout needs");
  const std::int64_t needed = ArrangedSize(ByteLayout::kXbm, size->width, size->height);
  if (needed != static_cast<std::int64_t>(bytes.size())) {
    throw LayoutRefused(file, "holds " + std::to_string(bytes.size()) + " bytes where its " +
                                  std::to_string(size->width) + " x " +
                                  std::to_string(size->height) + " pixels take " +
                                  std::to_string(needed));
  }
  return ArrangeBytes(bytes, size->width, size->height, layout);
}

// Reads every literal straight into the byte list, which refuses the
// 32,767th at once: the source is never split into pieces, and a source with
// too many literals is not read further, nor listed.
void ExtractBytes(ConversionState& state, WindowSurface& window) {
  state.BytesEconomized = 0;
  state.RunCount = 0;
  state.EconomizedTotal = 0;

  const std::string_view source = state.SourceText;
  if (source.empty()) state.ByteCount = -1;
  const std::string declaration = DeclarationLine(StemName(state.SourceFileName));
  if (source.empty()) throw AppError::SubscriptOutOfRange();

  ByteList& bytes = window.List1();
  bytes.Clear();
  bytes.Reserve(std::min(source.size() / kLiteralPrefix.size(),
                         static_cast<std::size_t>(WorkList::kMaxItems)) +
                1);
  bytes.Append(declaration);
  if (state.Choice.layout != ByteLayout::kXbm || IsX10Bitmap(source)) {
    for (const std::uint8_t byte : ArrangedSourceBytes(state)) bytes.AppendByte(byte);
  } else {
    AppendLiterals(source, bytes);
  }
  state.ByteCount = bytes.Count() - 1;
  if (!window.ShowsListings()) return;
  Listing(bytes, state.SourceText);
  window.SetText1(state.SourceText);
}

// Uncompressed, the header is the byte list's own listing; nothing is economized.
void ListUncompressed(ConversionState& state, WindowSurface& window) {
  window.List2().Clear();
  Listing(window.List1(), state.CompressedText);
  if (state.ByteCount > 0) state.CompressionRate = 0;
}

void EncodeRuns(ConversionState& state, WindowSurface& window) {
  const ByteList& bytes = window.List1();
  EncodedList& encoded = window.List2();
  encoded.Clear();
  encoded.Reserve(static_cast<std::size_t>(bytes.Count()) + 1);

  // Byte items are compared by value; an item kept whole (the declaration,
  // a longer number) is never a run byte and passes through.
  const std::span<const std::uint8_t> values = bytes.Bytes();
  const std::span<const WorkList::TextItem> texts = bytes.TextItems();
  std::size_t nextText = 0;
  const auto isText = [&](std::int32_t position) {
    return nextText < texts.size() && texts[nextText].position == position;
  };

  const std::int32_t count = bytes.Count();
  std::int32_t extraRepeatsTotal = 0;
  for (std::int32_t position = 0; position < count; CheckedIncrement(position)) {
    if (isText(position)) {
      const std::string_view text = bytes.Text(texts[nextText++]);
      encoded.Append(position == 0 ? std::string_view() : kLiteralPrefix, text);
      continue;
    }
    const std::uint8_t value = values[static_cast<std::size_t>(position)];
    encoded.AppendByte(value);
    if (value != 0x00 && value != 0xFF) continue;

    CheckedIncrement(state.RunCount);
    std::int16_t repeats = 0;
    // The run ends at the first item that differs, or one past the last.
    while (repeats < kMaxExtraRepeats && position + 1 < count && !isText(position + 1) &&
           values[static_cast<std::size_t>(position) + 1] == value) {
      CheckedIncrement(repeats);
      CheckedIncrement(position);
    }
    extraRepeatsTotal = CheckedAdd<std::int32_t>(extraRepeatsTotal, repeats);
    // The cap keeps every count a byte, listed in a byte's two digits.
    encoded.AppendByte(static_cast<std::uint8_t>(repeats));
  }

  state.BytesEconomized = CheckedSub(extraRepeatsTotal, state.RunCount);
  Listing(encoded, state.CompressedText);

  state.EconomizedTotal = state.BytesEconomized;
  if (state.ByteCount > 0) {
    const double kept = CheckedSub(state.ByteCount, state.EconomizedTotal);
    state.CompressionRate = RoundToEven16(100.0 - (kept / state.ByteCount) * 100.0);
  }
}

}  // namespace

void ConvertSourceText(ConversionState& state, WindowSurface& window) {
  ExtractBytes(state, window);
  if (state.Choice.uncompressed) {
    ListUncompressed(state, window);
  } else {
    EncodeRuns(state, window);
  }
}

}  // namespace lumivane
