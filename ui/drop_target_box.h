#pragma once

#include "drop_data.h"
#include "read_only_box.h"

namespace lumivane::ui {

// The input box: takes any drop on any part of it, its scroll bar and frame
// included, and tells what was dropped; what the data means is the window's
// business.
class DropTargetBox : public ReadOnlyBox {
  Q_OBJECT

 public:
  explicit DropTargetBox(QWidget* parent);

 signals:
  void dropped(const lumivane::DropData& data);

 protected:
  bool event(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace lumivane::ui
