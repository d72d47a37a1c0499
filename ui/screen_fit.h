#pragma once

#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace lumivane::ui {

// The screen's free area that a window may take. At a fractional scale the
// window manager's frame, in whole screen pixels, rounds a window that
// fills the area out past it by one pixel; the area is one pixel smaller.
QRect UsableArea(const QScreen& screen);

// The size a top-level window asks for, cut to what the free area of its
// screen holds once the window manager's frame is added. Before the window
// is shown its frame is not known, so a title bar is allowed for.
QSize SizeOnScreen(const QWidget& window, QSize wanted);

// Once the window is on the screen and its frame is known: shrinks and moves
// it so the whole frame lies in the screen's free area.
void KeepOnScreen(QWidget& window);

}  // namespace lumivane::ui
