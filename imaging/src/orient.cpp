#include "shaping.h"

namespace lumivane::imaging {

Plane Orient(const Plane& plane, int rotation, Flip flip) {
  const bool sideways = rotation == 90 || rotation == 270;
  Plane out{sideways ? plane.height : plane.width, sideways ? plane.width : plane.height,
            std::vector<std::uint8_t>(plane.values.size())};
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      const int shownX = flip == Flip::kHorizontal ? out.width - 1 - x : x;
      const int shownY = flip == Flip::kVertical ? out.height - 1 - y : y;
      int sourceX = shownX;
      int sourceY = shownY;
      if (rotation == 90) {
        sourceX = shownY;
        sourceY = plane.height - 1 - shownX;
      } else if (rotation == 180) {
        sourceX = plane.width - 1 - shownX;
        sourceY = plane.height - 1 - shownY;
      } else if (rotation == 270) {
        sourceX = plane.width - 1 - shownY;
        sourceY = shownX;
      }
      out.At(x, y) = plane.At(sourceX, sourceY);
    }
  }
  return out;
}

}  // namespace lumivane::imaging
