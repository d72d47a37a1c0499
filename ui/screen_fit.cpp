#include "screen_fit.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace lumivane::ui {
namespace {

QSize FrameOf(const QWidget& window) {
  const QSize frame = window.frameGeometry().size() - window.size();
  if (!frame.isEmpty()) return frame;
  // Not framed yet: a title bar of two text lines and thin borders is more
  // than the usual window managers draw, at any scale.
  const int line = window.fontMetrics().height();
  return {line / 2, 2 * line};
}

}  // namespace

QRect UsableArea(const QScreen& screen) {
  const QRect available = screen.availableGeometry();
  const qreal ratio = screen.devicePixelRatio();
  return ratio == std::floor(ratio) ? available : available.adjusted(0, 0, -1, -1);
}

QSize SizeOnScreen(const QWidget& window, QSize wanted) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return wanted;
  const QSize room = UsableArea(*screen).size() - FrameOf(window);
  return wanted.boundedTo(room).expandedTo(window.minimumSize());
}

void KeepOnScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return;
  const QRect available = UsableArea(*screen);
  if (available.contains(window.frameGeometry())) return;
  const QSize frame = window.frameGeometry().size() - window.size();
  window.resize(window.size().boundedTo(available.size() - frame));
  QRect placed = window.frameGeometry();
  placed.moveRight(std::min(placed.right(), available.right()));
  placed.moveBottom(std::min(placed.bottom(), available.bottom()));
  placed.moveLeft(std::max(placed.left(), available.left()));
  placed.moveTop(std::max(placed.top(), available.top()));
  window.move(placed.topLeft());
}

}  // namespace lumivane::ui
