#pragma once

#include <string>
#include <vector>

namespace lumivane::cli {

// One file the run made and the sources it was made from.
struct MadeOutput {
  std::string path;
  std::vector<std::string> sources;
};

// A Makefile-style dependency file, one "output: source..." rule per output,
// as Make and Ninja read it. Spaces, '#', ':' and '$' in paths are escaped;
// a path neither can read back exactly raises EINVAL.
// Raises EINVAL for a path that neither could read back exactly as an
// output (`output`) or as a source of a rule.
void RequireNamable(const std::string& path, bool output);

std::string FormatDepfile(const std::vector<MadeOutput>& outputs);

}  // namespace lumivane::cli
