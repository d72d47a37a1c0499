#pragma once

#include <optional>
#include <string_view>

namespace lumivane::imaging {

enum class Dithering { kNone, kFloydSteinberg, kAtkinson, kBayer };
enum class Flip { kNone, kHorizontal, kVertical };

struct FitBox {
  int width = 0;
  int height = 0;
};

// How an image becomes one bit a pixel. By default a pixel darker than the
// threshold becomes a set bit, as image editors export XBM; `invert` suits
// light-on-dark art. The picture is turned clockwise first, then flipped,
// then fitted.
struct ImportSettings {
  int threshold = 128;
  Dithering dithering = Dithering::kNone;
  bool invert = false;
  int rotation = 0;
  Flip flip = Flip::kNone;
  std::optional<FitBox> fit;
  // Transparent pixels and the margins of a fit are background: unset bits,
  // or set bits when this is on.
  bool backgroundSet = false;
};

inline constexpr int kMaxThreshold = 255;

// The names the command line and the window use; nullopt for an unknown one.
std::optional<Dithering> DitheringNamed(std::string_view name);
std::string_view DitheringName(Dithering dithering);
bool IsRotation(int degrees);

}  // namespace lumivane::imaging
