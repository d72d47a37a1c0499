#pragma once

#include <span>
#include <string>
#include <string_view>

namespace lumivane {

// The lines after an animation's frame arrays in its one header: the frames
// in order (pointers, in flash with the arrays), their count, and how long
// each shows in milliseconds; CR LF ended, as the listings are.
//
//   const unsigned char* const NAME_frames[] U8X8_PROGMEM = {NAME_0, NAME_1};
//   const unsigned int NAME_frame_count = 2;
//   const unsigned long NAME_frame_delay_ms[] U8X8_PROGMEM = {100, 0};
std::string AnimationTable(std::string_view name, std::span<const std::string> frameNames,
                           std::span<const int> delaysMs);

}  // namespace lumivane
