#pragma once

#include <span>
#include <string>
#include <string_view>

namespace lumivane {

// The lines after an animation's frame arrays in its one header: the frames
// in order (pointers, in flash with the arrays), their count, how long each
// shows in milliseconds and each array's size, which the decoder is given
// with it; CR LF ended, as the listings are.
//
//   const unsigned char* const NAME_frames[] U8X8_PROGMEM = {NAME_0, NAME_1};
//   const unsigned int NAME_frame_count = 2;
//   const unsigned long NAME_frame_delay_ms[] U8X8_PROGMEM = {100, 0};
//   const unsigned int NAME_frame_sizes[] U8X8_PROGMEM = {sizeof NAME_0, sizeof NAME_1};
std::string AnimationTable(std::string_view name, std::span<const std::string> frameNames,
                           std::span<const int> delaysMs);

}  // namespace lumivane
