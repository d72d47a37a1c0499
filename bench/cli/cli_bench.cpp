// Whole processes against their yardsticks, each pair in the same run:
//   lumivane-cli on one 32,766-byte source  vs  xxd -i on a 32,766-byte binary
//   lumivane-cli on a folder of 2,000 XBM files of 1,024 bytes
//                                           vs  only the file work it must do
// The two sides of a pair take turns, iteration by iteration and in
// alternating order, so that the shared machine's load and the file system's
// state (inodes freed by the previous run, writes still being flushed) weigh
// on both alike. The reported time is the converter's; the counters give both
// sides and their ratio, elapsed and CPU, and a summary with the targets
// follows the table.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/bitmap_folder.h"
#include "bench/support/bitmap_text.h"
#include "bench/support/file_work_baseline.h"
#include "process_timer.h"

namespace lumivane::bench {
namespace {

constexpr std::size_t kSourceBytes = 32766;
constexpr int kFolderFiles = 2000;

struct Side {
  std::function<void()> work;
  bool childProcess;
};

void TimePair(benchmark::State& state, const Side& measured, const Side& baseline) {
  // Writes the inputs or an earlier benchmark left in the page cache would
  // otherwise be flushed during this one.
  ::sync();
  Timing measuredTotal;
  Timing baselineTotal;
  bool measuredFirst = true;
  for (auto _ : state) {
    Timing m;
    Timing b;
    if (measuredFirst) {
      m = TimeWork(measured.work, measured.childProcess);
      b = TimeWork(baseline.work, baseline.childProcess);
    } else {
      b = TimeWork(baseline.work, baseline.childProcess);
      m = TimeWork(measured.work, measured.childProcess);
    }
    measuredFirst = !measuredFirst;
    measuredTotal.elapsedMs += m.elapsedMs;
    measuredTotal.cpuMs += m.cpuMs;
    baselineTotal.elapsedMs += b.elapsedMs;
    baselineTotal.cpuMs += b.cpuMs;
    state.SetIterationTime(m.elapsedMs / 1e3);
  }
  const auto runs = static_cast<double>(state.iterations());
  state.counters["baseline_ms"] = baselineTotal.elapsedMs / runs;
  state.counters["ratio"] = measuredTotal.elapsedMs / baselineTotal.elapsedMs;
  state.counters["cpu_ms"] = measuredTotal.cpuMs / runs;
  state.counters["baseline_cpu_ms"] = baselineTotal.cpuMs / runs;
  state.counters["cpu_ratio"] = measuredTotal.cpuMs / baselineTotal.cpuMs;
}

Side Process(std::vector<std::string> argv) {
  return {[argv] {
            if (RunQuietly(argv) != 0) throw std::runtime_error("failed: " + argv[0]);
          },
          true};
}

struct Inputs {
  ScratchFolder scratch;
  BitmapFolder folder{kFolderFiles, IconText};
  std::string source;
  std::string binary;
  std::string xxdOutput = scratch.Path() + "/source_bin.h";
  std::map<std::string, std::size_t> outputSizes;

  Inputs() {
    const Bytes bytes = ImageBytes(kSourceBytes, 7);
    source = scratch.Write("source.xbm", test::XbmText("source", bytes, kScreenSize));
    binary = scratch.Write("source.bin", std::string(bytes.begin(), bytes.end()));
  }

  // The baseline writes outputs as large as the converter's.
  void MeasureOutputs(const std::string& cli) {
    if (RunQuietly({cli, folder.Path()}) != 0) throw std::runtime_error("the converter failed");
    outputSizes = OutputSizes(folder.Path());
  }
};

// Prints each pair's ratios against its target after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void AddTarget(const std::string& name, double maxRatio) { targets_[name] = maxRatio; }

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const bool single = run.run_type == Run::RT_Iteration;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.error_occurred || !(single || median)) continue;
      ratios_[run.run_name.function_name] = {run.counters.at("ratio").value,
                                             run.counters.at("cpu_ratio").value};
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintSummary() const {
    std::printf("\n");
    for (const auto& [name, ratios] : ratios_) {
      const double target = targets_.at(name);
      std::printf("%-28s elapsed ratio %.3f (target <= %.2f: %s), cpu ratio %.3f\n", name.c_str(),
                  ratios.first, target, ratios.first <= target ? "met" : "MISSED", ratios.second);
    }
  }

 private:
  std::map<std::string, double> targets_;
  std::map<std::string, std::pair<double, double>> ratios_;
};

}  // namespace
}  // namespace lumivane::bench

int main(int argc, char** argv) {
  using namespace lumivane::bench;
  benchmark::Initialize(&argc, argv);
  const std::string cli = LUMIVANE_CLI_PATH;
  Inputs inputs;
  inputs.MeasureOutputs(cli);

  RatioReporter reporter;
  benchmark::RegisterBenchmark("cli_vs_xxd_i/32766_bytes", TimePair, Process({cli, inputs.source}),
                               Process({"xxd", "-i", inputs.binary, inputs.xxdOutput}))
      ->UseManualTime()
      ->MinTime(2.0)
      ->Unit(benchmark::kMillisecond);
  reporter.AddTarget("cli_vs_xxd_i/32766_bytes", 1.0);

  benchmark::RegisterBenchmark(
      "cli_vs_file_work/2000_files", TimePair, Process({cli, inputs.folder.Path()}),
      Side{[&inputs] { DoFolderFileWork(inputs.folder.Path(), inputs.outputSizes); }, false})
      ->UseManualTime()
      ->MinTime(5.0)
      ->Unit(benchmark::kMillisecond);
  reporter.AddTarget("cli_vs_file_work/2000_files", 1.5);

  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  benchmark::Shutdown();
  return 0;
}
