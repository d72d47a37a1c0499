#include "platform.h"

#include "error_box.h"

namespace lumivane {

void Platform::ShowError(const AppError& error, const std::string& title) {
  MsgBox(ErrorBoxText(error), box_style::kCritical, title);
}

}  // namespace lumivane
