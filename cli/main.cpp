#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "command_line.h"
#include "convert_command.h"
#include "import_command.h"
#include "interrupt_cleanup.h"
#include "lumivane_version.h"
#include "read_back_command.h"
#include "terminal_text.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr const char* kUsage =
    "Usage: lumivane-cli [OPTION...] [--] FILE.xbm...\n"
    "       lumivane-cli [OPTION...] [--] FOLDER\n"
    "       lumivane-cli --import [IMAGE OPTION...] [OPTION...] [--] IMAGE...\n"
    "       lumivane-cli --show|--to-png DIR [--layout L] [--uncompressed] [--size WxH]\n"
    "                    [--] HEADER.h...\n";

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
    "  -o, --output-dir DIR  write the headers (and a folder's allFiles.h) into\n"
    "               DIR instead of beside their sources; DIR is made if missing\n"
    "  --depfile FILE  also write FILE, a Makefile-style dependency file with a\n"
    "               rule 'OUTPUT: SOURCE...' for every header written (an\n"
    "               imported one's SOURCE is its image)\n"
    "  --check      convert in memory and compare with the existing outputs;\n"
    "               name each one missing or different on standard error and\n"
    "               exit 1; write nothing\n"
    "  --with-size  start each header with '#define NAME_width W' and\n"
    "               '#define NAME_height H', taken from the source's _width and\n"
    "               _height defines (nothing when the source lacks either)\n"
    "  --collect NAME  also write every converted listing into NAME in the\n"
    "               output folder, as a folder's allFiles.h holds them\n"
    "  --stdout     write the headers' contents to standard output, in order,\n"
    "               instead of files (no allFiles.h); the report then goes to\n"
    "               standard error\n"
    "  --layout L   arrange each header's bytes for the drawing call that reads\n"
    "               them: xbm (the default; drawXBM, drawXBitmap), rows-msb\n"
    "               (drawBitmap) or pages (SSD1306 memory, u8x8 drawTile); the\n"
    "               other layouts take the size from the source's _width and\n"
    "               _height defines and refuse a source without them\n"
    "  --uncompressed  every byte as it is, without the run code, for a\n"
    "               drawing call handed the array itself\n"
    "  -q, --quiet  print no report\n"
    "  -v, --verbose  warn on standard error of each path that is skipped\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "  --           end of options: what follows is a path, even if it starts\n"
    "               with '-'\n"
    "\n"
    "Images (--import):\n"
    "  --import     IMAGE... are PNG, GIF, JPEG, BMP, PBM, PGM or PPM images (told\n"
    "               by their content); each becomes a one-bit bitmap named after\n"
    "               the file up to its first dot (NAME; NAME_0, NAME_1... for\n"
    "               the frames of an animated GIF), converted exactly as\n"
    "               NAME.xbm beside the image would be: NAME.h beside it, and\n"
    "               the report as above; .xbm paths are converted as they are\n"
    "  --threshold N      0 to 255 (default 128): pixels darker than N are set\n"
    "  --dither METHOD    none (default), floyd-steinberg, atkinson or bayer\n"
    "  --invert           light pixels are set instead, for light-on-dark art\n"
    "  --rotate DEG       turn clockwise by 0, 90, 180 or 270 degrees\n"
    "  --flip h|v         then mirror left-right (h) or top-bottom (v)\n"
    "  --fit WxH          then scale into W x H pixels, keeping the aspect\n"
    "                     ratio, centred on the background\n"
    "  --write-xbm        also write NAME.xbm beside the image (replacing one\n"
    "                     that is there; without this option it is never written)\n"
    "  --preview          show each bitmap on standard error, two pixel rows a\n"
    "                     line, set bits as blocks\n"
    "  --animation        the frames of an image in one NAME.h: each frame's\n"
    "                     array, then NAME_frames[], NAME_frame_count and\n"
    "                     NAME_frame_delay_ms[] (the GIF's delays, 0 where none)\n"
    "Transparent pixels are background (unset). An image is refused before\n"
    "decoding when it has more than 16 megapixels or its bitmap would take\n"
    "more than 32,766 bytes; errors 1001 (not an image), 1002 (damaged), 1003\n"
    "(too large) and 1004 (two images with the same NAME) name the file, and\n"
    "nothing is written then.\n"
    "\n"
    "Reading headers back (--show, --to-png), with the --layout and\n"
    "--uncompressed they were written with:\n"
    "  --show       print each array of the headers as a picture, as --preview does\n"
    "  --to-png DIR  write each array as DIR/NAME.png; DIR is made if missing\n"
    "  --size WxH   the size of arrays without NAME_width and NAME_height defines\n"
    "\n"
    "One report line per file and then COMPLETE are printed as they come; the\n"
    "report lines end in CR LF, as in the window. On a terminal, control\n"
    "characters in file names are shown escaped (\\033, \\r). A failure is\n"
    "printed as \"Err # N - description\" on standard error and ends the run;\n"
    "headers written before it are kept.\n"
    "\n"
    "Exit status: 0 done, 1 a file failed or a check found stale outputs,\n"
    "2 wrong arguments.\n";

// A failed write to standard output must not end in success; one that
// already stopped the batch has been reported.
int FinishOutput(int status) {
  const bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (written || status != lumivane::cli::kExitSuccess) return status;
  lumivane::cli::PrintErrorLine("lumivane-cli: cannot write standard output");
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
      // The refused argument is shown as a file name would be.
      lumivane::cli::PrintErrorLine("lumivane-cli: " + command.usageError);
      std::fprintf(stderr, "%sTry 'lumivane-cli --help' for more information.\n", kUsage);
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
  if (command.readBack.Enabled()) {
    return lumivane::cli::ReadBackHeaders(command.paths, command.readBack, command.options.choice);
  }
  if (command.import.enabled) {
    return lumivane::cli::ImportPaths(command.paths, command.import, command.options);
  }
  return lumivane::cli::ConvertPaths(command.paths, command.options);
}

}  // namespace

int main(int argc, char** argv) {
  lumivane::RemoveTemporaryOnInterrupt();
#ifdef SIGPIPE
  // A reader gone early (| head) is a failed write like any other: reported, exit 1.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  try {
    return FinishOutput(Run(std::vector<std::string>(argv + 1, argv + argc)));
  } catch (const std::exception& failure) {
    lumivane::cli::PrintErrorLine(std::string("lumivane-cli: ") + failure.what());
    return lumivane::cli::kExitFailure;
  }
}
