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

bool DropTargetBox::event(QEvent* event) {
  // A scroll area hands on only the drags over its viewport; those over the
  // scroll bar or the frame reach the box itself and would go unanswered.
  switch (event->type()) {
    case QEvent::DragEnter:
      dragEnterEvent(static_cast<QDragEnterEvent*>(event));
      return true;
    case QEvent::DragMove:
      dragMoveEvent(static_cast<QDragMoveEvent*>(event));
      return true;
    case QEvent::Drop:
      dropEvent(static_cast<QDropEvent*>(event));
      return true;
    default:
      return ReadOnlyBox::event(event);
  }
}

void DropTargetBox::dragEnterEvent(QDragEnterEvent* event) {
  AcceptWithoutMove(*event);
}

void DropTargetBox::dragMoveEvent(QDragMoveEvent* event) {
  AcceptWithoutMove(*event);
}

void DropTargetBox::dropEvent(QDropEvent* event) {
  if (AcceptWithoutMove(*event)) emit dropped(DropDataFromMime(*event->mimeData()));
}

}  // namespace lumivane::ui
