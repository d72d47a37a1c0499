#include "report_line.h"

#include "utf8_characters.h"

namespace lumivane {

std::string FormatReportLine(std::string_view reportName, std::int32_t byteCount,
                             std::int32_t economizedTotal, std::int16_t compressionRate) {
  constexpr std::size_t kNameColumns = 18;
  std::string line;
  line.reserve(128);
  line.append(reportName);
  const std::size_t nameColumns = CharacterCount(reportName);
  line.append(kNameColumns > nameColumns ? kNameColumns - nameColumns : 0, ' ');
  line.append(std::to_string(byteCount)).append(" uncompressed bytes, \t");
  line.append(std::to_string(economizedTotal)).append(" bytes economized, \t");
  line.append("compression rate = ").append(std::to_string(compressionRate)).append("%\r\n");
  return line;
}

}  // namespace lumivane
