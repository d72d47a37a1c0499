#pragma once

#include <string>
#include <vector>

#include "convert_options.h"
#include "import_options.h"

namespace lumivane::cli {

// Imports each image and converts its bitmaps exactly as a drop of
// NAME.xbm files beside the images would (NAME.h, the report lines,
// COMPLETE); ".xbm" paths among them are converted as they are. NAME.xbm
// itself is written only with --write-xbm. An image that cannot be imported
// is reported as "Err # N - description" before anything is written.
// Returns the exit status.
int ImportPaths(const std::vector<std::string>& paths, const ImportOptions& importOptions,
                const ConvertOptions& options);

}  // namespace lumivane::cli
