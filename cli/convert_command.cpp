#include "convert_command.h"

#include <cstdio>
#include <memory>
#include <string_view>
#include <utility>

#include "cli_platform.h"
#include "conversion_state.h"
#include "depfile.h"
#include "drop_data.h"
#include "memory_surface.h"
#include "native_files.h"
#include "path_rules.h"
#include "terminal_text.h"
#include "workflows.h"

namespace lumivane::cli {
namespace {

// The rest of the run after the drop: the collection, the verdict of a
// check and the dependency file, each only when asked for.
int FinishRun(CliPlatform& platform, const ConvertOptions& options) {
  if (!options.collect.empty()) platform.WriteCollection();
  const std::vector<std::string> stale = platform.Stale();
  for (const std::string& output : stale) PrintErrorLine("lumivane-cli: " + output);
  if (!stale.empty()) return kExitFailure;
  if (!options.depfile.empty()) {
    ReplaceFileWhole(options.depfile, FormatDepfile(platform.MadeOutputs()));
  }
  return kExitSuccess;
}

std::string_view Why(PassedOver why) {
  switch (why) {
    case PassedOver::kAfterFolder:
      return ": only the first folder is converted";
    case PassedOver::kExtensionCase:
      return ": the extension must be .xbm in lower case";
    case PassedOver::kNotBitmap:
      break;
  }
  return ": not a .xbm file";
}

}  // namespace

std::string DropPath(const std::string& argument) {
  if (argument.find(kNativeSeparator) != std::string::npos) return argument;
  return std::string(".") + kNativeSeparator + argument;
}

std::unique_ptr<CliPlatform> MakePlatform(const ConvertOptions& options) {
  if (options.listingsToStdout) return std::make_unique<ListingStreamPlatform>(options, stdout);
  if (options.check) return std::make_unique<CheckingPlatform>(options);
  return std::make_unique<CliPlatform>(options);
}

int ConvertPaths(const std::vector<std::string>& paths, const ConvertOptions& options) {
  const std::unique_ptr<CliPlatform> platform = MakePlatform(options);
  std::vector<std::string> dropped;
  dropped.reserve(paths.size());
  for (const std::string& path : paths) dropped.push_back(DropPath(path));
  if (options.verbose) {
    for (const auto& [path, why] : PathsPassedOver(dropped, *platform)) {
      PrintErrorLine("lumivane-cli: skipped " + path + std::string(Why(why)));
    }
  }
  return DropPaths(*platform, std::move(dropped), options);
}

int DropPaths(CliPlatform& platform, std::vector<std::string> dropped,
              const ConvertOptions& options) {
  MemorySurface window(MemorySurface::Listings::kNotShown);
  window.OnAppendText3([&platform](std::string_view piece) { platform.Report(piece); });
  ConversionState state;
  state.Choice = options.choice;
  Workflows workflows(state, window, platform);
  const ActionOutcome outcome = workflows.Text1_OLEDragDrop(DropData::FileList(std::move(dropped)));
  if (outcome.kind != ActionOutcome::Kind::kDone) return kExitFailure;
  platform.EndReport();
  try {
    return FinishRun(platform, options);
  } catch (const AppError& error) {
    PrintErrorLine(error.what());
    return kExitFailure;
  }
}

}  // namespace lumivane::cli
