#pragma once

#include <cstdint>
#include <string>

#include "byte_layout.h"

namespace lumivane {

// The variables the main window keeps for its whole life and that every
// workflow and the conversion share. Field order and widths are fixed: the
// counters are checked against exactly these ranges.
struct ConversionState {
  std::string BatchText;
  std::string LastDirectory;
  std::string SourcePath;
  std::int16_t CompressionRate = 0;
  std::string SourceText;
  std::string CompressedText;
  std::int32_t ByteCount = 0;
  std::int32_t BytesEconomized = 0;
  std::int32_t RunCount = 0;
  std::int32_t EconomizedTotal = 0;
  std::string SourceFileName;
  // The layout and run code of the headers made; the window's import and
  // the command line's options set it, everything else keeps the default.
  ConversionChoice Choice;
};

}  // namespace lumivane
