#include "import.h"
#include "import_limits.h"
#include "shaping.h"

namespace lumivane::imaging {
namespace {

Bitmap Pack(const Plane& flags, bool invert) {
  Bitmap bitmap{flags.width, flags.height, {}};
  const int rowBytes = Bitmap::RowBytes(flags.width);
  bitmap.bits.assign(static_cast<std::size_t>(rowBytes) * flags.height, 0);
  for (int y = 0; y < flags.height; ++y) {
    for (int x = 0; x < flags.width; ++x) {
      if ((flags.At(x, y) != 0) != invert) {
        bitmap.bits[static_cast<std::size_t>(y * rowBytes + x / 8)] |=
            static_cast<std::uint8_t>(1u << (x % 8));
      }
    }
  }
  return bitmap;
}

}  // namespace

Bitmap ToBitmap(const GrayFrame& frame, const ImportSettings& settings) {
  CheckResultFits({frame.luminance.width, frame.luminance.height}, settings);
  // The background must come out unset (or set, when asked) after inverting.
  const std::uint8_t background = settings.backgroundSet != settings.invert ? 0 : 255;
  Plane plane = Composite(frame, background);
  if (settings.rotation != 0 || settings.flip != Flip::kNone) {
    plane = Orient(plane, settings.rotation, settings.flip);
  }
  if (settings.fit) plane = FitInto(plane, *settings.fit, background);
  Bitmap bitmap = Pack(Reduce(plane, settings.threshold, settings.dithering), settings.invert);
  CheckCodedFits(bitmap, settings.conversion);
  return bitmap;
}

}  // namespace lumivane::imaging
