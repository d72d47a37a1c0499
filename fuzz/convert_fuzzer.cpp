// Feeds arbitrary text to the conversion, as a dropped file would, and checks
// what must hold for every input: both listings keep their layout, every run
// stands for at most 256 bytes so its count is a byte, the compressed items
// expand back to the byte list, the display-side decoder gives back the bytes,
// and the statistics agree with the lists. The source scanner, fed the text in
// chunks, must never call an overflow certain that the whole conversion does
// not raise, and must call it where the conversion raises it for too many
// literals; the text is also tried with literals put in front of it up to the
// limit, or one past it. The first line of the input is the file name, the
// rest the file's text.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app_error.h"
#include "bitmap_source.h"
#include "conversion_state.h"
#include "convert_and_report.h"
#include "listing_shape.h"
#include "lumivane_decode.h"
#include "memory_surface.h"
#include "source_scanner.h"

namespace {

using lumivane::ConversionState;
using lumivane::MemorySurface;

constexpr std::size_t kMaxNameLength = 40;
constexpr std::int32_t kMaxLiterals = 32766;

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// "0x" in either case, counted left to right without overlap.
std::int64_t CountLiterals(std::string_view text) {
  std::int64_t count = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
      ++count;
      ++i;
    }
  }
  return count;
}

bool HasFfInAnyCase(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if ((text[i] | 0x20) == 'f' && (text[i + 1] | 0x20) == 'f') return true;
  }
  return false;
}

std::string Declaration(std::string_view fileName) {
  return "const unsigned char " + std::string(fileName.substr(0, fileName.find('.'))) +
         "[] U8X8_PROGMEM = {\r\n";
}

std::string Digits(const std::string& item) {
  return item.substr(2);
}

// Expands the compressed items back into byte texts, checking each run.
std::vector<std::string> ExpandRuns(const std::vector<std::string>& items) {
  std::vector<std::string> bytes;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string byte = Digits(items[i]);
    if (byte != "00" && byte != "FF") {
      bytes.push_back(byte);
      continue;
    }
    Require(i + 1 < items.size(), "a run byte is followed by its count");
    const std::string count = Digits(items[++i]);
    Require(count.size() == 2, "every run count is one byte (at most 0xFF)");
    const unsigned long repeats = std::stoul(count, nullptr, 16);
    bytes.insert(bytes.end(), repeats + 1, byte);
  }
  return bytes;
}

bool LastItemIsRunCount(const std::vector<std::string>& itemDigits) {
  bool lastIsRun = false;
  for (std::size_t i = 0; i < itemDigits.size(); ++i) {
    lastIsRun = itemDigits[i] == "00" || itemDigits[i] == "FF";
    if (lastIsRun) ++i;
  }
  return lastIsRun;
}

std::vector<unsigned char> AsBytes(const std::vector<std::string>& texts) {
  std::vector<unsigned char> bytes;
  bytes.reserve(texts.size());
  for (const std::string& text : texts) {
    bytes.push_back(static_cast<unsigned char>(std::stoul(text, nullptr, 16)));
  }
  return bytes;
}

void CheckDecoder(const std::vector<std::string>& items,
                  const std::vector<std::string>& byteTexts) {
  std::vector<std::string> itemDigits;
  for (const std::string& item : items) itemDigits.push_back(Digits(item));
  const std::vector<unsigned char> encoded = AsBytes(itemDigits);
  const std::vector<unsigned char> expected = AsBytes(byteTexts);

  std::vector<unsigned char> out(expected.size() + 1);
  const long written = lumivane_decode(encoded.data(), encoded.size(), out.data(), expected.size());
  Require(written == static_cast<long>(expected.size()), "the decoder fills exactly the bytes");
  Require(std::equal(expected.begin(), expected.end(), out.begin()),
          "the decoder gives back the uncompressed bytes");
  if (!expected.empty()) {
    Require(lumivane_decode(encoded.data(), encoded.size(), out.data(), expected.size() - 1) ==
                LUMIVANE_DECODE_OUTPUT_FULL,
            "the decoder refuses a buffer one byte short");
  }
  if (LastItemIsRunCount(itemDigits)) {
    Require(lumivane_decode(encoded.data(), encoded.size() - 1, out.data(), out.size()) ==
                LUMIVANE_DECODE_MALFORMED,
            "the decoder refuses a run byte without its count");
  }
}

