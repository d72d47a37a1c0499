#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli_platform.h"
#include "convert_options.h"

namespace lumivane::cli {

// Exit status of the program.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Converts the paths as a drop of them on the window would: a folder first
// converts that folder (and writes "allFiles.h"), otherwise each ".xbm" file.
// The report lines and the closing COMPLETE go to standard output byte for
// byte as the progress view holds them (CR LF line ends), and a newline ends
// the output once every file is reported. With `listingsToStdout` the
// headers' contents go to standard output instead of files and the report to
// standard error. The other options change where the outputs go, what they
// hold and what else is written (see ConvertOptions). Returns the exit status.
int ConvertPaths(const std::vector<std::string>& paths, const ConvertOptions& options);

// The platform of a run with these options.
std::unique_ptr<CliPlatform> MakePlatform(const ConvertOptions& options);

// The drop of `dropped` (paths as a drop delivers them) through `platform`,
// with the report and what the options add, as ConvertPaths does them.
// Returns the exit status.
int DropPaths(CliPlatform& platform, std::vector<std::string> dropped,
              const ConvertOptions& options);

// A bare name gets the current folder in front, as a dropped path always has
// a folder part (the files mode takes the folder of each file).
std::string DropPath(const std::string& argument);

}  // namespace lumivane::cli
