// The conversion of one XBM text (both listings, both lists, the statistics):
//   - for texts of growing size; the complexity fit shows whether it stays
//     linear in the number of literals;
//   - against a plain C converter that writes the same two listings from the
//     same text (checked byte for byte first), on the largest source a list
//     holds. The two take turns, round by round in alternating order, so the
//     shared machine's load weighs on both alike; each conversion is timed in
//     this thread's CPU time. The counters give the median, minimum and
//     maximum of the rounds, in microseconds per conversion, and the ratio of
//     the medians;
//   - the heap one such conversion takes at its peak, beyond its text and
//     its two listings.
// A summary with the targets follows the table.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "convert_and_report.h"
#include "convert_source_text.h"
#include "counting_heap.h"
#include "memory_surface.h"
#include "plain_converter.h"
#include "xbm_writer.h"

namespace lumivane {
using bench::HeapInUse;
using bench::HeapPeak;
using bench::ResetHeapPeak;
namespace {

// Mostly varied bytes with runs of 0x00 and 0xFF here and there, as in a
// drawn image.
test::Bytes GeneratedBytes(std::size_t count) {
  std::mt19937 random(7);
  test::Bytes bytes;
  bytes.reserve(count);
  while (bytes.size() < count) {
    const unsigned pick = random() % 8;
    if (pick == 0 || pick == 1) {
      const std::uint8_t runByte = pick == 0 ? 0x00 : 0xFF;
      for (unsigned n = 1 + random() % 40; n > 0 && bytes.size() < count; --n) {
        bytes.push_back(runByte);
      }
    } else {
      bytes.push_back(static_cast<std::uint8_t>(random()));
    }
  }
  return bytes;
}

std::string GeneratedXbm(std::size_t literals) {
  return test::XbmText("bench", GeneratedBytes(literals), {128, 64});
}

void BM_ConvertSourceText(benchmark::State& run) {
  const std::string source = GeneratedXbm(static_cast<std::size_t>(run.range(0)));
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = "bench.xbm";
  for (auto _ : run) {
    state.SourceText = source;
    ConvertSourceText(state, window);
    benchmark::DoNotOptimize(state.CompressedText.data());
  }
  run.SetComplexityN(run.range(0));
  run.SetBytesProcessed(run.iterations() * static_cast<std::int64_t>(source.size()));
  run.counters["literals"] = static_cast<double>(run.range(0));
}

BENCHMARK(BM_ConvertSourceText)
    ->Arg(1024)
    ->Arg(8192)
    ->Arg(32766)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);

constexpr std::size_t kLargestSource = 32766;
constexpr double kMaxCpuRatio = 2.0;
constexpr double kMaxHeapBeyondListings = 1024.0 * 1024.0;
constexpr int kConversionsPerRound = 10;

double ThreadCpuMicroseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

struct Spread {
  double median;
  double min;
  double max;
};

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  const double median =
      values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
  return {median, values.front(), values.back()};
}

struct Summary {
  Spread engine{};
  Spread plain{};
  double peakHeap = 0;
  double beyondListings = 0;
};
Summary summary;

std::string_view AsView(const char* text, std::size_t size) {
  return {text, size};
}

// The engine as every caller runs it: a window surface, the lists, the
// counters. Only the conversion is timed, not the copy of the source it
// consumes.
double EngineRound(const std::string& source, ConversionState& state, MemorySurface& window) {
  double micros = 0;
  for (int i = 0; i < kConversionsPerRound; ++i) {
    state.SourceText = source;
    const double start = ThreadCpuMicroseconds();
    ConvertSourceText(state, window);
    micros += ThreadCpuMicroseconds() - start;
    benchmark::DoNotOptimize(state.CompressedText.data());
  }
  return micros / kConversionsPerRound;
}

double PlainRound(const std::string& source) {
  double micros = 0;
  for (int i = 0; i < kConversionsPerRound; ++i) {
    PlainListings listings;
    const double start = ThreadCpuMicroseconds();
    PlainConvert(source.data(), source.size(), "bench", &listings);
    benchmark::DoNotOptimize(listings.compressed);
    PlainFree(&listings);
    micros += ThreadCpuMicroseconds() - start;
  }
  return micros / kConversionsPerRound;
}

