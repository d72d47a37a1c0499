// Time of one whole conversion (both listings, both lists, the statistics)
// for XBM texts of growing size; the complexity fit shows whether it stays
// linear in the number of literals.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

#include "engine/convert_source_text.h"
#include "engine/memory_surface.h"
#include "tests/support/xbm_text.h"

namespace lumivane {
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

void BM_ConvertSourceText(benchmark::State& run) {
  const std::string source =
      test::XbmText("bench", GeneratedBytes(static_cast<std::size_t>(run.range(0))), {128, 64});
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

}  // namespace
}  // namespace lumivane

BENCHMARK_MAIN();
