// Whole processes against their yardsticks, each pair in the same run:
//   lumivane-cli on one 32,766-byte source  vs  xxd -i on a 32,766-byte binary
//   lumivane-cli on a folder of 2,000 XBM files of 1,024 bytes
//                                           vs  only the file work it must do
//   lumivane-cli --import on a 128 x 64 PNG vs  lumivane-cli on the same
//                                               bitmap as .xbm, plus a program
//                                               that only decodes the PNG
//   lumivane-cli --import on 500 PNGs       vs  lumivane-cli on the 500 .xbm
//                                               (the time a file is the target)
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
#include "imaging/import_image.h"
#include "process_timer.h"
#include "tests/support/image_writers.h"

namespace lumivane::bench {
namespace {

constexpr std::size_t kSourceBytes = 32766;
constexpr int kFolderFiles = 2000;
constexpr int kImageFiles = 500;

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
  state.counters["measured_ms"] = measuredTotal.elapsedMs / runs;
}

Side Process(std::vector<std::string> argv) {
  return {[argv] {
            if (RunQuietly(argv) != 0) throw std::runtime_error("failed: " + argv[0]);
          },
          true};
}

Side Processes(std::vector<std::vector<std::string>> argvs) {
  return {[argvs] {
            for (const auto& argv : argvs) {
              if (RunQuietly(argv) != 0) throw std::runtime_error("failed: " + argv[0]);
            }
          },
          true};
}

// A 128 x 64 logo-like picture: a frame, a filled disc and stripes; `seed`
// moves the disc so every file of a folder differs.
test::GreyPicture Logo(int seed) {
  test::GreyPicture picture{128, 64, {}, {}};
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 128; ++x) {
      const int dx = x - 40 - seed % 40;
      const int dy = y - 32;
      const bool dark = x < 2 || y < 2 || x > 125 || y > 61 || dx * dx + dy * dy < 400 ||
                        (x > 80 && (x + y) % 6 < 2);
      picture.grey.push_back(dark ? 0 : 255);
    }
  }
  return picture;
}

// The same pictures as PNG files and as the .xbm files the import makes of them.
struct ImageInputs {
  ScratchFolder pngs;
  ScratchFolder bitmaps;
  std::vector<std::string> pngPaths;
  std::vector<std::string> xbmPaths;

  explicit ImageInputs(int count) {
    for (int i = 0; i < count; ++i) {
      const std::string name = "logo" + std::to_string(i);
      const std::string png = test::WritePng(Logo(i), test::PngKind::kGrey8);
      pngPaths.push_back(pngs.Write(name + ".png", png));
      const auto bitmap = imaging::ImportImage(png, name + ".png", {}).front();
      xbmPaths.push_back(bitmaps.Write(name + ".xbm", bitmap.xbmText));
    }
  }
};

std::vector<std::string> Arguments(const std::string& cli, std::vector<std::string> options,
                                   const std::vector<std::string>& paths) {
  options.insert(options.begin(), cli);
  options.insert(options.end(), paths.begin(), paths.end());
  return options;
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
  void AddPerFile(const std::string& name, int files, double maxMs) {
    per_file_[name] = {files, maxMs};
  }

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const bool single = run.run_type == Run::RT_Iteration;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.error_occurred || !(single || median)) continue;
      ratios_[run.run_name.function_name] = {run.counters.at("ratio").value,
                                             run.counters.at("cpu_ratio").value};
      measured_ms_[run.run_name.function_name] = run.counters.at("measured_ms").value;
      baseline_ms_[run.run_name.function_name] = run.counters.at("baseline_ms").value;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintSummary() const {
    std::printf("\n");
    for (const auto& [name, limit] : per_file_) {
      if (measured_ms_.count(name) == 0) continue;
      const double perFile = measured_ms_.at(name) / limit.first;
      std::printf("%-28s %.3f ms a file (target < %.1f: %s); the .xbm files %.3f ms a file\n",
                  name.c_str(), perFile, limit.second, perFile < limit.second ? "met" : "MISSED",
                  baseline_ms_.at(name) / limit.first);
    }
    for (const auto& [name, ratios] : ratios_) {
      std::printf("%-28s measured %.3f ms, baseline %.3f ms\n", name.c_str(), measured_ms_.at(name),
                  baseline_ms_.at(name));
      if (targets_.count(name) == 0) continue;
      const double target = targets_.at(name);
      std::printf("%-28s elapsed ratio %.3f (target <= %.2f: %s), cpu ratio %.3f\n", name.c_str(),
                  ratios.first, target, ratios.first <= target ? "met" : "MISSED", ratios.second);
    }
  }

 private:
  std::map<std::string, double> targets_;
  std::map<std::string, std::pair<double, double>> ratios_;
  std::map<std::string, std::pair<int, double>> per_file_;
  std::map<std::string, double> measured_ms_;
  std::map<std::string, double> baseline_ms_;
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

  const ImageInputs one(1);
  const std::string decodeOnly = LUMIVANE_PNG_DECODE_PATH;
  benchmark::RegisterBenchmark(
      "import_vs_xbm_and_decode/128x64_png", TimePair,
      Process(Arguments(cli, {"--import"}, one.pngPaths)),
      Processes({{cli, one.xbmPaths.front()}, {decodeOnly, one.pngPaths.front()}}))
      ->UseManualTime()
      ->MinTime(2.0)
      ->Unit(benchmark::kMillisecond);
  reporter.AddTarget("import_vs_xbm_and_decode/128x64_png", 1.5);
  // The two parts of that baseline on their own, for the record.
  benchmark::RegisterBenchmark("xbm_vs_decode_only/128x64", TimePair,
                               Process({cli, one.xbmPaths.front()}),
                               Process({decodeOnly, one.pngPaths.front()}))
      ->UseManualTime()
      ->MinTime(2.0)
      ->Unit(benchmark::kMillisecond);

  const ImageInputs folder(kImageFiles);
  benchmark::RegisterBenchmark("import_vs_xbm/500_png", TimePair,
                               Process(Arguments(cli, {"--import"}, folder.pngPaths)),
                               Process(Arguments(cli, {}, folder.xbmPaths)))
      ->UseManualTime()
      ->MinTime(5.0)
      ->Unit(benchmark::kMillisecond);
  // Not a ratio: the import of a file must stay under 2 ms however fast the
  // conversion of the .xbm is; see the per-file line of the summary.
  reporter.AddPerFile("import_vs_xbm/500_png", kImageFiles, 2.0);

  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintSummary();
  benchmark::Shutdown();
  return 0;
}
