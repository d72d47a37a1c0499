#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "bitmap_folder.h"
#include "bitmap_text.h"
#include "conversion_state.h"
#include "drop_data.h"
#include "file_work_baseline.h"
#include "memory_surface.h"
#include "scripted_platform.h"
#include "workflows.h"

// A folder drop against the bare file work it cannot avoid, on the same
// folder in the same run. With TMPDIR on a memory file system the program's
// own share shows; on a disk the writeback of the replaced files dominates
// both sides and varies widely from run to run.
namespace lumivane::bench {
namespace {

// One folder per size for the whole run, so the workflow and the baseline
// see the same files.
const BitmapFolder& FolderOf(int count) {
  static std::map<int, std::unique_ptr<BitmapFolder>> folders;
  auto& folder = folders[count];
  if (!folder) folder = std::make_unique<BitmapFolder>(count, IconText);
  return *folder;
}

// One window's batch on real files: it shows no dialog, and a box means the run failed.
struct HeadlessBatch {
  const char* Failure() const {
    return platform.Boxes().empty() ? nullptr : platform.Boxes().back().prompt.c_str();
  }

  ConversionState state;
  MemorySurface window;
  test::ScriptedPlatform platform;
  Workflows workflows{state, window, platform};
};

void BM_FolderDrop(benchmark::State& run) {
  const BitmapFolder& folder = FolderOf(static_cast<int>(run.range(0)));
  HeadlessBatch batch;
  const DropData drop = DropData::FileList({folder.Path()});

  // The first drop creates the outputs; every timed drop replaces them.
  batch.workflows.Text1_OLEDragDrop(drop);
  for (auto _ : run) batch.workflows.Text1_OLEDragDrop(drop);

  if (const char* failure = batch.Failure()) run.SkipWithError(failure);
  run.counters["progress_bytes"] = static_cast<double>(batch.window.Text3().size());
}

void BM_FileWorkBaseline(benchmark::State& run) {
  const BitmapFolder& folder = FolderOf(static_cast<int>(run.range(0)));
  // A drop first, so the baseline writes outputs as large as the workflow's.
  HeadlessBatch batch;
  batch.workflows.Text1_OLEDragDrop(DropData::FileList({folder.Path()}));
  if (const char* failure = batch.Failure()) {
    run.SkipWithError(failure);
    return;
  }
  const std::map<std::string, std::size_t> outputSizes = OutputSizes(folder.Path());
  DoFolderFileWork(folder.Path(), outputSizes);
  for (auto _ : run) DoFolderFileWork(folder.Path(), outputSizes);
}

// For scale: the system's own copy of a folder of the same bitmaps, outputs
// left out, into a folder that does not exist yet.
void BM_CopyWithCp(benchmark::State& run) {
  const BitmapFolder folder(static_cast<int>(run.range(0)), IconText);
  const std::string copy = folder.Path() + "-copy";
  const std::string command = "cp -r '" + folder.Path() + "' '" + copy + "'";
  for (auto _ : run) {
    if (std::system(command.c_str()) != 0) run.SkipWithError("cp failed");
    run.PauseTiming();
    std::filesystem::remove_all(copy);
    run.ResumeTiming();
  }
}

BENCHMARK(BM_CopyWithCp)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FileWorkBaseline)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FolderDrop)->Arg(2000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace lumivane::bench

BENCHMARK_MAIN();
