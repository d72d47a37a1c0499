#pragma once

#include <string>
#include <utility>
#include <vector>

namespace lumivane::test {

struct ProcessResult {
  // The exit status, or -1 when the process did not exit normally.
  int exitCode = -1;
  std::string out;
  std::string err;
};

struct ProcessOptions {
  // Working folder of the child; empty keeps the current one.
  std::string workingFolder;
  // File standard output goes to; empty captures it in ProcessResult::out.
  std::string stdoutPath;
  // Standard error into the same capture as standard output, in the order
  // written.
  bool errToOut = false;
  // Standard output is a pipe whose reader has gone (as after `| head -c1`).
  bool closedPipe = false;
  // Standard output and error on a pseudo-terminal (no output processing),
  // both captured in ProcessResult::out.
  bool terminal = false;
};

// Options that only change the working folder.
inline ProcessOptions InFolder(std::string folder) {
  ProcessOptions options;
  options.workingFolder = std::move(folder);
  return options;
}

// Runs `argv[0]` (a path) with the arguments, standard input from /dev/null,
// and waits for it.
ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

}  // namespace lumivane::test
