#include <algorithm>
#include <cmath>

#include "shaping.h"

namespace lumivane::imaging {
namespace {

// The source pixels one target pixel covers along one axis, and how much of
// each: computed when asked, as a very long side would need a weight for
// every one of its pixels.
struct Span {
  double begin = 0;
  double end = 0;
  double scale = 1;
  int first = 0;
  int last = 0;

  double Weight(int s) const {
    return (std::min<double>(end, s + 1) - std::max<double>(begin, s)) / scale;
  }
};

std::vector<Span> Spans(int source, int target) {
  std::vector<Span> spans(static_cast<std::size_t>(target));
  const double scale = static_cast<double>(source) / target;
  for (int t = 0; t < target; ++t) {
    Span& span = spans[static_cast<std::size_t>(t)];
    span.begin = t * scale;
    span.end = (t + 1) * scale;
    span.scale = scale;
    span.first = static_cast<int>(span.begin);
    span.last = std::min(source - 1, static_cast<int>(std::ceil(span.end)) - 1);
  }
  return spans;
}

// The picture's size inside the box: one side fills it, the other keeps the ratio.
Size ScaledSize(int width, int height, Size box) {
  const auto w = static_cast<std::int64_t>(width);
  const auto h = static_cast<std::int64_t>(height);
  if (w * box.height >= h * box.width) {
    const auto scaled = (2 * h * box.width + w) / (2 * w);
    return {box.width, static_cast<int>(std::max<std::int64_t>(1, scaled))};
  }
  const auto scaled = (2 * w * box.height + h) / (2 * h);
  return {static_cast<int>(std::max<std::int64_t>(1, scaled)), box.height};
}

}  // namespace

Plane FitInto(const Plane& plane, Size box, std::uint8_t background) {
  const Size scaled = ScaledSize(plane.width, plane.height, box);
  const std::vector<Span> columns = Spans(plane.width, scaled.width);
  const std::vector<Span> rows = Spans(plane.height, scaled.height);

  Plane out{box.width, box.height, {}};
  out.values.assign(static_cast<std::size_t>(box.width) * box.height, background);
  const int left = (box.width - scaled.width) / 2;
  const int top = (box.height - scaled.height) / 2;

  // Source rows are reduced to the target's columns one at a time, so only
  // two rows of the target's width are held.
  std::vector<double> sum(static_cast<std::size_t>(scaled.width));
  std::vector<double> rowAverage(static_cast<std::size_t>(scaled.width));
  for (int y = 0; y < scaled.height; ++y) {
    std::fill(sum.begin(), sum.end(), 0.0);
    const Span& rowSpan = rows[static_cast<std::size_t>(y)];
    for (int sourceY = rowSpan.first; sourceY <= rowSpan.last; ++sourceY) {
      for (int x = 0; x < scaled.width; ++x) {
        const Span& columnSpan = columns[static_cast<std::size_t>(x)];
        double value = 0;
        for (int c = columnSpan.first; c <= columnSpan.last; ++c) {
          value += columnSpan.Weight(c) * plane.At(c, sourceY);
        }
        rowAverage[static_cast<std::size_t>(x)] = value;
      }
      const double rowWeight = rowSpan.Weight(sourceY);
      for (std::size_t x = 0; x < sum.size(); ++x) sum[x] += rowWeight * rowAverage[x];
    }
    for (int x = 0; x < scaled.width; ++x) {
      const double value = std::clamp(sum[static_cast<std::size_t>(x)], 0.0, 255.0);
      out.At(left + x, top + y) = static_cast<std::uint8_t>(std::lround(value));
    }
  }
  return out;
}

}  // namespace lumivane::imaging
