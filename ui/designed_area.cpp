#include "designed_area.h"

#include <QLabel>
#include <QResizeEvent>
#include <cmath>

#include "twips.h"

namespace lumivane::ui {

DesignedArea::DesignedArea(QSize designedTwips, QWidget* parent)
    : QWidget(parent), designed_twips_(designedTwips) {
  resize(DesignedSize());
}

QSize DesignedArea::DesignedSize() const {
  return {TwipsToPixels(designed_twips_.width()), TwipsToPixels(designed_twips_.height())};
}

void DesignedArea::Place(QWidget& control, const QRect& twips) {
  controls_.emplace_back(&control, twips);
  control.setGeometry(PlacedRect(control, twips));
}

QRect DesignedArea::PixelRect(const QRect& twips) const {
  if (size() == DesignedSize()) {
    return TwipsRect(twips.x(), twips.y(), twips.width(), twips.height());
  }
  // Edges, not sizes, are scaled, so neighbours that touch keep touching.
  const auto scaled = [](int twipsEdge, int designed, int actual) {
    return static_cast<int>(std::lround(double(twipsEdge) * actual / designed));
  };
  const int left = scaled(twips.x(), designed_twips_.width(), width());
  const int right = scaled(twips.x() + twips.width(), designed_twips_.width(), width());
  const int top = scaled(twips.y(), designed_twips_.height(), height());
  const int bottom = scaled(twips.y() + twips.height(), designed_twips_.height(), height());
  return {left, top, right - left, bottom - top};
}

QRect DesignedArea::PlacedRect(const QWidget& control, const QRect& twips) const {
  QRect placed = PixelRect(twips);
  // Fonts keep their size, so a label narrowed with the window would cut its
  // caption: it keeps at least the size its text needs.
  if (size() != DesignedSize() && qobject_cast<const QLabel*>(&control) != nullptr) {
    placed.setSize(placed.size().expandedTo(control.sizeHint()));
  }
  return placed;
}

void DesignedArea::resizeEvent(QResizeEvent* event) {
  for (const auto& [control, twips] : controls_) control->setGeometry(PlacedRect(*control, twips));
  QWidget::resizeEvent(event);
}

}  // namespace lumivane::ui
