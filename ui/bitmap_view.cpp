#include "bitmap_view.h"

#include <QPainter>
#include <algorithm>

namespace lumivane::ui {
namespace {

constexpr int kMinZoom = 1;
const QColor kDark(0x10, 0x14, 0x1a);
const QColor kLit(0xb8, 0xf0, 0xff);

}  // namespace

BitmapView::BitmapView(QWidget* parent) : QWidget(parent) {}

void BitmapView::SetBitmap(imaging::Bitmap bitmap) {
  bitmap_ = std::move(bitmap);
  FitZoomInto(room_);
}

void BitmapView::FitZoomInto(QSize room) {
  room_ = room;
  zoom_ = kMinZoom;
  if (bitmap_.width > 0 && bitmap_.height > 0 && room.isValid()) {
    zoom_ =
        std::max(kMinZoom, std::min(room.width() / bitmap_.width, room.height() / bitmap_.height));
  }
  setFixedSize(std::max(1, bitmap_.width * zoom_), std::max(1, bitmap_.height * zoom_));
  update();
}

void BitmapView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kDark);
  for (int y = 0; y < bitmap_.height; ++y) {
    for (int x = 0; x < bitmap_.width; ++x) {
      if (bitmap_.Pixel(x, y)) painter.fillRect(x * zoom_, y * zoom_, zoom_, zoom_, kLit);
    }
  }
}

}  // namespace lumivane::ui
