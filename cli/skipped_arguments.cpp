#include "skipped_arguments.h"

#include <algorithm>
#include <cctype>

#include "app_error.h"
#include "path_rules.h"

namespace lumivane::cli {
namespace {

bool FirstIsFolder(const std::vector<std::string>& dropped, Platform& platform) {
  try {
    return platform.IsDirectory(dropped.front());
  } catch (const AppError&) {
    return false;
  }
}

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

std::vector<std::string> SkippedArguments(const std::vector<std::string>& dropped,
                                          Platform& platform) {
  std::vector<std::string> warnings;
  if (FirstIsFolder(dropped, platform)) {
    for (std::size_t i = 1; i < dropped.size(); ++i) {
      warnings.push_back("skipped " + dropped[i] + ": only the first folder is converted");
    }
    return warnings;
  }
  for (const std::string& path : dropped) {
    const std::string extension = ExtName(path);
    if (extension == kBitmapExtension) continue;
    warnings.push_back("skipped " + path +
                       (Lowered(extension) == kBitmapExtension
                            ? ": the extension must be .xbm in lower case"
                            : ": not a .xbm file"));
  }
  return warnings;
}

}  // namespace lumivane::cli
