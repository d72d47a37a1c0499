#include "convert_and_report.h"

#include "convert_source_text.h"
#include "report_line.h"
#include "stem_name.h"
#include "utf8_characters.h"

namespace lumivane {
namespace {

bool IsLetterF(char c) {
  return c == 'F' || c == 'f';
}

bool ContainsFfAnyCase(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (IsLetterF(text[i]) && IsLetterF(text[i + 1])) return true;
  }
  return false;
}

bool HasLiteral(std::string_view text) {
  return text.find("0x") != std::string_view::npos || text.find("0X") != std::string_view::npos;
}

}  // namespace

bool HasSomethingToCompress(std::string_view text) {
  return text.find("00") != std::string_view::npos || ContainsFfAnyCase(text);
}

void ConvertAndReport(ConversionState& state, WindowSurface& window) {
  const std::string stem = StemName(state.SourceFileName);
  const std::string_view reportName = FirstCharacters(stem, kReportNameWidth);

  if (!HasSomethingToCompress(state.SourceText)) {
    // Without a "00" or "FF" the bytes are their own encoding, but the header
    // still needs its array: the text is converted, and only the report
    // line says there was nothing to compress.
    if (HasLiteral(state.SourceText)) {
      ConvertSourceText(state, window);
      if (window.ShowsListings()) window.SetText2(state.CompressedText);
    }
    window.AppendText3(kNothingToCompressLine);
    return;
  }

  ConvertSourceText(state, window);
  if (window.ShowsListings()) window.SetText2(state.CompressedText);
  window.AppendText3(
      FormatReportLine(reportName, state.ByteCount, state.EconomizedTotal, state.CompressionRate));
  window.ProcessPendingEvents();
}

}  // namespace lumivane
