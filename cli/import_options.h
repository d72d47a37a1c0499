#pragma once

#include <string>

#include "import_settings.h"

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
};

// Adds "--import" and the image options to the parser; a wrong value is a
// parse error. "--write-xbm" writes, so `check` excludes it.
void AddImportOptions(CLI::App& app, ImportOptions& options, CLI::Option* check);

// The first image option given without "--import", or empty.
std::string ImageOptionWithoutImport(const CLI::App& app, const ImportOptions& options);

}  // namespace lumivane::cli
