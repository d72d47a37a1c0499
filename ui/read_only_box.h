#pragma once

#include <QPlainTextEdit>
#include <memory>

namespace lumivane::ui {

// A multi-line box the user can read, select and copy from but not edit.
// It refuses every drop; whether a selection can be dragged out is chosen
// per box. Copied and dragged text is plain text only.
//
// The box runs the drag of its selection itself. Left to QPlainTextEdit, a
// drag that leaves the box before it starts keeps the press alive after the
// drop (the release went to the other program), and the auto-scroll timer
// replays it about 100 ms later as a second drag that nobody asked for.
class ReadOnlyBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  enum class DragOut { kRefused, kAllowed };

  ReadOnlyBox(DragOut dragOut, QWidget* parent);

  QMimeData* createMimeDataFromSelection() const override;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void UpdateTabStops();
  bool IsOnSelection(QPoint point) const;
  void DragSelectionOut();

  DragOut drag_out_;
  // Where a press on the selection was held back: it becomes a drag once the
  // mouse moves far enough, or a plain click at its release.
  std::unique_ptr<QMouseEvent> held_press_;
};

}  // namespace lumivane::ui
