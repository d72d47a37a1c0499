#include "header_bits.h"

#include <stdexcept>

#include "convert_and_report.h"
#include "listing_decoder.h"
#include "lumivane_decode.h"
#include "memory_surface.h"

namespace lumivane::test {

std::vector<std::uint8_t> HeaderBits(const std::string& name, const std::string& xbmText,
                                     ConversionChoice choice) {
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = name + ".xbm";
  state.SourceText = xbmText;
  state.Choice = choice;
  ConvertAndReport(state, window);
  const ParsedListing listing = ParseListing(state.CompressedText);
  if (listing.arrayName != name) throw std::runtime_error("array named " + listing.arrayName);
  std::vector<unsigned char> encoded;
  for (const std::string& item : listing.items) encoded.push_back(ItemByte(item));
  if (choice.uncompressed) return encoded;
  std::vector<unsigned char> out(static_cast<std::size_t>(state.ByteCount));
  const long written = lumivane_decode(encoded.data(), encoded.size(), out.data(), out.size());
  if (written != static_cast<long>(out.size())) throw std::runtime_error("decoder failed");
  return {out.begin(), out.end()};
}

}  // namespace lumivane::test
