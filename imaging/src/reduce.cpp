#include <algorithm>
#include <array>

#include "shaping.h"

namespace lumivane::imaging {
namespace {

constexpr int kWhite = 255;

// The classic 4x4 ordered-dither matrix; entry m shifts the threshold by
// 16 m + 8 - 128, so a flat grey sets as many of the 16 cells as its darkness.
constexpr std::array<std::array<int, 4>, 4> kBayer{{
    {0, 8, 2, 10},
    {12, 4, 14, 6},
    {3, 11, 1, 9},
    {15, 7, 13, 5},
}};

// Where an error-spreading method sends the rounding error of one pixel,
// and what share of it (numerator over the common denominator).
struct Share {
  int dx;
  int dy;
  int numerator;
};

struct Diffusion {
  int denominator;
  std::vector<Share> shares;
};

const Diffusion kFloydSteinberg{16, {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}};
// Atkinson spreads only six eighths, which keeps flat areas clean.
const Diffusion kAtkinson{8, {{1, 0, 1}, {2, 0, 1}, {-1, 1, 1}, {0, 1, 1}, {1, 1, 1}, {0, 2, 1}}};

// Each pixel against the threshold alone, or shifted by Bayer's matrix.
Plane Compared(const Plane& plane, int threshold, bool ordered) {
  Plane flags{plane.width, plane.height, std::vector<std::uint8_t>(plane.values.size())};
  for (int y = 0; y < plane.height; ++y) {
    for (int x = 0; x < plane.width; ++x) {
      const int cell = kBayer[static_cast<std::size_t>(y % 4)][static_cast<std::size_t>(x % 4)];
      const int shift = ordered ? 16 * cell + 8 - 128 : 0;
      flags.At(x, y) = plane.At(x, y) < threshold + shift ? 1 : 0;
    }
  }
  return flags;
}

Plane Diffused(const Plane& plane, int threshold, const Diffusion& diffusion) {
  Plane flags{plane.width, plane.height, std::vector<std::uint8_t>(plane.values.size())};
  // Errors waiting for the next rows, in units of 1/denominator; a margin of
  // two columns on each side keeps every share inside the buffer.
  constexpr int kMargin = 2;
  const auto stride = static_cast<std::size_t>(plane.width + 2 * kMargin);
  std::array<std::vector<int>, 3> pending;
  for (auto& row : pending) row.assign(stride, 0);

  for (int y = 0; y < plane.height; ++y) {
    for (int x = 0; x < plane.width; ++x) {
      const int carried = pending[0][static_cast<std::size_t>(x + kMargin)] / diffusion.denominator;
      const int value = plane.At(x, y) + carried;
      const bool set = value < threshold;
      flags.At(x, y) = set ? 1 : 0;
      const int error = value - (set ? 0 : kWhite);
      for (const Share& share : diffusion.shares) {
        pending[static_cast<std::size_t>(share.dy)]
               [static_cast<std::size_t>(x + share.dx + kMargin)] += error * share.numerator;
      }
    }
    std::rotate(pending.begin(), pending.begin() + 1, pending.end());
    std::fill(pending[2].begin(), pending[2].end(), 0);
  }
  return flags;
}

}  // namespace

Plane Reduce(const Plane& plane, int threshold, Dithering dithering) {
  switch (dithering) {
    case Dithering::kFloydSteinberg:
      return Diffused(plane, threshold, kFloydSteinberg);
    case Dithering::kAtkinson:
      return Diffused(plane, threshold, kAtkinson);
    case Dithering::kBayer:
      return Compared(plane, threshold, true);
    case Dithering::kNone:
      break;
  }
  return Compared(plane, threshold, false);
}

}  // namespace lumivane::imaging
