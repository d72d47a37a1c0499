#include "listing_decoder.h"

#include <stdexcept>

namespace lumivane::test {
namespace {

constexpr std::string_view kHead = "const unsigned char ";
constexpr std::string_view kTail = "[] U8X8_PROGMEM = {\r\n";
constexpr std::string_view kEnd = "\r\n};";

class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  bool AtEnd() const { return offset_ == text_.size(); }
  bool Peek(std::string_view expected) const { return text_.substr(offset_).starts_with(expected); }

  void Expect(std::string_view expected) {
    if (!Peek(expected)) Fail("expected \"" + std::string(expected) + "\"");
    offset_ += expected.size();
  }

  std::string TakeUntil(std::string_view marker) {
    const auto found = text_.find(marker, offset_);
    if (found == std::string_view::npos) Fail("missing \"" + std::string(marker) + "\"");
    std::string taken(text_.substr(offset_, found - offset_));
    offset_ = found;
    return taken;
  }

  std::string TakeHexDigits() {
    const std::size_t begin = offset_;
    while (offset_ < text_.size() && IsUpperHexDigit(text_[offset_])) ++offset_;
    if (offset_ == begin) Fail("expected upper-case hexadecimal digits");
    return std::string(text_.substr(begin, offset_ - begin));
  }

  [[noreturn]] void Fail(const std::string& what) const {
    throw std::invalid_argument(what + " at offset " + std::to_string(offset_));
  }

 private:
  static bool IsUpperHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

  std::string_view text_;
  std::size_t offset_ = 0;
};

}  // namespace

ParsedListing ParseListing(std::string_view text) {
  Cursor cursor(text);
  ParsedListing listing;
  cursor.Expect(kHead);
  listing.arrayName = cursor.TakeUntil(kTail);
  cursor.Expect(kTail);
  if (!cursor.Peek(kEnd)) {
    for (std::size_t index = 1;; ++index) {
      cursor.Expect("0x");
      listing.items.push_back(cursor.TakeHexDigits());
      if (cursor.Peek(kEnd)) break;
      cursor.Expect(", ");
      if (index % 16 == 0) cursor.Expect("\r\n");
    }
  }
  cursor.Expect(kEnd);
  if (!cursor.AtEnd()) cursor.Fail("text after the end of the listing");
  return listing;
}

std::uint8_t ItemByte(const std::string& item) {
  const unsigned long value = std::stoul(item, nullptr, 16);
  if (value > 0xFF) throw std::invalid_argument("item 0x" + item + " does not fit a byte");
  return static_cast<std::uint8_t>(value);
}

std::vector<std::uint8_t> DecodeRuns(const std::vector<std::string>& items) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::uint8_t value = ItemByte(items[i]);
    if (value != 0x00 && value != 0xFF) {
      bytes.push_back(value);
      continue;
    }
    if (++i == items.size()) throw std::invalid_argument("run byte without its count");
    bytes.insert(bytes.end(), std::size_t{ItemByte(items[i])} + 1, value);
  }
  return bytes;
}

}  // namespace lumivane::test
