#include "utf8_characters.h"

namespace lumivane {
namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0u) == 0x80u;
}

// The range the second byte of a sequence must lie in: it rules out overlong
// forms, UTF-16 surrogates and code points above U+10FFFF.
struct Lead {
  std::size_t length;
  unsigned char secondLow;
  unsigned char secondHigh;
};

Lead LeadOf(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80, 0xBF};
  if (byte == 0xE0) return {3, 0xA0, 0xBF};
  if (byte == 0xED) return {3, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {3, 0x80, 0xBF};
  if (byte == 0xF0) return {4, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {4, 0x80, 0xBF};
  if (byte == 0xF4) return {4, 0x80, 0x8F};
  return {1, 0, 0};
}

}  // namespace

std::size_t CharacterLength(std::string_view text) {
  if (text.empty()) return 0;
  const Lead lead = LeadOf(static_cast<unsigned char>(text[0]));
  if (lead.length == 1 || text.size() < lead.length) return 1;
  const auto second = static_cast<unsigned char>(text[1]);
  if (second < lead.secondLow || second > lead.secondHigh) return 1;
  for (std::size_t i = 2; i < lead.length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[i]))) return 1;
  }
  return lead.length;
}

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); i += CharacterLength(text.substr(i))) ++count;
  return count;
}

std::string_view FirstCharacters(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (; count > 0 && end < text.size(); --count) end += CharacterLength(text.substr(end));
  return text.substr(0, end);
}

}  // namespace lumivane
