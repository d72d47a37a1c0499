// Another program on the same display, for scripts/x11_drag_check.sh: it
// takes any drop and, given a path, drags that path out as a file, as a file
// manager would. Each thing that happens to it is one line on standard output:
//   press                   a mouse press that reached it
//   drop-text <text>        a text dropped on it (line breaks as \n)
//   drop-urls <url> ...     files dropped on it
//   dragged <action>        the end of its own drag (1 copy, 0 refused)
// Usage: ui_x11_peer X Y [PATH]
#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <cstdio>

namespace {

void Report(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

class PeerWindow : public QWidget {
 public:
  explicit PeerWindow(QString dragPath) : drag_path_(std::move(dragPath)) {
    setWindowTitle(QStringLiteral("peer"));
    setAcceptDrops(true);
    resize(300, 300);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    Report(QStringLiteral("press"));
    press_ = event->position().toPoint();
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (drag_path_.isEmpty() || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - press_).manhattanLength() <
            QApplication::startDragDistance()) {
      return;
    }
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(drag_path_)});
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    Report(QStringLiteral("dragged %1").arg(int(drag->exec(Qt::CopyAction | Qt::MoveAction))));
  }
  void dragEnterEvent(QDragEnterEvent* event) override { event->acceptProposedAction(); }
  void dragMoveEvent(QDragMoveEvent* event) override { event->acceptProposedAction(); }
  void dropEvent(QDropEvent* event) override {
    event->setDropAction(Qt::CopyAction);
    event->accept();
    const QMimeData* mime = event->mimeData();
    if (mime->hasUrls()) {
      QStringList urls;
      for (const QUrl& url : mime->urls()) urls << url.toString();
      Report(QStringLiteral("drop-urls ") + urls.join(QLatin1Char(' ')));
    } else {
      Report(QStringLiteral("drop-text ") + mime->text().replace(QLatin1Char('\n'), "\\n"));
    }
  }

 private:
  QString drag_path_;
  QPoint press_;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s X Y [PATH]\n", argv[0]);
    return 2;
  }
  PeerWindow window(argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString());
  window.move(QString::fromLatin1(argv[1]).toInt(), QString::fromLatin1(argv[2]).toInt());
  window.show();
  return QApplication::exec();
}
