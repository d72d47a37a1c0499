#pragma once

#include <string>
#include <string_view>

#include "engine/app_error.h"
#include "platform.h"

namespace lumivane {

inline constexpr std::string_view kLoadErrorTitle = "Load Error";
inline constexpr std::string_view kSaveErrorTitle = "Save Error";

// "The following error has occurred:" CR LF "Err # N - description".
std::string ErrorBoxText(const AppError& error);

// The one way a user action reports a failure: a modal box with a stop icon.
void ShowErrorBox(Platform& platform, const AppError& error, std::string_view title);

}  // namespace lumivane
