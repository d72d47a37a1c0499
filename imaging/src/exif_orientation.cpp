#include "exif_orientation.h"

#include <cstddef>
#include <cstdint>

namespace lumivane::imaging {

int ExifOrientation(std::string_view app1) {
  constexpr std::uint32_t kOrientationTag = 0x0112;
  if (app1.size() < 14 || app1.substr(0, 6) != std::string_view("Exif\0\0", 6)) return 0;
  const std::string_view tiff = app1.substr(6);
  const bool big = tiff[0] == 'M';
  const auto read = [&](std::size_t from, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
      value = value << 8 | static_cast<unsigned char>(
                               tiff[from + static_cast<std::size_t>(big ? i : count - 1 - i)]);
    }
    return value;
  };
  const std::uint32_t directory = read(4, 4);
  if (directory > tiff.size() - 2) return 1;
  const std::uint32_t entries = read(directory, 2);
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::size_t entry = directory + 2 + std::size_t{12} * i;
    if (entry + 12 > tiff.size()) return 1;
    if (read(entry, 2) != kOrientationTag) continue;
    const std::uint32_t value = read(entry + 8, 2);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
  }
  return 1;
}

Turn TurnOf(int orientation) {
  constexpr Turn kTurns[9] = {{0, Flip::kNone},   {0, Flip::kNone},         {0, Flip::kHorizontal},
                              {180, Flip::kNone}, {0, Flip::kVertical},     {90, Flip::kHorizontal},
                              {90, Flip::kNone},  {270, Flip::kHorizontal}, {270, Flip::kNone}};
  return kTurns[orientation >= 1 && orientation <= 8 ? orientation : 1];
}

}  // namespace lumivane::imaging
