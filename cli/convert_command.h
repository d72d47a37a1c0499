#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli_platform.h"

namespace lumivane::cli {

// Exit status of the program.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Converts the paths as a drop of them on the window would: a folder first
// converts that folder (and writes "allFiles.h"), otherwise each ".xbm" file.
// The report lines and the closing COMPLETE go to standard output as they are
// produced, byte for byte as the progress view holds them (CR LF line ends),
// and a newline ends the output once every file is reported. With
// `listingsToStdout` the headers' contents go to standard output instead of
// files and the report to standard error. Returns the exit status.
int ConvertPaths(const std::vector<std::string>& paths, bool listingsToStdout);

// The platform of a run: the real files, or the headers to standard output.
std::unique_ptr<CliPlatform> MakePlatform(bool listingsToStdout);

// The drop of `dropped` (paths as a drop delivers them) through `platform`,
// with the report printed as ConvertPaths prints it. Returns the exit status.
int DropPaths(CliPlatform& platform, std::vector<std::string> dropped, bool listingsToStdout);

// A bare name gets the current folder in front, as a dropped path always has
// a folder part (the files mode takes the folder of each file).
std::string DropPath(const std::string& argument);

}  // namespace lumivane::cli
