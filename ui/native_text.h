#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace lumivane::ui {

// The workflows keep texts as the bytes they read and write. Everything that
// is not a hexadecimal digit in a listing, a report line or a message comes
// from a file name, so the file-name encoding is the one to show them in.
QString FromNative(std::string_view text);
std::string ToNative(const QString& text);

// For display: CR LF, the line end the program writes, becomes the widget's
// line break.
QString ToDisplayText(std::string_view text);

}  // namespace lumivane::ui
