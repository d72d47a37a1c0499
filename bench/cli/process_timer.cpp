#include "process_timer.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

extern char** environ;

namespace lumivane::bench {
namespace {

double CpuMilliseconds(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Starts the program with standard output to `output` (a file or a pipe's
// end) and standard error to /dev/null; -1 when it cannot be started.
pid_t Start(const std::vector<std::string>& argv, int output) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output, 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return spawned == 0 ? child : -1;
}

int Wait(pid_t child) {
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int RunQuietly(const std::vector<std::string>& argv) {
  const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  const pid_t child = Start(argv, null);
  ::close(null);
  return Wait(child);
}

int RunIntoPipe(const std::vector<std::string>& argv) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) return -1;
  const pid_t child = Start(argv, ends[1]);
  ::close(ends[1]);
  char buffer[65536];
  while (::read(ends[0], buffer, sizeof buffer) > 0) {
  }
  ::close(ends[0]);
  return Wait(child);
}

Timing TimeWork(const std::function<void()>& work, bool childProcesses) {
  const int who = childProcesses ? RUSAGE_CHILDREN : RUSAGE_SELF;
  const double cpuBefore = CpuMilliseconds(who);
  const auto start = std::chrono::steady_clock::now();
  work();
  const std::chrono::duration<double, std::milli> elapsed =
      std::chrono::steady_clock::now() - start;
  return {elapsed.count(), CpuMilliseconds(who) - cpuBefore};
}

}  // namespace lumivane::bench
