#include "read_only_box.h"

#include <QApplication>
#include <QDrag>
#include <QFontMetricsF>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextCursor>
#include <QTextDocumentFragment>

namespace lumivane::ui {

ReadOnlyBox::ReadOnlyBox(DragOut dragOut, QWidget* parent)
    : QPlainTextEdit(parent), drag_out_(dragOut) {
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The program sets whole texts; an undo history would only hold old copies.
  document()->setUndoRedoEnabled(false);
  setAcceptDrops(false);
  viewport()->setAcceptDrops(false);
  UpdateTabStops();
}

void ReadOnlyBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) UpdateTabStops();
  QPlainTextEdit::changeEvent(event);
}

// Tab stops every eight average characters, as in a classic edit control: the
// report lines are laid out in columns for exactly these stops.
void ReadOnlyBox::UpdateTabStops() {
  constexpr int kCharactersPerTab = 8;
  setTabStopDistance(QFontMetricsF(font()).averageCharWidth() * kCharactersPerTab);
}

QMimeData* ReadOnlyBox::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  data->setText(textCursor().selection().toPlainText());
  return data;
}

bool ReadOnlyBox::IsOnSelection(QPoint point) const {
  const QTextCursor selection = textCursor();
  if (!selection.hasSelection()) return false;
  const int position = cursorForPosition(point).position();
  return position >= selection.selectionStart() && position <= selection.selectionEnd();
}

void ReadOnlyBox::mousePressEvent(QMouseEvent* event) {
  held_press_.reset();
  const bool plainLeftPress =
      event->button() == Qt::LeftButton && !event->modifiers().testFlag(Qt::ShiftModifier);
  if (plainLeftPress && drag_out_ == DragOut::kAllowed &&
      IsOnSelection(event->position().toPoint())) {
    held_press_.reset(event->clone());
    event->accept();
    return;
  }
  // A press inside the selection is where a drag would start; without the
  // selection under it, the press starts a new selection instead.
  if (plainLeftPress && drag_out_ == DragOut::kRefused) {
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
      cursor.clearSelection();
      setTextCursor(cursor);
    }
  }
  QPlainTextEdit::mousePressEvent(event);
}

void ReadOnlyBox::mouseMoveEvent(QMouseEvent* event) {
  // A press whose release went elsewhere is over.
  if (held_press_ && !event->buttons().testFlag(Qt::LeftButton)) held_press_.reset();
  if (!held_press_) {
    QPlainTextEdit::mouseMoveEvent(event);
    return;
  }
  event->accept();
  const QPoint moved = event->position().toPoint() - held_press_->position().toPoint();
  if (moved.manhattanLength() >= QApplication::startDragDistance()) {
    // The press ends with the drag, wherever the release went.
    held_press_.reset();
    DragSelectionOut();
  }
}

void ReadOnlyBox::mouseReleaseEvent(QMouseEvent* event) {
  if (held_press_ && event->button() == Qt::LeftButton) {
    // No drag came of it: a click on the selection places the cursor there.
    const std::unique_ptr<QMouseEvent> press = std::move(held_press_);
    QPlainTextEdit::mousePressEvent(press.get());
  }
  QPlainTextEdit::mouseReleaseEvent(event);
}

void ReadOnlyBox::DragSelectionOut() {
  auto* drag = new QDrag(this);
  drag->setMimeData(createMimeDataFromSelection());
  drag->exec(Qt::CopyAction);
}

}  // namespace lumivane::ui
