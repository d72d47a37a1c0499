#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lumivane::bench {

// Runs the program with its output thrown away; returns its exit status, or
// -1 when it could not be started or did not exit normally.
int RunQuietly(const std::vector<std::string>& argv);

// The same with its standard output read through a pipe until it ends, as a
// build tool reads it; standard error is thrown away.
int RunIntoPipe(const std::vector<std::string>& argv);

// Elapsed and CPU (user plus system) milliseconds of one piece of work.
struct Timing {
  double elapsedMs = 0;
  double cpuMs = 0;
};

// Times `work`; `childProcesses` counts the CPU of the processes it waited
// for instead of this process's own.
Timing TimeWork(const std::function<void()>& work, bool childProcesses);

}  // namespace lumivane::bench
