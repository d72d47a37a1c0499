#pragma once

#include <string>
#include <string_view>

#include "app_error.h"

namespace lumivane {

inline constexpr std::string_view kLoadErrorTitle = "Load Error";
inline constexpr std::string_view kSaveErrorTitle = "Save Error";
inline constexpr std::string_view kImportErrorTitle = "Import Error";

// "The following error has occurred:" CR LF "Err # N - description".
std::string ErrorBoxText(const AppError& error);

}  // namespace lumivane
