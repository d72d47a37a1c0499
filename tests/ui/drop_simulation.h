#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QUrl>
#include <functional>

class QAbstractScrollArea;
class QMimeData;
class QWidget;

namespace lumivane::test {

// Drags `mime` over the point of `target` and drops it there, delivering the
// events to the widget Qt would choose: the one under the point, or the
// nearest ancestor that accepts drops. Returns whether the drop was accepted.
bool SimulateDrop(QWidget& target, QMimeData* mime,
                  Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction);

QMimeData* FileDrop(const QList<QUrl>& urls);
QMimeData* TextDrop(const QString& text);

// Calls `started` whenever a drag starts from `box`: Qt makes each drag a
// child of the widget it starts from, the box or its viewport.
class DragWatch : public QObject {
 public:
  DragWatch(QAbstractScrollArea& box, std::function<void()> started);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> started_;
};

}  // namespace lumivane::test
