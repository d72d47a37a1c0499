#include "command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <string_view>

namespace lumivane::cli {
namespace {

bool IsUnknownOption(std::string_view argument) {
  // The parser leaves "--" among the extras; a lone "-" is a name like any other.
  return argument.size() > 1 && argument.front() == '-' && argument != "--";
}

// An unset variable in a build script, never the current folder.
const CLI::Validator kNonEmpty(
    [](const std::string& name) { return name.empty() ? std::string("empty name") : ""; }, "");
const CLI::Validator kFileName(
    [](const std::string& name) {
      return name.find_first_of("/\\") == std::string::npos ? std::string()
                                                            : "a file name, not a path";
    },
    "");

CommandLine Refused(std::string why) {
  CommandLine command;
  command.action = CommandLine::Action::kUsageError;
  command.usageError = std::move(why);
  return command;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine command;
  ConvertOptions& options = command.options;
  bool help = false;
  bool version = false;

  CLI::App app;
  // The help text is the program's own; unknown options are told apart below,
  // so that each is named as before.
  app.set_help_flag();
  app.allow_extras();
  app.add_flag("-h,--help", help);
  app.add_flag("--version", version);
  CLI::Option* toStdout = app.add_flag("--stdout", options.listingsToStdout);
  CLI::Option* check = app.add_flag("--check", options.check)->excludes(toStdout);
  app.add_option("-o,--output-dir", options.outputDir)->check(kNonEmpty)->excludes(toStdout);
  app.add_option("--depfile", options.depfile)
      ->check(kNonEmpty)
      ->excludes(toStdout)
      ->excludes(check);
  app.add_option("--collect", options.collect)
      ->check(kNonEmpty)
      ->check(kFileName)
      ->excludes(toStdout);
  app.add_flag("--with-size", options.withSize);
  app.add_flag("-q,--quiet", options.quiet);
  app.add_flag("-v,--verbose", options.verbose);
  AddImportOptions(app, command.import, check, toStdout);
  app.add_option("paths", command.paths);

  // CLI11 takes the arguments last to first.
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& failure) {
    return Refused(failure.what());
  }

  const std::vector<std::string> extras = app.remaining();
  const auto unknown = std::find_if(extras.begin(), extras.end(), [](const std::string& extra) {
    return IsUnknownOption(extra);
  });
  if (unknown != extras.end()) return Refused("unknown option '" + *unknown + "'");

  if (help) {
    command.action = CommandLine::Action::kHelp;
  } else if (version) {
    command.action = CommandLine::Action::kVersion;
  } else if (command.paths.empty()) {
    return Refused("no file or folder given");
  } else if (std::find(command.paths.begin(), command.paths.end(), "") != command.paths.end()) {
    // An unset variable in a build script, never the current folder.
    return Refused("empty path");
  }
  return command;
}

}  // namespace lumivane::cli
