#include "drop_simulation.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QChildEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>
#include <memory>

namespace lumivane::test {
namespace {

QWidget* DropTargetAt(QWidget& window, QPoint pointInWindow) {
  QWidget* widget = window.childAt(pointInWindow);
  if (widget == nullptr) widget = &window;
  while (!widget->isWindow() && !widget->acceptDrops()) widget = widget->parentWidget();
  return widget->acceptDrops() ? widget : nullptr;
}

}  // namespace

bool SimulateDrop(QWidget& target, QMimeData* mime, Qt::DropActions actions) {
  std::unique_ptr<QMimeData> owned(mime);
  QWidget& window = *target.window();
  const QPoint inWindow = target.mapTo(&window, target.rect().center());
  QWidget* receiver = DropTargetAt(window, inWindow);
  if (receiver == nullptr) return false;
  const QPoint local = receiver->mapFrom(&window, inWindow);

  QDragEnterEvent enter(local, actions, mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(receiver, &enter);
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(local, actions, mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(receiver, &move);
  if (!move.isAccepted()) return false;
  QDropEvent drop(local, actions, mime, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(receiver, &drop);
  return drop.isAccepted();
}

QMimeData* FileDrop(const QList<QUrl>& urls) {
  auto* mime = new QMimeData;
  mime->setUrls(urls);
  return mime;
}

QMimeData* TextDrop(const QString& text) {
  auto* mime = new QMimeData;
  mime->setText(text);
  return mime;
}

DragWatch::DragWatch(QAbstractScrollArea& box, std::function<void()> started)
    : started_(std::move(started)) {
  box.installEventFilter(this);
  box.viewport()->installEventFilter(this);
}

bool DragWatch::eventFilter(QObject* watched, QEvent* event) {
  // A drag is the one child these widgets get that is not a widget.
  if (event->type() == QEvent::ChildAdded &&
      !static_cast<QChildEvent*>(event)->child()->isWidgetType()) {
    started_();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lumivane::test
