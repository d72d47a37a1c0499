#pragma once

#include <string>

#include "byte_layout.h"

namespace lumivane::cli {

// How a conversion run differs from a plain drop. The defaults are the drop.
struct ConvertOptions {
  // The headers' contents to standard output, no file written.
  bool listingsToStdout = false;
  // Headers and allFiles.h go into this folder instead of beside their sources.
  std::string outputDir;
  // A Makefile-style list of every output and the sources it was made from.
  std::string depfile;
  // Every converted listing once more, in one file of this name.
  std::string collect;
  // Outputs compared with what they would be; nothing written.
  bool check = false;
  // The headers' byte layout, and whether the run code is left out.
  ConversionChoice choice;
  // The source's width and height defines, carried into its header.
  bool withSize = false;
  bool quiet = false;
  bool verbose = false;
};

}  // namespace lumivane::cli
