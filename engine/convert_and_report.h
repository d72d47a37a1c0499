#pragma once

#include <string_view>

#include "conversion_state.h"
#include "window_surface.h"

namespace lumivane {

// True when the raw text holds "00", or "FF" in any letter case: only then is
// there anything for the run-length code to do.
bool HasSomethingToCompress(std::string_view text);

// The one entry point through which every workflow converts a file: converts
// it, shows the compressed listing in Text2, appends the report line to Text3
// and lets the window handle its pending events once. A text without "00" or
// "FF" is reported with the line "NOTHING TO COMPRESS" instead, and no events
// run; its literals are still converted, so its header holds its array.
void ConvertAndReport(ConversionState& state, WindowSurface& window);

}  // namespace lumivane
