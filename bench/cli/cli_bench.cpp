// Whole processes against their yardsticks, each pair in the same run:
//   lumivane-cli on one 32,766-byte source  vs  xxd -i on a 32,766-byte binary
//   lumivane-cli on folders of 2,000 and 10,000 XBM texts of 1,024 bytes in
//   memory (/dev/shm), the report to /dev/null and through a pipe
//                                           vs  only the file work it must do
//   lumivane-cli --import on a 128 x 64 PNG vs  lumivane-cli on the same
//                                               bitmap as .xbm, plus a program
//                                               that only decodes the PNG
//   lumivane-cli --import on 500 PNGs       vs  lumivane-cli on the 500 .xbm
//                                               (the time a file is the target)
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

#include "bitmap_folder.h"
#include "bitmap_text.h"
#include "file_work_baseline.h"
#include "image_writers.h"
#include "import.h"
#include "process_timer.h"

namespace lumivane::bench {
namespace {

constexpr std::size_t kSourceBytes = 32766;
constexpr int kImageFiles = 500;

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

// Pairs without a ratio target are printed for the record; a per-file limit
// is a target on the measured side's time a file instead.
struct Targets {
  std::map<std::string, double> ratio;
  std::map<std::string, std::pair<int, double>> perFileMs;
};

void PrintSummary(const Targets& targets) {
  std::printf("\nmedian of the pairs' ratios (min, max); median ms of each side (min, max)\n");
  for (const auto& [name, pairs] : samples) {
    if (pairs.measured.empty()) continue;
    const Spread ratio = SpreadOf(Ratios(pairs));
    const Spread m = SpreadOf(pairs.measured);
    const Spread b = SpreadOf(pairs.baseline);
    std::printf("%-36s ratio %.3f (%.3f, %.3f)", name.c_str(), ratio.median, ratio.min, ratio.max);
    if (const auto target = targets.ratio.find(name); target != targets.ratio.end()) {
      std::printf(" target <= %.2f: %s", target->second,
                  ratio.median <= target->second ? "met" : "MISSED");
    }
    std::printf("; %.1f ms (%.1f, %.1f) vs %.1f ms (%.1f, %.1f), %zu pairs\n", m.median, m.min,
                m.max, b.median, b.min, b.max, pairs.measured.size());
    if (const auto limit = targets.perFileMs.find(name); limit != targets.perFileMs.end()) {
      const auto [files, maxMs] = limit->second;
      const double perFile = m.median / files;
      std::printf("%-36s %.3f ms a file (target < %.1f: %s); the .xbm files %.3f ms a file\n",
                  name.c_str(), perFile, maxMs, perFile < maxMs ? "met" : "MISSED",
                  b.median / files);
    }
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

  Targets targets;
  const auto add = [&](const std::string& name, double target, const Side& measured,
                       const Side& baseline, int pairs) {
    if (target > 0) targets.ratio[name] = target;
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

  const ImageInputs one(1);
  const std::string decodeOnly = LUMIVANE_PNG_DECODE_PATH;
  add("import_vs_xbm_and_decode/128x64_png", 1.5,
      Process(Arguments(cli, {"--import"}, one.pngPaths), RunQuietly),
      Processes({{cli, one.xbmPaths.front()}, {decodeOnly, one.pngPaths.front()}}), 101);
  // The two parts of that baseline on their own, for the record.
  add("xbm_vs_decode_only/128x64", 0, Process({cli, one.xbmPaths.front()}, RunQuietly),
      Process({decodeOnly, one.pngPaths.front()}, RunQuietly), 101);

  const ImageInputs images(kImageFiles);
  // Not a ratio: the import of a file must stay under 2 ms however fast the
  // conversion of the .xbm is.
  add("import_vs_xbm/500_png", 0,
      Process(Arguments(cli, {"--import"}, images.pngPaths), RunQuietly),
      Process(Arguments(cli, {}, images.xbmPaths), RunQuietly), 21);
  targets.perFileMs["import_vs_xbm/500_png"] = {kImageFiles, 2.0};

  benchmark::RunSpecifiedBenchmarks();
  PrintSummary(targets);
  benchmark::Shutdown();
  return 0;
}
