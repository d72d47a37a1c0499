#pragma once

#include <string_view>

#include "app_error.h"

namespace lumivane::imaging {

// The import's failures, raised without the file's name; the import adds it
// once, where it catches (WithFileName).
AppError FormatUnknownError();
AppError DamagedImageError(std::string_view detail);
AppError ImageTooLargeError(std::string_view detail);
// A build without the image libraries reads no image at all.
AppError NoDecodersError();

// The error with the file named at the end of its description.
AppError WithFileName(const AppError& error, std::string_view path);

}  // namespace lumivane::imaging
