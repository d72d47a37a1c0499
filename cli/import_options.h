#pragma once

#include <string>

#include "import.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace lumivane::cli {

// The options of "--import": how images become bitmaps, and what else is
// written or shown.
struct ImportOptions {
  bool enabled = false;
  imaging::ImportSettings settings;
  bool writeXbm = false;
  bool preview = false;
  // An image's frames as one header with their table, not a header each.
  bool animation = false;
};

// Adds "--import" and the image options, which need it, to the parser; a
// wrong value is a parse error. "--write-xbm" writes, so `check` and
// `toStdout` exclude it.
void AddImportOptions(CLI::App& app, ImportOptions& options, CLI::Option* check,
                      CLI::Option* toStdout);

}  // namespace lumivane::cli
