#include "error_box.h"

namespace lumivane {

std::string ErrorBoxText(const AppError& error) {
  return "The following error has occurred:\r\nErr # " + std::to_string(error.Number()) + " - " +
         error.Description();
}

void ShowErrorBox(Platform& platform, const AppError& error, std::string_view title) {
  platform.MsgBox(ErrorBoxText(error), box_style::kCritical, std::string(title));
}

}  // namespace lumivane
