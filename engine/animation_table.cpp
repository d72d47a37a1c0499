#include "animation_table.h"

namespace lumivane {
namespace {

template <typename Items, typename Append>
void AppendList(std::string& text, const Items& items, Append append) {
  text.push_back('{');
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text.append(", ");
    append(items[i]);
  }
  text.append("};\r\n");
}

}  // namespace

std::string AnimationTable(std::string_view name, std::span<const std::string> frameNames,
                           std::span<const int> delaysMs) {
  const std::string prefix(name);
  std::string table;
  table.append("const unsigned char* const ").append(prefix).append("_frames[] U8X8_PROGMEM = ");
  AppendList(table, frameNames, [&](const std::string& frame) { table.append(frame); });
  table.append("const unsigned int ").append(prefix).append("_frame_count = ");
  table.append(std::to_string(frameNames.size())).append(";\r\n");
  table.append("const unsigned long ").append(prefix);
  table.append("_frame_delay_ms[] U8X8_PROGMEM = ");
  AppendList(table, delaysMs, [&](int delay) { table.append(std::to_string(delay)); });
  table.append("const unsigned int ").append(prefix).append("_frame_sizes[] U8X8_PROGMEM = ");
  AppendList(table, frameNames,
             [&](const std::string& frame) { table.append("sizeof ").append(frame); });
  return table;
}

}  // namespace lumivane
