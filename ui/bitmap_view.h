#pragma once

#include <QWidget>

#include "import.h"

namespace lumivane::ui {

// A one-bit bitmap as an OLED shows it: set bits lit, light on a dark
// background, each pixel a square of whole screen pixels.
class BitmapView : public QWidget {
  Q_OBJECT

 public:
  explicit BitmapView(QWidget* parent = nullptr);

  void SetBitmap(imaging::Bitmap bitmap);
  // Pixels a bitmap pixel: the largest that lets the bitmap fit `room`, at
  // least 1 (a bitmap larger than the room scrolls).
  void FitZoomInto(QSize room);
  int Zoom() const { return zoom_; }
  const imaging::Bitmap& Shown() const { return bitmap_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  imaging::Bitmap bitmap_;
  QSize room_;
  int zoom_ = 2;
};

}  // namespace lumivane::ui
