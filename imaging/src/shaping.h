#pragma once

#include "import.h"

namespace lumivane::imaging {

// Turned clockwise by 0, 90, 180 or 270 degrees, then flipped.
Plane Orient(const Plane& plane, int rotation, Flip flip);

// Scaled to the largest size with the same aspect ratio that fits the box,
// each new pixel the average of the area it covers, and centred on the
// background.
Plane FitInto(const Plane& plane, Size box, std::uint8_t background);

// One flag a pixel: 1 where the pixel is darker than the threshold, spreading
// or ordering the rounding error as the dithering says.
Plane Reduce(const Plane& plane, int threshold, Dithering dithering);

}  // namespace lumivane::imaging
