#pragma once

#include <optional>
#include <utility>

#include "app_error.h"

namespace lumivane {

// How a user action ended, for a caller that must act on it (the command
// line's exit status, say) without reading the progress view.
struct ActionOutcome {
  enum class Kind {
    kDone,
    // Ended early without an error box: a cancelled dialog, a file that is
    // not a bitmap, or the silent start of File > Load.
    kEnded,
    // Ended by the failure in `error`, which the platform was shown.
    kFailed,
    // Not started, because another action is running.
    kRefused,
  };

  static ActionOutcome Done() { return {Kind::kDone, std::nullopt}; }
  static ActionOutcome Ended() { return {Kind::kEnded, std::nullopt}; }
  static ActionOutcome Failed(AppError error) { return {Kind::kFailed, std::move(error)}; }
  static ActionOutcome Refused() { return {Kind::kRefused, std::nullopt}; }

  Kind kind;
  std::optional<AppError> error;
};

}  // namespace lumivane
