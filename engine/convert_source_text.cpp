#include "convert_source_text.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "app_error.h"
#include "checked_math.h"
#include "hex_text.h"
#include "listing_layout.h"
#include "stem_name.h"

namespace lumivane {
namespace {

// Extra repeats one run may hold, so that its count is a single byte.
constexpr std::int16_t kMaxExtraRepeats = 255;

constexpr std::string_view kLiteralPrefix = "0x";

// Appends "0x" + the byte text; byte texts are short, so without a temporary string.
void AppendLiteral(EncodedList& encoded, std::string_view byteText) {
  char literal[kLiteralPrefix.size() + kMaxByteTextDigits] = {'0', 'x'};
  if (byteText.size() > kMaxByteTextDigits) {
    encoded.Append(std::string(kLiteralPrefix) + std::string(byteText));
    return;
  }
  std::copy(byteText.begin(), byteText.end(), literal + kLiteralPrefix.size());
  encoded.Append(std::string_view(literal, kLiteralPrefix.size() + byteText.size()));
}

// The digit of a run byte: '0' for "00", 'F' for "FF", and 0 for every other
// item, so the encoder compares one character instead of two strings.
char RunDigit(std::string_view item) {
  if (item.size() != 2 || item[0] != item[1]) return 0;
  return item[0] == '0' || item[0] == 'F' ? item[0] : 0;
}

bool IsSeparatorAt(std::string_view text, std::size_t i) {
  return text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X');
}

// Where the "0x" and "0X" separators stand, left to right, not overlapping.
// Every one is counted, but offsets are kept only as far as the byte list can
// reach, so a huge hostile text costs no more memory than a full bitmap.
struct Separators {
  std::vector<std::size_t> offsets;
  std::int64_t count = 0;
};

Separators FindSeparators(std::string_view text) {
  constexpr std::size_t kKept = static_cast<std::size_t>(WorkList::kMaxItems) + 1;
  Separators found;
  found.offsets.reserve(std::min(text.size() / 2, kKept));
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (IsSeparatorAt(text, i)) {
      if (found.offsets.size() < kKept) found.offsets.push_back(i);
      ++found.count;
      ++i;
    }
  }
  return found;
}

// Round half to even, whatever the floating-point environment says.
std::int16_t RoundToEven16(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1.0;
  return CheckedCast<std::int16_t>(static_cast<std::int64_t>(rounded));
}

void ExtractBytes(ConversionState& state, WindowSurface& window) {
  state.BytesEconomized = 0;
  state.RunCount = 0;
  state.EconomizedTotal = 0;

  const Separators found = FindSeparators(state.SourceText);
  const std::vector<std::size_t>& separators = found.offsets;
  const std::int64_t pieces = state.SourceText.empty() ? 0 : found.count + 1;
  state.ByteCount = CheckedCast<std::int32_t>(pieces - 1);

  std::string declaration = DeclarationLine(StemName(state.SourceFileName));
  if (pieces == 0) throw AppError::SubscriptOutOfRange();

  ByteList& bytes = window.List1();
  bytes.Clear();
  bytes.Reserve(separators.size() + 1);
  bytes.Append(declaration);

  const std::string source = std::exchange(state.SourceText, std::move(declaration));
  ListingWriter listing(state.SourceText, separators.size());
  for (std::int32_t i = 1; i <= state.ByteCount; CheckedIncrement(i)) {
    const std::size_t begin = separators[std::size_t(i) - 1] + 2;
    const std::size_t end =
        std::size_t(i) < separators.size() ? separators[std::size_t(i)] : source.size();
    char literal[kLiteralPrefix.size() + kMaxByteTextDigits] = {'0', 'x'};
    const std::size_t digits = WriteHexByte(std::string_view(source).substr(begin, end - begin),
                                            std::span(literal).subspan<kLiteralPrefix.size()>());
    listing.Add(std::string_view(literal, kLiteralPrefix.size() + digits));
    bytes.Append(std::string_view(literal + kLiteralPrefix.size(), digits));
  }
  listing.Finish();
  window.SetText1(state.SourceText);
}

void EncodeRuns(ConversionState& state, WindowSurface& window) {
  const ByteList& bytes = window.List1();
  EncodedList& encoded = window.List2();
  encoded.Clear();
  encoded.Reserve(static_cast<std::size_t>(bytes.Count()) + 1);

  std::int32_t extraRepeatsTotal = 0;
  for (std::int32_t position = 0; position < bytes.Count(); CheckedIncrement(position)) {
    const std::string& item = bytes.Item(position);
    const char runDigit = RunDigit(item);
    if (runDigit == 0) {
      if (position == 0)
        encoded.Append(item);
      else
        AppendLiteral(encoded, item);
      continue;
    }
    CheckedIncrement(state.RunCount);
    AppendLiteral(encoded, item);
    std::int16_t repeats = 0;
    while (repeats < kMaxExtraRepeats &&
           RunDigit(bytes.Item(CheckedAdd(position, 1))) == runDigit) {
      CheckedIncrement(repeats);
      CheckedIncrement(position);
    }
    extraRepeatsTotal = CheckedAdd<std::int32_t>(extraRepeatsTotal, repeats);
    AppendLiteral(encoded, FormatRunCount(repeats));
  }

  state.CompressedText = bytes.Item(0);
  state.BytesEconomized = CheckedSub(extraRepeatsTotal, state.RunCount);

  const std::int32_t itemCount = encoded.Count();
  ListingWriter listing(state.CompressedText, static_cast<std::size_t>(itemCount));
  for (std::int32_t i = 1; i < itemCount; CheckedIncrement(i)) listing.Add(encoded.Item(i));
  listing.Finish();

  state.EconomizedTotal = state.BytesEconomized;
  if (state.ByteCount > 0) {
    const double kept = CheckedSub(state.ByteCount, state.EconomizedTotal);
    state.CompressionRate = RoundToEven16(100.0 - (kept / state.ByteCount) * 100.0);
  }
}

}  // namespace

void ConvertSourceText(ConversionState& state, WindowSurface& window) {
  ExtractBytes(state, window);
  EncodeRuns(state, window);
}

}  // namespace lumivane
