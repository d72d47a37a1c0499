#pragma once

#include <string_view>

#include "conversion_state.h"
#include "window_surface.h"

namespace lumivane {

// True when the raw text holds "00", or "FF" in any letter case: only then is
// there anything for the run-length code to do.
bool HasSomethingToCompress(std::string_view text);

// The one entry point through which every workflow converts a file. Refuses a
// text without "00" or "FF" with the line "NOTHING TO COMPRESS"; otherwise
// converts it, shows the compressed listing in Text2, appends the report line
// to Text3 and lets the window handle its pending events once.
void ConvertAndReport(ConversionState& state, WindowSurface& window);

}  // namespace lumivane
