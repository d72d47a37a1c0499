#include "convert_command.h"

#include <cstdio>
#include <memory>
#include <string_view>
#include <utility>

#include "cli_platform.h"
#include "engine/conversion_state.h"
#include "engine/memory_surface.h"
#include "workflows/drop_data.h"
#include "workflows/path_rules.h"
#include "workflows/workflows.h"

namespace lumivane::cli {
namespace {

void WritePiece(std::FILE* stream, std::string_view piece) {
  std::fwrite(piece.data(), 1, piece.size(), stream);
  std::fflush(stream);
}

}  // namespace

std::string DropPath(const std::string& argument) {
  if (argument.find(kNativeSeparator) != std::string::npos) return argument;
  return std::string(".") + kNativeSeparator + argument;
}

std::unique_ptr<CliPlatform> MakePlatform(bool listingsToStdout) {
  if (listingsToStdout) return std::make_unique<ListingStreamPlatform>(stdout);
  return std::make_unique<CliPlatform>();
}

int DropPaths(CliPlatform& platform, std::vector<std::string> dropped, bool listingsToStdout) {
  std::FILE* report = listingsToStdout ? stderr : stdout;
  MemorySurface window;
  window.OnAppendText3([report](std::string_view piece) { WritePiece(report, piece); });
  // The report of a whole batch ends a line, as a terminal expects; a folder's
  // report is whole before its allFiles.h is written, whether that works or not.
  bool reportEnded = false;
  const auto endReport = [&] {
    if (!std::exchange(reportEnded, true)) WritePiece(report, "\n");
  };
  platform.BeforeBatchFile(endReport);

  ConversionState state;
  Workflows workflows(state, window, platform);
  const ActionOutcome outcome = workflows.Text1_OLEDragDrop(DropData::FileList(std::move(dropped)));
  if (outcome.kind != ActionOutcome::Kind::kDone) return kExitFailure;
  endReport();
  return kExitSuccess;
}

int ConvertPaths(const std::vector<std::string>& paths, bool listingsToStdout) {
  std::vector<std::string> dropped;
  dropped.reserve(paths.size());
  for (const std::string& path : paths) dropped.push_back(DropPath(path));
  return DropPaths(*MakePlatform(listingsToStdout), std::move(dropped), listingsToStdout);
}

}  // namespace lumivane::cli
