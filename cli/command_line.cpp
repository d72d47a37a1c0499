#include "command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <optional>
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

std::optional<int> Whole(std::string_view text) {
  int value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size() || value < 1) return std::nullopt;
  return value;
}

// "WxH", both at least 1.
std::optional<BitmapSize> SizeOf(std::string_view text) {
  const std::size_t x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const std::optional<int> width = Whole(text.substr(0, x));
  const std::optional<int> height = Whole(text.substr(x + 1));
  if (!width || !height) return std::nullopt;
  return BitmapSize{*width, *height};
}

// The byte layouts, and reading headers back, which excludes every option
// that converts or writes.
void AddLayoutOptions(CLI::App& app, CommandLine& command) {
  std::vector<std::string> layouts;
  for (const ByteLayoutName& entry : kByteLayoutNames) layouts.emplace_back(entry.name);
  app.add_option_function<std::string>("--layout",
                                       [&command](const std::string& name) {
                                         command.options.choice.layout = *ByteLayoutNamed(name);
                                       })
      ->check(CLI::IsMember(layouts));
  app.add_flag("--uncompressed", command.options.choice.uncompressed);
  CLI::Option* show = app.add_flag("--show", command.readBack.show);
  CLI::Option* toPng = app.add_option("--to-png", command.readBack.pngFolder)->check(kNonEmpty);
  app.add_option_function<std::string>(
         "--size", [&command](const std::string& text) { command.readBack.size = SizeOf(text); })
      ->check([](const std::string& text) {
        return SizeOf(text) ? std::string() : "not WxH with both at least 1: " + text;
      });
  for (const char* converting : {"--stdout", "--check", "--output-dir", "--depfile", "--collect",
                                 "--with-size", "--import"}) {
    show->excludes(app.get_option(converting));
    toPng->excludes(app.get_option(converting));
  }
}

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
  AddLayoutOptions(app, command);
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
  } else if (app.count("--size") > 0 && !command.readBack.Enabled()) {
    return Refused("option '--size' needs --show or --to-png");
  } else if (command.paths.empty()) {
    return Refused("no file or folder given");
  } else if (std::find(command.paths.begin(), command.paths.end(), "") != command.paths.end()) {
    // An unset variable in a build script, never the current folder.
    return Refused("empty path");
  }
  return command;
}

}  // namespace lumivane::cli
