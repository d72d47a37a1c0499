#include "system_error.h"

#include <cerrno>
#include <system_error>

namespace lumivane {

AppError SystemError(int number, const std::string& path) {
  return AppError(number, std::generic_category().message(number) + ": " + path);
}

AppError OutputIsSource(const std::string& path) {
  return AppError(EINVAL, "Output is its own source: " + path);
}

}  // namespace lumivane
