#include "stem_name.h"

#include <cctype>

#include "app_error.h"

namespace lumivane {

std::string StemName(std::string_view name) {
  const auto dot = name.find('.');
  if (dot == std::string_view::npos) throw AppError::InvalidArgument();
  return std::string(name.substr(0, dot));
}

bool IsNameCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

}  // namespace lumivane