void BM_EngineVsPlainC(benchmark::State& run) {
  const std::string source = GeneratedXbm(kLargestSource);
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = "bench.xbm";
  state.SourceText = source;
  ConvertSourceText(state, window);
  PlainListings listings;
  if (PlainConvert(source.data(), source.size(), "bench", &listings) != 0) {
    run.SkipWithError("the plain converter refused the source");
    return;
  }
  const bool same = AsView(listings.uncompressed, listings.uncompressed_size) == state.SourceText &&
                    AsView(listings.compressed, listings.compressed_size) == state.CompressedText;
  PlainFree(&listings);
  if (!same) {
    run.SkipWithError("the plain converter's listings differ from the engine's");
    return;
  }

  std::vector<double> engineRounds;
  std::vector<double> plainRounds;
  bool engineFirst = true;
  for (auto _ : run) {
    double engine = 0;
    double plain = 0;
    if (engineFirst) {
      engine = EngineRound(source, state, window);
      plain = PlainRound(source);
    } else {
      plain = PlainRound(source);
      engine = EngineRound(source, state, window);
    }
    engineFirst = !engineFirst;
    engineRounds.push_back(engine);
    plainRounds.push_back(plain);
    run.SetIterationTime(engine / 1e6);
  }
  summary.engine = SpreadOf(engineRounds);
  summary.plain = SpreadOf(plainRounds);
  run.counters["engine_median_us"] = summary.engine.median;
  run.counters["engine_min_us"] = summary.engine.min;
  run.counters["engine_max_us"] = summary.engine.max;
  run.counters["plain_median_us"] = summary.plain.median;
  run.counters["plain_min_us"] = summary.plain.min;
  run.counters["plain_max_us"] = summary.plain.max;
  run.counters["cpu_ratio"] = summary.engine.median / summary.plain.median;
}

BENCHMARK(BM_EngineVsPlainC)->Iterations(301)->UseManualTime()->Unit(benchmark::kMicrosecond);

// One file as a workflow converts it: the text in the state, then the
// driver, which also shows the listing and the report line.
void BM_PeakHeap(benchmark::State& run) {
  const std::string source = GeneratedXbm(kLargestSource);
  for (auto _ : run) {
    const std::size_t before = HeapInUse();
    ConversionState state;
    MemorySurface window;
    state.SourceFileName = "bench.xbm";
    state.SourceText = source;
    ResetHeapPeak();
    ConvertAndReport(state, window);
    const double peak = static_cast<double>(HeapPeak() - before);
    const double kept =
        static_cast<double>(source.size() + state.SourceText.size() + state.CompressedText.size());
    summary.peakHeap = peak;
    summary.beyondListings = peak - kept;
  }
  run.counters["text_bytes"] = static_cast<double>(source.size());
  run.counters["peak_bytes"] = summary.peakHeap;
  run.counters["beyond_listings_bytes"] = summary.beyondListings;
}

BENCHMARK(BM_PeakHeap)->Iterations(1)->Unit(benchmark::kMicrosecond);

void PrintSummary() {
  if (summary.plain.median > 0) {
    const double ratio = summary.engine.median / summary.plain.median;
    std::printf(
        "\nengine vs plain C, %llu literals, CPU us per conversion (median / min / max of %d-"
        "conversion rounds):\n  engine  %.1f / %.1f / %.1f\n  plain C %.1f / %.1f / %.1f\n"
        "  ratio of medians %.3f (target <= %.1f: %s)\n",
        static_cast<unsigned long long>(kLargestSource), kConversionsPerRound,
        summary.engine.median, summary.engine.min, summary.engine.max, summary.plain.median,
        summary.plain.min, summary.plain.max, ratio, kMaxCpuRatio,
        ratio <= kMaxCpuRatio ? "met" : "MISSED");
  }
  if (summary.peakHeap > 0) {
    std::printf(
        "peak heap of one conversion %.0f bytes, %.0f beyond the text and the two "
        "listings (target <= %.0f: %s)\n",
        summary.peakHeap, summary.beyondListings, kMaxHeapBeyondListings,
        summary.beyondListings <= kMaxHeapBeyondListings ? "met" : "MISSED");
  }
}

}  // namespace
}  // namespace lumivane

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  lumivane::PrintSummary();
  benchmark::Shutdown();
  return 0;
}
