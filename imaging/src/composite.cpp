#include "import.h"

namespace lumivane::imaging {

Plane Composite(const GrayFrame& frame, std::uint8_t background) {
  Plane plane = frame.luminance;
  if (!frame.alpha) return plane;
  for (std::size_t i = 0; i < plane.values.size(); ++i) {
    const unsigned alpha = frame.alpha->values[i];
    plane.values[i] = static_cast<std::uint8_t>(
        (plane.values[i] * alpha + background * (255 - alpha) + 127) / 255);
  }
  return plane;
}

}  // namespace lumivane::imaging
