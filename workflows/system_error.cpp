#include "system_error.h"

#include <system_error>

namespace lumivane {

AppError SystemError(int number, const std::string& path) {
  return AppError(number, std::generic_category().message(number) + ": " + path);
}

}  // namespace lumivane
