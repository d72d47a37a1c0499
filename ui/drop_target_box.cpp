#include "drop_target_box.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>

#include "drop_reading.h"

namespace lumivane::ui {
namespace {

// A drop is only ever taken as a copy (or a link): a file manager that saw a
// move accepted would delete the files it dropped.
bool AcceptWithoutMove(QDropEvent& event) {
  if (event.possibleActions().testFlag(Qt::CopyAction)) {
    event.setDropAction(Qt::CopyAction);
  } else if (event.possibleActions().testFlag(Qt::LinkAction)) {
    event.setDropAction(Qt::LinkAction);
  } else {
    event.ignore();
    return false;
  }
  event.accept();
  return true;
}

}  // namespace

DropTargetBox::DropTargetBox(QWidget* parent) : ReadOnlyBox(DragOut::kRefused, parent) {
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
}

void DropTargetBox::dragEnterEvent(QDragEnterEvent* event) {
  AcceptWithoutMove(*event);
}

void DropTargetBox::dragMoveEvent(QDragMoveEvent* event) {
  AcceptWithoutMove(*event);
}

void DropTargetBox::dropEvent(QDropEvent* event) {
  if (AcceptWithoutMove(*event) && on_drop_) on_drop_(DropDataFromMime(*event->mimeData()));
}

}  // namespace lumivane::ui
