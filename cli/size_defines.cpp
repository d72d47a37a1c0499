#include "size_defines.h"

#include "bitmap_source.h"
#include "listing_layout.h"

namespace lumivane::cli {

std::string SizeDefines(std::string_view sourceText, std::string_view name) {
  const auto width = DefinedNumber(sourceText, "_width");
  const auto height = DefinedNumber(sourceText, "_height");
  if (!width || !height) return {};
  std::string defines;
  defines.append("#define ").append(name).append("_width ").append(*width).append(kLineEnd);
  defines.append("#define ").append(name).append("_height ").append(*height).append(kLineEnd);
  return defines;
}

}  // namespace lumivane::cli
