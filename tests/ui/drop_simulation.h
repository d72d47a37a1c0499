#pragma once

#include <QList>
#include <QPoint>
#include <QUrl>

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

}  // namespace lumivane::test
