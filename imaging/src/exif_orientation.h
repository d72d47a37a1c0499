#pragma once

#include <string_view>

#include "import.h"

namespace lumivane::imaging {

// How a picture's stored pixels are turned to show it upright: a turn
// clockwise, then a flip.
struct Turn {
  int rotation;
  Flip flip;
};

// The orientation an APP1 segment's payload gives ("Exif\0\0" then TIFF):
// 1 to 8, 1 for an EXIF segment that names none or cannot be read, and 0 for
// a segment that is no EXIF, so that the caller looks on.
int ExifOrientation(std::string_view app1);

// The turn of an orientation 1 to 8.
Turn TurnOf(int orientation);

}  // namespace lumivane::imaging
