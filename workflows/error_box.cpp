#include "error_box.h"

namespace lumivane {

std::string ErrorBoxText(const AppError& error) {
  return std::string("The following error has occurred:\r\n") + error.what();
}

}  // namespace lumivane
