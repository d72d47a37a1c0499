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
  std::string importOnlyOption;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string valueError;
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
    } else if (TakeImportOption(arguments, i, command.import, valueError)) {
      if (!valueError.empty()) {
        command.action = CommandLine::Action::kUsageError;
        command.usageError = valueError;
        return command;
      }
      if (argument != "--import" && importOnlyOption.empty()) importOnlyOption = argument;
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
  } else if (!command.import.enabled && !importOnlyOption.empty()) {
    command.action = CommandLine::Action::kUsageError;
    command.usageError = "option '" + importOnlyOption + "' needs --import";
  } else if (command.paths.empty()) {
    command.action = CommandLine::Action::kUsageError;
    command.usageError = "no file or folder given";
  }
  return command;
}

}  // namespace lumivane::cli
