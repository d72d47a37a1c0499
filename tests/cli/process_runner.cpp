#include "process_runner.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace lumivane::test {
namespace {

std::string ReadAndRemove(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::remove(path.c_str());
  return std::move(text).str();
}

std::string CaptureFile(const char* stream) {
  char pattern[] = "/tmp/lumivane-capture-XXXXXX";
  const int fd = ::mkstemp(pattern);
  if (fd < 0) throw std::runtime_error(std::string("cannot capture ") + stream);
  ::close(fd);
  return pattern;
}

[[noreturn]] void Exec(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  ::execv(args[0], args.data());
  _exit(127);
}

[[noreturn]] void ExecChild(const std::vector<std::string>& argv, const ProcessOptions& options,
                            const std::string& outPath, const std::string& errPath) {
  if (!options.workingFolder.empty() && ::chdir(options.workingFolder.c_str()) != 0) _exit(126);
  const int in = ::open("/dev/null", O_RDONLY);
  int out = -1;
  if (int ends[2]; options.closedPipe && ::pipe(ends) == 0) {
    ::close(ends[0]);
    out = ends[1];
  } else if (!options.closedPipe) {
    out = ::open(outPath.c_str(), O_WRONLY | O_TRUNC);
  }
  const int err = options.errToOut ? out : ::open(errPath.c_str(), O_WRONLY | O_TRUNC);
  if (in < 0 || out < 0 || err < 0) _exit(126);
  ::dup2(in, 0);
  ::dup2(out, 1);
  ::dup2(err, 2);
  Exec(argv);
}

int WaitFor(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

ProcessResult RunOnTerminal(const std::vector<std::string>& argv, const ProcessOptions& options) {
  termios raw{};
  ::cfmakeraw(&raw);
  int terminal = -1;
  std::fflush(nullptr);
  const pid_t child = ::forkpty(&terminal, nullptr, &raw, nullptr);
  if (child < 0) throw std::runtime_error("forkpty failed");
  if (child == 0) {
    if (!options.workingFolder.empty() && ::chdir(options.workingFolder.c_str()) != 0) _exit(126);
    Exec(argv);
  }
  ProcessResult result;
  char buffer[4096];
  // Reading ends with EIO once the child has closed the terminal.
  for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) != 0;) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    result.out.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(terminal);
  result.exitCode = WaitFor(child);
  return result;
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
  if (options.terminal) return RunOnTerminal(argv, options);
  const std::string outPath = options.stdoutPath.empty() ? CaptureFile("stdout") : "";
  const std::string errPath = CaptureFile("stderr");
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    ExecChild(argv, options, outPath.empty() ? options.stdoutPath : outPath, errPath);
  }

  ProcessResult result;
  result.exitCode = WaitFor(child);
  if (!outPath.empty()) result.out = ReadAndRemove(outPath);
  result.err = ReadAndRemove(errPath);
  return result;
}

}  // namespace lumivane::test
