#include "stem_name.h"

#include "app_error.h"

namespace lumivane {

std::string StemName(std::string_view name) {
  const auto dot = name.find('.');
  if (dot == std::string_view::npos) throw AppError::InvalidArgument();
  return std::string(name.substr(0, dot));
}

}  // namespace lumivane
