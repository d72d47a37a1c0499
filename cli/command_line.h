#pragma once

#include <string>
#include <vector>

#include "convert_options.h"
#include "import_options.h"
#include "read_back_command.h"

namespace lumivane::cli {

// What the arguments ask for. Options may stand anywhere until "--"; every
// other argument is a dropped path, in the order given.
struct CommandLine {
  enum class Action { kConvert, kHelp, kVersion, kUsageError };

  Action action = Action::kConvert;
  ConvertOptions options;
  ImportOptions import;
  // Headers read back instead of bitmaps converted.
  ReadBackOptions readBack;
  std::vector<std::string> paths;
  // Why the arguments were refused, for kUsageError.
  std::string usageError;
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace lumivane::cli
