#pragma once

#include <string>
#include <vector>

#include "platform.h"

namespace lumivane::cli {

// Why each dropped path the drop will pass over is skipped: paths after a
// folder, and names whose extension is not "xbm" in lower case. A first
// path that cannot be looked at tells nothing; the drop reports it.
std::vector<std::string> SkippedArguments(const std::vector<std::string>& dropped,
                                          Platform& platform);

}  // namespace lumivane::cli
