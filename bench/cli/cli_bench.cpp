// Whole processes against their yardsticks, each pair in the same run:
//   lumivane-cli on one 32,766-byte source  vs  xxd -i on a 32,766-byte binary
//   lumivane-cli on a folder of 2,000 XBM files of 1,024 bytes
//                                           vs  only the file work it must do
// The ratios and their targets are printed after the timings.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench_inputs.h"
#include "file_work_baseline.h"

extern char** environ;

namespace lumivane::bench {
namespace {

constexpr std::size_t kSourceBytes = 32766;
constexpr int kFolderFiles = 2000;
constexpr std::size_t kFolderFileSize = 1024;

// Runs the program with its output thrown away; returns its exit status.
int RunQuietly(const std::vector<std::string>& argv) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  if (::waitpid(child, &status, 0) < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// User plus system time of this process or of its waited-for children, in ms.
double CpuMilliseconds(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// The machine is shared, so the elapsed time carries other work's noise; the
// CPU time per run is reported beside it as "cpu_ms".
void ReportCpu(benchmark::State& state, double cpuBefore, int who) {
  state.counters["cpu_ms"] =
      (CpuMilliseconds(who) - cpuBefore) /
      static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
}

void TimeProcess(benchmark::State& state, const std::vector<std::string>& argv) {
  const double cpuBefore = CpuMilliseconds(RUSAGE_CHILDREN);
  for (auto _ : state) {
    if (RunQuietly(argv) != 0) {
      state.SkipWithError(("failed: " + argv[0]).c_str());
      return;
    }
  }
  ReportCpu(state, cpuBefore, RUSAGE_CHILDREN);
}

struct Inputs {
  ScratchFolder scratch;
  std::string source = scratch.Path() + "/source.xbm";
  std::string binary = scratch.Path() + "/source.bin";
  std::string xxdOutput = scratch.Path() + "/source_bin.h";
  std::string folder = scratch.Path() + "/folder";
  std::map<std::string, std::size_t> outputSizes;

  Inputs() {
    const Bytes bytes = ImageBytes(kSourceBytes, 7);
    WriteFile(source, XbmText("source", bytes));
    WriteFile(binary, std::string(bytes.begin(), bytes.end()));
    std::filesystem::create_directory(folder);
    char name[32];
    for (int i = 0; i < kFolderFiles; ++i) {
      std::snprintf(name, sizeof name, "img%05d", i);
      WriteFile(folder + "/" + name + ".xbm",
                XbmTextOfSize(name, kFolderFileSize, static_cast<unsigned>(i)));
    }
  }

  // The baseline writes outputs as large as the converter's.
  void MeasureOutputs(const std::string& cli) {
    if (RunQuietly({cli, folder}) != 0) throw std::runtime_error("the converter failed");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() == ".h") {
        outputSizes[entry.path().filename().string()] = entry.file_size();
      }
    }
  }
};

// Keeps every run's time per benchmark, for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      times_[run.benchmark_name()] = run.GetAdjustedRealTime();
      const auto cpu = run.counters.find("cpu_ms");
      if (cpu != run.counters.end()) cpuTimes_[run.benchmark_name()] = cpu->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatio(const std::string& what, const std::string& measured, const std::string& baseline,
                  double target) const {
    const auto m = times_.find(measured);
    const auto b = times_.find(baseline);
    if (m == times_.end() || b == times_.end()) return;
    const double ratio = m->second / b->second;
    std::printf("%-42s elapsed %6.3f (target <= %.2f: %s)", what.c_str(), ratio, target,
                ratio <= target ? "met" : "MISSED");
    const auto mc = cpuTimes_.find(measured);
    const auto bc = cpuTimes_.find(baseline);
    if (mc != cpuTimes_.end() && bc != cpuTimes_.end()) {
      std::printf("   cpu %6.3f", mc->second / bc->second);
    }
    std::printf("\n");
  }

 private:
  std::map<std::string, double> times_;
  std::map<std::string, double> cpuTimes_;
};

}  // namespace
}  // namespace lumivane::bench

int main(int argc, char** argv) {
  using namespace lumivane::bench;
  benchmark::Initialize(&argc, argv);
  const std::string cli = LUMIVANE_CLI_PATH;
  Inputs inputs;
  inputs.MeasureOutputs(cli);

  benchmark::RegisterBenchmark("cli/one_32766_byte_source", TimeProcess,
                               std::vector<std::string>{cli, inputs.source})
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark(
      "xxd_i/one_32766_byte_binary", TimeProcess,
      std::vector<std::string>{"xxd", "-i", inputs.binary, inputs.xxdOutput})
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("cli/folder_of_2000", TimeProcess,
                               std::vector<std::string>{cli, inputs.folder})
      ->MinTime(3.0)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("file_work_baseline/folder_of_2000",
                               [&inputs](benchmark::State& state) {
                                 const double cpuBefore = CpuMilliseconds(RUSAGE_SELF);
                                 for (auto _ : state) {
                                   DoFolderFileWork(inputs.folder, inputs.outputSizes);
                                 }
                                 ReportCpu(state, cpuBefore, RUSAGE_SELF);
                               })
      ->MinTime(3.0)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();

  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n");
  reporter.PrintRatio("cli one source / xxd -i", "cli/one_32766_byte_source",
                      "xxd_i/one_32766_byte_binary", 1.0);
  reporter.PrintRatio("cli folder of 2000 / file-work baseline", "cli/folder_of_2000",
                      "file_work_baseline/folder_of_2000", 1.5);
  benchmark::Shutdown();
  return 0;
}
