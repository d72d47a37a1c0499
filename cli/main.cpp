#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "command_line.h"
#include "convert_command.h"
#include "lumivane_version.h"
#include "workflows/interrupt_cleanup.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr const char* kUsage =
    "Usage: lumivane-cli [--stdout] [--] FILE.xbm...\n"
    "       lumivane-cli [--stdout] [--] FOLDER\n";

constexpr const char* kHelp =
    "Converts XBM bitmaps into C headers whose 0x00 and 0xFF runs are shortened\n"
    "to the byte and its number of extra repeats, exactly as a drop on the\n"
    "Lumivane window does.\n"
    "\n"
    "  FILE.xbm...  each file with the extension .xbm (lower case) is written\n"
    "               beside its source as a .h file of the same name\n"
    "  FOLDER       every .xbm file in the folder, and all of them together in\n"
    "               allFiles.h; when the first path is a folder, the others are\n"
    "               ignored\n"
    "\n"
    "Options:\n"
    "  --stdout     write the headers' contents to standard output, in order,\n"
    "               instead of files (no allFiles.h); the report then goes to\n"
    "               standard error\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "  --           end of options: what follows is a path, even if it starts\n"
    "               with '-'\n"
    "\n"
    "One report line per file and then COMPLETE are printed as they come; the\n"
    "report lines end in CR LF, as in the window. A failure is printed as\n"
    "\"Err # N - description\" on standard error and ends the run; headers\n"
    "written before it are kept.\n"
    "\n"
    "Exit status: 0 done, 1 a file failed, 2 wrong arguments.\n";

// A failed write to standard output must not end in success; one that
// already stopped the batch has been reported.
int FinishOutput(int status) {
  const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (written || status != lumivane::cli::kExitSuccess) return status;
  std::fprintf(stderr, "lumivane-cli: cannot write standard output\n");
  return lumivane::cli::kExitFailure;
}

// A conversion frees and takes again buffers of hundreds of kilobytes (the
// source text, the listings, the work lists). By default each is mapped
// afresh and faulted in page by page, which in a short run costs more than
// the conversion; kept on the heap, the next buffer reuses the pages.
void KeepLargeBuffersOnTheHeap() {
#ifdef __GLIBC__
  constexpr int kLargeBuffer = 32 << 20;
  mallopt(M_MMAP_THRESHOLD, kLargeBuffer);
  mallopt(M_TRIM_THRESHOLD, kLargeBuffer);
#endif
}

int Run(const std::vector<std::string>& arguments) {
  using lumivane::cli::CommandLine;
  const CommandLine command = lumivane::cli::ParseCommandLine(arguments);
  switch (command.action) {
    case CommandLine::Action::kUsageError:
      std::fprintf(stderr, "lumivane-cli: %s\n%sTry 'lumivane-cli --help' for more information.\n",
                   command.usageError.c_str(), kUsage);
      return lumivane::cli::kExitUsage;
    case CommandLine::Action::kHelp:
      std::fputs(kUsage, stdout);
      std::fputs(kHelp, stdout);
      return lumivane::cli::kExitSuccess;
    case CommandLine::Action::kVersion:
      std::printf("lumivane-cli %s\n", lumivane::version::kFull);
      return lumivane::cli::kExitSuccess;
    case CommandLine::Action::kConvert:
      break;
  }
  KeepLargeBuffersOnTheHeap();
  return lumivane::cli::ConvertPaths(command.paths, command.listingsToStdout);
}

}  // namespace

int main(int argc, char** argv) {
  lumivane::RemoveTemporaryOnInterrupt();
  try {
    return FinishOutput(Run(std::vector<std::string>(argv + 1, argv + argc)));
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "lumivane-cli: %s\n", failure.what());
    return lumivane::cli::kExitFailure;
  }
}
