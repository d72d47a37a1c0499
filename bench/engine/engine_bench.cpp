// Time of one whole conversion (both listings, both lists, the statistics)
// for XBM texts of growing size; the complexity fit shows whether it stays
// linear in the number of literals.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "engine/convert_source_text.h"
#include "engine/memory_surface.h"

namespace lumivane {
namespace {

// Mostly varied bytes with runs of 0x00 and 0xFF here and there, written the
// way bitmap editors write XBM files (lower case, twelve literals a line).
std::string GeneratedXbm(std::int64_t literals) {
  std::mt19937 random(7);
  std::string text =
      "#define bench_width 128\n#define bench_height 64\nstatic unsigned char bench_bits[] = {\n";
  std::int64_t written = 0;
  auto put = [&](unsigned value) {
    char literal[8];
    std::snprintf(literal, sizeof literal, "0x%02x", value & 0xFFu);
    text.append(written % 12 == 0 ? "   " : " ").append(literal);
    ++written;
    text.append(written == literals ? " };\n" : (written % 12 == 0 ? ",\n" : ","));
  };
  while (written < literals) {
    const unsigned pick = random() % 8;
    if (pick == 0 || pick == 1) {
      const unsigned runByte = pick == 0 ? 0x00 : 0xFF;
      for (unsigned n = 1 + random() % 40; n > 0 && written < literals; --n) put(runByte);
    } else {
      put(random());
    }
  }
  return text;
}

void BM_ConvertSourceText(benchmark::State& run) {
  const std::string source = GeneratedXbm(run.range(0));
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
