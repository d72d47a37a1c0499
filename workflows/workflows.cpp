#include "workflows.h"

namespace lumivane {

Workflows::Workflows(ConversionState& state, WindowSurface& window, Platform& platform)
    : state_(state), window_(window), platform_(platform) {}

void Workflows::WriteWhole(const std::string& path, std::string_view text, WriteKind kind) {
  constexpr std::string_view kLineEnd = "\r\n";
  content_.clear();
  content_.reserve(text.size() + kLineEnd.size());
  content_.append(text).append(kLineEnd);
  platform_.WriteTextFile(path, content_, kind);
}

ActionOutcome Workflows::Fail(const AppError& error, std::string_view title) {
  platform_.ShowError(error, std::string(title));
  return ActionOutcome::Failed(error);
}

}  // namespace lumivane
