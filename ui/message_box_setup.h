#pragma once

#include <QMessageBox>
#include <string>

namespace lumivane::ui {

// The icon a message box style asks for: 16 stop, 32 question, 48 warning,
// 64 information, none otherwise.
QMessageBox::Icon IconForStyle(int style);

// Text (CR LF shown as line breaks, never as markup), title, icon, one OK
// button. The workflows only ever ask for an OK button.
void ConfigureMessageBox(QMessageBox& box, const std::string& prompt, int style,
                         const std::string& title);

}  // namespace lumivane::ui
