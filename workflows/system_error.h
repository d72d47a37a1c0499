#pragma once

#include <string>

#include "app_error.h"

namespace lumivane {

// The system's error number with its text and the path it concerns.
AppError SystemError(int number, const std::string& path);

// An output that leads to the very file it is made from (a link to it).
AppError OutputIsSource(const std::string& path);

}  // namespace lumivane
