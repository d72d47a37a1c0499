#pragma once

#include <QPlainTextEdit>

namespace lumivane::ui {

// A multi-line box the user can read, select and copy from but not edit.
// It refuses every drop; whether a selection can be dragged out is chosen
// per box. Copied and dragged text is plain text only.
class ReadOnlyBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  enum class DragOut { kRefused, kAllowed };

  ReadOnlyBox(DragOut dragOut, QWidget* parent);

  QMimeData* createMimeDataFromSelection() const override;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void UpdateTabStops();

  DragOut drag_out_;
};

}  // namespace lumivane::ui
