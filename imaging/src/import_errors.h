#pragma once

#include <string_view>

#include "app_error.h"

namespace lumivane::imaging {

// The import's failures, raised without the file's name; the import adds it
// once, where it catches (WithFileName).
AppError DamagedImageError(std::string_view detail);
AppError ImageTooLargeError(std::string_view detail);
// A damaged image whose part `what` ends early or holds what cannot be.
AppError MalformedError(std::string_view what);

// The error with the file named at the end of its description.
AppError WithFileName(const AppError& error, std::string_view path);

}  // namespace lumivane::imaging
