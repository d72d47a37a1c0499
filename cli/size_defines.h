#pragma once

#include <string>
#include <string_view>

namespace lumivane::cli {

// "#define NAME_width W" and "#define NAME_height H" lines (CR LF ended, as
// the header is) with the numbers of the source's own "..._width" and
// "..._height" defines; empty unless the source defines both.
std::string SizeDefines(std::string_view sourceText, std::string_view name);

}  // namespace lumivane::cli
