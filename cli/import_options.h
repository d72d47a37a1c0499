#pragma once

#include <string>
#include <vector>

#include "imaging/import_settings.h"

namespace lumivane::cli {

// The options of "--import": how images become bitmaps, and what else is
// written or shown.
struct ImportOptions {
  bool enabled = false;
  imaging::ImportSettings settings;
  bool writeXbm = false;
  bool preview = false;
};

// Takes the import option at `arguments[index]`, and its value from the
// next argument where it has one, advancing `index` past what it took.
// Returns false when the argument is no import option; sets `error` when it
// is one with a wrong or missing value.
bool TakeImportOption(const std::vector<std::string>& arguments, std::size_t& index,
                      ImportOptions& options, std::string& error);

}  // namespace lumivane::cli
