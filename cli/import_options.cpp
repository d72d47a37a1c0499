#include "import_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>
#include <optional>
#include <string_view>

namespace lumivane::cli {
namespace {

std::optional<int> WholeNumber(std::string_view text) {
  int value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Digits only, read as decimal: the parser itself would read "010" as octal
// eight, and take a sign or "0x".
const CLI::Validator kWholeNumber(
    [](std::string& text) -> std::string {
      if (text.empty() || !std::all_of(text.begin(), text.end(),
                                       [](unsigned char c) { return std::isdigit(c) != 0; })) {
        return "not a whole number: " + text;
      }
      text.erase(0, std::min(text.find_first_not_of('0'), text.size() - 1));
      return {};
    },
    "N");

// "WxH" with both sides at least 1.
std::optional<imaging::Size> FitBoxOf(std::string_view text) {
  const std::size_t x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const std::optional<int> width = WholeNumber(text.substr(0, x));
  const std::optional<int> height = WholeNumber(text.substr(x + 1));
  if (!width || !height || *width < 1 || *height < 1) return std::nullopt;
  return imaging::Size{*width, *height};
}

const std::map<std::string, imaging::Flip> kFlips = {{"h", imaging::Flip::kHorizontal},
                                                     {"v", imaging::Flip::kVertical}};

}  // namespace

void AddImportOptions(CLI::App& app, ImportOptions& options, CLI::Option* check,
                      CLI::Option* toStdout) {
  imaging::ImportSettings& settings = options.settings;
  CLI::Option* import = app.add_flag("--import", options.enabled);
  app.add_flag("--invert", settings.invert)->needs(import);
  app.add_flag("--write-xbm", options.writeXbm)->needs(import)->excludes(check)->excludes(toStdout);
  app.add_flag("--preview", options.preview)->needs(import);
  app.add_flag("--animation", options.animation)->needs(import);
  app.add_option("--threshold", settings.threshold)
      ->transform(kWholeNumber)
      ->check(CLI::Range(0, imaging::kMaxThreshold))
      ->needs(import);
  app.add_option("--rotate", settings.rotation)
      ->transform(kWholeNumber)
      ->check([](const std::string& degrees) {
        const std::optional<int> turn = WholeNumber(degrees);
        return turn && imaging::IsRotation(*turn) ? std::string() : "not 0, 90, 180 or 270";
      })
      ->needs(import);
  app.add_option_function<std::string>("--dither",
                                       [&settings](const std::string& name) {
                                         settings.dithering = *imaging::DitheringNamed(name);
                                       })
      ->check([](const std::string& name) {
        return imaging::DitheringNamed(name) ? std::string() : "unknown method: " + name;
      })
      ->needs(import);
  app.add_option_function<std::string>(
         "--flip", [&settings](const std::string& side) { settings.flip = kFlips.at(side); })
      ->check(CLI::IsMember(kFlips))
      ->needs(import);
  app.add_option_function<std::string>(
         "--fit", [&settings](const std::string& box) { settings.fit = FitBoxOf(box); })
      ->check([](const std::string& box) {
        return FitBoxOf(box) ? std::string() : "not WxH with both at least 1: " + box;
      })
      ->needs(import);
}

}  // namespace lumivane::cli
