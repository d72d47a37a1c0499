#include "import_options.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <optional>
#include <span>
#include <string_view>

namespace lumivane::cli {
namespace {

std::optional<int> WholeNumber(std::string_view text) {
  int value = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (status != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// "WxH" with both sides at least 1.
std::optional<imaging::FitBox> FitBoxOf(std::string_view text) {
  const std::size_t x = text.find('x');
  if (x == std::string_view::npos) return std::nullopt;
  const std::optional<int> width = WholeNumber(text.substr(0, x));
  const std::optional<int> height = WholeNumber(text.substr(x + 1));
  if (!width || !height || *width < 1 || *height < 1) return std::nullopt;
  return imaging::FitBox{*width, *height};
}

// Applies `value` to the option `name`; false when the value is wrong.
bool Apply(std::string_view name, std::string_view value, imaging::ImportSettings& settings) {
  if (name == "--threshold") {
    const std::optional<int> threshold = WholeNumber(value);
    if (!threshold || *threshold < 0 || *threshold > imaging::kMaxThreshold) return false;
    settings.threshold = *threshold;
  } else if (name == "--dither") {
    const std::optional<imaging::Dithering> dithering = imaging::DitheringNamed(value);
    if (!dithering) return false;
    settings.dithering = *dithering;
  } else if (name == "--rotate") {
    const std::optional<int> degrees = WholeNumber(value);
    if (!degrees || !imaging::IsRotation(*degrees)) return false;
    settings.rotation = *degrees;
  } else if (name == "--flip") {
    if (value != "h" && value != "v") return false;
    settings.flip = value == "h" ? imaging::Flip::kHorizontal : imaging::Flip::kVertical;
  } else if (name == "--fit") {
    settings.fit = FitBoxOf(value);
    if (!settings.fit) return false;
  }
  return true;
}

constexpr std::string_view kValued[] = {"--threshold", "--dither", "--rotate", "--flip", "--fit"};
constexpr std::string_view kImageFlags[] = {"--invert", "--write-xbm", "--preview"};

}  // namespace

void AddImportOptions(CLI::App& app, ImportOptions& options, CLI::Option* check) {
  app.add_flag("--import", options.enabled);
  app.add_flag("--invert", options.settings.invert);
  app.add_flag("--write-xbm", options.writeXbm)->excludes(check);
  app.add_flag("--preview", options.preview);
  for (const std::string_view name : kValued) {
    app.add_option_function<std::string>(
        std::string(name), [name, &options](const std::string& value) {
          if (!Apply(name, value, options.settings)) {
            throw CLI::ValidationError("wrong value '" + value + "' for option '" +
                                       std::string(name) + "'");
          }
        });
  }
}

std::string ImageOptionWithoutImport(const CLI::App& app, const ImportOptions& options) {
  if (options.enabled) return {};
  for (const auto& names : {std::span<const std::string_view>(kImageFlags),
                            std::span<const std::string_view>(kValued)}) {
    for (const std::string_view name : names) {
      if (app.count(std::string(name)) > 0) return std::string(name);
    }
  }
  return {};
}

}  // namespace lumivane::cli
