#pragma once

#include <QRect>
#include <QWidget>
#include <utility>
#include <vector>

namespace lumivane::ui {

// A client area whose controls are placed by their designed rectangles in
// twips. At the designed size every control sits exactly on its designed
// pixels; at any other size (the user resized the window, or the screen was
// too small for it) each edge keeps its designed share of the area. Fonts
// stay as they are, so a label never gets smaller than its caption.
class DesignedArea : public QWidget {
  Q_OBJECT

 public:
  DesignedArea(QSize designedTwips, QWidget* parent);

  QSize DesignedSize() const;
  void Place(QWidget& control, const QRect& twips);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect PixelRect(const QRect& twips) const;
  QRect PlacedRect(const QWidget& control, const QRect& twips) const;

  QSize designed_twips_;
  std::vector<std::pair<QWidget*, QRect>> controls_;
};

}  // namespace lumivane::ui
