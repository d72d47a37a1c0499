#include <array>
#include <utility>

#include "import.h"

namespace lumivane::imaging {
namespace {

constexpr std::array<std::pair<Dithering, std::string_view>, 4> kDitheringNames{{
    {Dithering::kNone, "none"},
    {Dithering::kFloydSteinberg, "floyd-steinberg"},
    {Dithering::kAtkinson, "atkinson"},
    {Dithering::kBayer, "bayer"},
}};

}  // namespace

std::optional<Dithering> DitheringNamed(std::string_view name) {
  for (const auto& [dithering, text] : kDitheringNames) {
    if (text == name) return dithering;
  }
  return std::nullopt;
}

std::string_view DitheringName(Dithering dithering) {
  for (const auto& [known, text] : kDitheringNames) {
    if (known == dithering) return text;
  }
  return {};
}

bool IsRotation(int degrees) {
  return degrees == 0 || degrees == 90 || degrees == 180 || degrees == 270;
}

}  // namespace lumivane::imaging
