// Whole processes against their yardsticks, each pair in the same run:
//   lumivane-cli on one 32,766-byte source  vs  xxd -i on a 32,766-byte binary
//   lumivane-cli on folders of 2,000 and 10,000 XBM texts of 1,024 bytes in
//   memory (/dev/shm), the report to /dev/null and through a pipe
//                                           vs  only the file work it must do
// The two sides of a pair take turns, iteration by iteration and in
// alternating order, so that the shared machine's load and the file system's
// state (inodes freed by the previous run) weigh on both alike. The reported
// time is the converter's; a summary after the table gives, for each pair,
// the median of the pairs' ratios with its minimum and maximum, both sides'
// median times, how 10,000 files grow over 2,000 on either side, and the
// targets.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
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

struct Side {
  std::function<void()> work;
  bool childProcess;
};

// Every pair's elapsed times, by benchmark.
struct Samples {
  std::vector<double> measured;
  std::vector<double> baseline;
};
std::map<std::string, Samples> samples;

void TimePair(benchmark::State& state, const std::string& name, const Side& measured,
              const Side& baseline) {
  // Writes an earlier benchmark left in the page cache would otherwise be
  // flushed during this one.
  ::sync();
  Samples& pairs = samples[name];
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
    pairs.measured.push_back(m.elapsedMs);
    pairs.baseline.push_back(b.elapsedMs);
    state.SetIterationTime(m.elapsedMs / 1e3);
  }
}

Side Process(std::vector<std::string> argv, int (*run)(const std::vector<std::string>&)) {
  return {[argv, run] {
            if (run(argv) != 0) throw std::runtime_error("failed: " + argv[0]);
          },
          true};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Spread {
  double median, min, max;
};

Spread SpreadOf(const std::vector<double>& values) {
  return {Median(values), *std::min_element(values.begin(), values.end()),
          *std::max_element(values.begin(), values.end())};
}

std::vector<double> Ratios(const Samples& pairs) {
  std::vector<double> ratios;
  for (std::size_t i = 0; i < pairs.measured.size(); ++i) {
    ratios.push_back(pairs.measured[i] / pairs.baseline[i]);
  }
  return ratios;
}

// A folder of bitmaps in memory with the sizes its outputs have, so that the
// baseline writes as much as the converter.
struct Folder {
  Folder(int files, const std::string& cli) : bitmaps(files, IconText, Storage::kMemory) {
    if (RunQuietly({cli, bitmaps.Path()}) != 0) throw std::runtime_error("the converter failed");
    outputSizes = OutputSizes(bitmaps.Path());
  }
  BitmapFolder bitmaps;
  std::map<std::string, std::size_t> outputSizes;
};

void PrintSummary(const std::map<std::string, double>& targets) {
  std::printf("\nmedian of the pairs' ratios (min, max); median ms of each side (min, max)\n");
  for (const auto& [name, pairs] : samples) {
    if (pairs.measured.empty()) continue;
    const Spread ratio = SpreadOf(Ratios(pairs));
    const Spread m = SpreadOf(pairs.measured);
    const Spread b = SpreadOf(pairs.baseline);
    const double target = targets.at(name);
    std::printf(
        "%-36s ratio %.3f (%.3f, %.3f) target <= %.2f: %s; %.1f ms (%.1f, %.1f) vs %.1f ms "
        "(%.1f, %.1f), %zu pairs\n",
        name.c_str(), ratio.median, ratio.min, ratio.max, target,
        ratio.median <= target ? "met" : "MISSED", m.median, m.min, m.max, b.median, b.min, b.max,
        pairs.measured.size());
  }
  const auto growth = [](const char* large, const char* small, bool measured) {
    const Samples& l = samples.at(large);
    const Samples& s = samples.at(small);
    return measured ? Median(l.measured) / Median(s.measured)
                    : Median(l.baseline) / Median(s.baseline);
  };
  for (const char* output : {"devnull", "pipe"}) {
    const std::string large = std::string("cli_vs_file_work/10000_files/") + output;
    const std::string small = std::string("cli_vs_file_work/2000_files/") + output;
    if (!samples.contains(large) || !samples.contains(small)) continue;
    const double cli = growth(large.c_str(), small.c_str(), true);
    std::printf(
        "10,000 / 2,000 files, report to %-7s: cli %.2f x (target <= 5.5: %s), file work %.2f x\n",
        output, cli, cli <= 5.5 ? "met" : "MISSED", growth(large.c_str(), small.c_str(), false));
  }
}

}  // namespace
}  // namespace lumivane::bench

int main(int argc, char** argv) {
  using namespace lumivane::bench;
  benchmark::Initialize(&argc, argv);
  const std::string cli = LUMIVANE_CLI_PATH;
  ScratchFolder scratch;
  const Bytes bytes = ImageBytes(kSourceBytes, 7);
  const std::string source =
      scratch.Write("source.xbm", lumivane::test::XbmText("source", bytes, kScreenSize));
  const std::string binary = scratch.Write("source.bin", std::string(bytes.begin(), bytes.end()));

  std::map<std::string, double> targets;
  const auto add = [&](const std::string& name, double target, const Side& measured,
                       const Side& baseline, int pairs) {
    targets[name] = target;
    benchmark::RegisterBenchmark(name.c_str(), TimePair, name, measured, baseline)
        ->UseManualTime()
        ->Iterations(pairs)
        ->Unit(benchmark::kMillisecond);
  };
  add("cli_vs_xxd_i/32766_bytes", 1.0, Process({cli, source}, RunQuietly),
      Process({"xxd", "-i", binary, scratch.Path() + "/source_bin.h"}, RunQuietly), 101);

  std::vector<std::unique_ptr<Folder>> folders;
  for (const int files : {2000, 10000}) {
    const Folder& folder = *folders.emplace_back(std::make_unique<Folder>(files, cli));
    const Side fileWork{[&folder] { DoFolderFileWork(folder.bitmaps.Path(), folder.outputSizes); },
                        false};
    const std::string prefix = "cli_vs_file_work/" + std::to_string(files) + "_files/";
    const int pairs = files == 2000 ? 31 : 11;
    add(prefix + "devnull", 1.3, Process({cli, folder.bitmaps.Path()}, RunQuietly), fileWork,
        pairs);
    add(prefix + "pipe", 1.3, Process({cli, folder.bitmaps.Path()}, RunIntoPipe), fileWork, pairs);
  }

  benchmark::RunSpecifiedBenchmarks();
  PrintSummary(targets);
  benchmark::Shutdown();
  return 0;
}
