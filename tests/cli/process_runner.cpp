#include "process_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
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

[[noreturn]] void ExecChild(const std::vector<std::string>& argv, const ProcessOptions& options,
                            const std::string& outPath, const std::string& errPath) {
  if (!options.workingFolder.empty() && ::chdir(options.workingFolder.c_str()) != 0) _exit(126);
  const int in = ::open("/dev/null", O_RDONLY);
  const int out = ::open(outPath.c_str(), O_WRONLY | O_TRUNC);
  const int err = ::open(errPath.c_str(), O_WRONLY | O_TRUNC);
  if (in < 0 || out < 0 || err < 0) _exit(126);
  ::dup2(in, 0);
  ::dup2(out, 1);
  ::dup2(err, 2);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  ::execv(args[0], args.data());
  _exit(127);
}

}  // namespace

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options) {
  const std::string outPath = options.stdoutPath.empty() ? CaptureFile("stdout") : "";
  const std::string errPath = CaptureFile("stderr");
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    ExecChild(argv, options, outPath.empty() ? options.stdoutPath : outPath, errPath);
  }

  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  ProcessResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (!outPath.empty()) result.out = ReadAndRemove(outPath);
  result.err = ReadAndRemove(errPath);
  return result;
}

}  // namespace lumivane::test
