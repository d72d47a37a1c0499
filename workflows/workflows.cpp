#include "workflows.h"

#include "listing_layout.h"

namespace lumivane {

Workflows::Workflows(ConversionState& state, WindowSurface& window, Platform& platform)
    : state_(state), window_(window), platform_(platform) {}

void Workflows::WriteWhole(const std::string& path, std::string& text, WriteKind kind) {
  const std::size_t size = text.size();
  text.append(kLineEnd);
  try {
    platform_.WriteTextFile(path, text, kind);
  } catch (...) {
    text.resize(size);
    throw;
  }
  text.resize(size);
}

ActionOutcome Workflows::Fail(const AppError& error, std::string_view title) {
  platform_.ShowError(error, std::string(title));
  return ActionOutcome::Failed(error);
}

}  // namespace lumivane
