#include "command_line.h"

#include <string_view>

namespace lumivane::cli {
namespace {

bool IsOption(std::string_view argument) {
  // A lone "-" is a name like any other.
  return argument.size() > 1 && argument.front() == '-';
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine command;
  bool help = false;
  bool version = false;
  bool optionsEnded = false;
  for (const std::string& argument : arguments) {
    if (optionsEnded || !IsOption(argument)) {
      command.paths.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--stdout") {
      command.listingsToStdout = true;
    } else if (argument == "--help" || argument == "-h") {
      help = true;
    } else if (argument == "--version") {
      version = true;
    } else {
      command.action = CommandLine::Action::kUsageError;
      command.usageError = "unknown option '" + argument + "'";
      return command;
    }
  }

  if (help) {
    command.action = CommandLine::Action::kHelp;
  } else if (version) {
    command.action = CommandLine::Action::kVersion;
  } else if (command.paths.empty()) {
    command.action = CommandLine::Action::kUsageError;
    command.usageError = "no file or folder given";
  }
  return command;
}

}  // namespace lumivane::cli
