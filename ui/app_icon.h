#pragma once

#include <QIcon>

namespace lumivane::ui {

// The program's icon, an OLED module showing a vane: 32 by 32 in two
// colours, 32 by 32 and 16 by 16 in sixteen colours.
QIcon ApplicationIcon();

}  // namespace lumivane::ui
