#pragma once

#include <string>

#include "engine/app_error.h"

namespace lumivane {

// The system's error number with its text and the path it concerns.
AppError SystemError(int number, const std::string& path);

}  // namespace lumivane
