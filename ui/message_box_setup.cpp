#include "message_box_setup.h"

#include "native_text.h"

namespace lumivane::ui {
namespace {

constexpr int kIconBits = 0x70;

}  // namespace

QMessageBox::Icon IconForStyle(int style) {
  switch (style & kIconBits) {
    case 16:
      return QMessageBox::Critical;
    case 32:
      return QMessageBox::Question;
    case 48:
      return QMessageBox::Warning;
    case 64:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

void ConfigureMessageBox(QMessageBox& box, const std::string& prompt, int style,
                         const std::string& title) {
  box.setTextFormat(Qt::PlainText);
  box.setText(ToDisplayText(prompt));
  box.setWindowTitle(FromNative(title));
  box.setIcon(IconForStyle(style));
  box.setStandardButtons(QMessageBox::Ok);
  box.setDefaultButton(QMessageBox::Ok);
}

}  // namespace lumivane::ui
