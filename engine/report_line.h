#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumivane {

inline constexpr std::string_view kNothingToCompressLine = "NOTHING TO COMPRESS\r\n";
// What ends the report of an action that went to its end.
inline constexpr std::string_view kComplete = "COMPLETE";
inline constexpr std::size_t kReportNameWidth = 16;

// One progress line: the name padded to 18 characters (not bytes), then the three figures
// separated by tabs, ended by CR LF.
std::string FormatReportLine(std::string_view reportName, std::int32_t byteCount,
                             std::int32_t economizedTotal, std::int16_t compressionRate);

}  // namespace lumivane
