#pragma once

#include <functional>

#include "read_only_box.h"
#include "workflows/drop_data.h"

namespace lumivane::ui {

// The input box: takes any drop and hands its data over; what the data means
// is the window's business.
class DropTargetBox : public ReadOnlyBox {
  Q_OBJECT

 public:
  using DropHandler = std::function<void(const DropData&)>;

  explicit DropTargetBox(QWidget* parent);

  void OnDrop(DropHandler handler) { on_drop_ = std::move(handler); }

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  DropHandler on_drop_;
};

}  // namespace lumivane::ui