void CheckConversion(const ConversionState& state, MemorySurface& window,
                     std::string_view sourceText) {
  Require(CountLiterals(sourceText) <= kMaxLiterals,
          "a source with more than 32,766 literals fails with the overflow error");
  Require(state.ByteCount == CountLiterals(sourceText), "one byte per \"0x\"");
  const std::string declaration = Declaration(state.SourceFileName);

  const auto listed = lumivane::fuzz::ListingItems(window.Text1(), declaration);
  Require(listed.has_value(), "the uncompressed listing keeps its layout");
  Require(static_cast<std::int32_t>(listed->size()) == state.ByteCount,
          "the uncompressed listing holds every byte");
  std::vector<std::string> byteTexts;
  for (std::int32_t i = 1; i <= state.ByteCount; ++i) {
    byteTexts.push_back(window.List1().Item(i));
    Require((*listed)[std::size_t(i) - 1] == "0x" + byteTexts.back(),
            "the uncompressed listing shows the byte list");
  }

  const auto items = lumivane::fuzz::ListingItems(state.CompressedText, declaration);
  Require(items.has_value(), "the compressed listing keeps its layout");
  Require(static_cast<std::int32_t>(items->size()) == window.List2().Count() - 1,
          "the compressed listing holds every encoded item");
  for (std::size_t i = 0; i < items->size(); ++i) {
    Require((*items)[i] == window.List2().Item(static_cast<std::int32_t>(i) + 1),
            "the compressed listing shows the encoded list");
  }
  Require(ExpandRuns(*items) == byteTexts, "the runs expand back to the byte list");
  Require(state.BytesEconomized == state.ByteCount - static_cast<std::int32_t>(items->size()),
          "bytes economized is the byte count minus the encoded items");
  Require(state.EconomizedTotal == state.BytesEconomized, "the report shows bytes economized");

  bool allBytes = true;
  for (const std::string& text : byteTexts) allBytes = allBytes && text.size() == 2;
  if (allBytes) CheckDecoder(*items, byteTexts);
}

// Feeds the text in chunks of 1 to 8 characters, sized by the input's bytes,
// so that pairs fall across chunk ends everywhere.
void CheckScanner(std::string_view text, bool overflowed, std::string_view chunkSizes) {
  lumivane::SourceScanner scanner;
  std::size_t chunk = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t size =
        chunkSizes.empty()
            ? text.size()
            : 1 + static_cast<unsigned char>(chunkSizes[chunk++ % chunkSizes.size()]) % 8u;
    scanner.Feed(text.substr(at, size));
    at += size;
    Require(!scanner.OverflowCertain() || overflowed,
            "an overflow the scanner calls certain on a prefix is the whole text's outcome");
  }
  Require(scanner.OverflowCertain() == (overflowed && CountLiterals(text) > kMaxLiterals),
          "the scanner calls the overflow for too many literals certain by the text's end");
}

bool ConversionOverflows(const std::string& name, std::string_view text) {
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = name;
  state.SourceText = std::string(text);
  try {
    lumivane::ConvertAndReport(state, window);
  } catch (const lumivane::AppError& error) {
    Require(error.Number() == lumivane::error::kOverflow, "the only failure is the overflow");
    return true;
  }
  return false;
}

// Literals without "00" or "FF" in front of the text bring it to the limit,
// or one past it, so the verdict rests on the text. A conversion that large
// slows the fuzzer down a hundredfold, so only one input in eight, chosen by
// its first byte, gets it.
void CheckScannerAtTheLimit(const std::string& name, std::string_view text,
                            std::string_view input) {
  const std::int64_t literals = CountLiterals(text);
  if (input.empty() || static_cast<unsigned char>(input[0]) % 8 != 0 || literals > kMaxLiterals)
    return;
  const std::int64_t pad = kMaxLiterals - literals + (input.size() & 1);
  std::string padded;
  padded.reserve(static_cast<std::size_t>(pad) * 2 + text.size());
  for (std::int64_t i = 0; i < pad; ++i) padded.append("0x");
  padded.append(text);
  CheckScanner(padded, ConversionOverflows(name, padded), input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = input.find('\n');
  std::string name(newline == std::string_view::npos
                       ? std::string_view("fuzz")
                       : input.substr(0, std::min(newline, kMaxNameLength)));
  // Both callers convert only names that end in ".xbm".
  if (name.find('.') == std::string::npos) name.append(".xbm");
  const std::string_view text =
      newline == std::string_view::npos ? input : input.substr(newline + 1);

  ConversionState state;
  MemorySurface window;
  state.SourceFileName = name;
  state.SourceText = std::string(text);
  // An X10 literal holds two bytes, so no count above holds for such a text:
  // it converts, or fails with one of the conversion's own errors.
  if (lumivane::IsX10Bitmap(text)) {
    try {
      lumivane::ConvertAndReport(state, window);
    } catch (const lumivane::AppError& error) {
      Require(error.Number() == lumivane::error::kOverflow ||
                  error.Number() == lumivane::error::kInvalidArgument,
              "an X10 text fails only with the conversion's errors");
    }
    return 0;
  }

  CheckScannerAtTheLimit(name, text, input);

  try {
    lumivane::ConvertAndReport(state, window);
  } catch (const lumivane::AppError& error) {
    Require(error.Number() == lumivane::error::kOverflow && CountLiterals(text) > kMaxLiterals,
            "only a source with more than 32,766 literals fails (overflow)");
    CheckScanner(text, true, input);
    return 0;
  }
  CheckScanner(text, false, input);

  if (window.Text3() == "NOTHING TO COMPRESS\r\n") {
    Require(text.find("00") == std::string_view::npos && !HasFfInAnyCase(text),
            "only a text without \"00\" and \"FF\" has nothing to compress");
    // Its array is still converted, so that the header builds; a text
    // without a literal has none.
    if (CountLiterals(text) == 0) {
      Require(state.CompressedText.empty() && window.List2().Count() == 0,
              "a text without a literal converts nothing");
      return 0;
    }
  }
  CheckConversion(state, window, text);
  return 0;
}
