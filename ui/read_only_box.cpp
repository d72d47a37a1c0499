#include "read_only_box.h"

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

void ReadOnlyBox::mousePressEvent(QMouseEvent* event) {
  // A press inside the selection is where a drag would start; without the
  // selection under it, the press starts a new selection instead.
  if (drag_out_ == DragOut::kRefused && event->button() == Qt::LeftButton &&
      !event->modifiers().testFlag(Qt::ShiftModifier)) {
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection()) {
      cursor.clearSelection();
      setTextCursor(cursor);
    }
  }
  QPlainTextEdit::mousePressEvent(event);
}

}  // namespace lumivane::ui
