#include "form_main.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "drop_reading.h"
#include "drop_simulation.h"
#include "form_splash.h"
#include "native_text.h"
#include "read_only_box.h"
#include "scripted_platform.h"
#include "temp_folder.h"
#include "xbm_writer.h"

namespace lumivane::test {

using ui::FormMain;
using ui::FormSplash;
using ui::ReadOnlyBox;

class FormMainTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ScriptedPlatform> platform_;

  template <typename Widget>
  static Widget* Control(FormMain& window, const char* name) {
    auto* control = window.findChild<Widget*>(QLatin1String(name));
    if (control == nullptr) qFatal("missing control %s", name);
    return control;
  }
  static QPlainTextEdit* Box(FormMain& window, const char* name) {
    return Control<QPlainTextEdit>(window, name);
  }
  // Small bitmaps with runs of 0x00 and 0xFF between ordinary bytes, so each
  // has something to compress.
  static void AddBitmaps(const TempFolder& folder, std::initializer_list<const char*> names) {
    const Bytes bytes = Concat({Run(4, 0x00), {0x3C, 0x7E}, Run(4, 0xFF), {0x0E, 0x81}});
    for (const char* name : names) folder.Write(name, XbmText("img", bytes));
  }
  static std::string Joined(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : " ") + name;
    return joined;
  }
  static void SendMouse(QWidget& target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, target.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
  }

 private slots:
  void init() {
    QSettings().clear();
    platform_ = std::make_unique<ScriptedPlatform>();
    platform_->CancelUnscriptedDialogs();
  }

  void controlsSitAtTheirDesignedPlaces() {
    FormMain window(*platform_);
    QStringList described;
    for (const char* name : {"Label1", "Text1", "Label2", "Text2", "Label4", "Text3"}) {
      auto* control = Control<QWidget>(window, name);
      const QRect at = control->geometry();
      const QFont font = control->font();
      QString text = QString::asprintf("%s %d,%d %dx%d %s %g%s ", name, at.x(), at.y(), at.width(),
                                       at.height(), qPrintable(font.family()), font.pointSizeF(),
                                       font.bold() ? " bold" : "");
      if (auto* label = qobject_cast<QLabel*>(control)) text += "'" + label->text() + "'";
      if (auto* box = qobject_cast<QPlainTextEdit*>(control)) {
        text +=
            (box->isReadOnly() ? "read-only" : "editable") +
            QString(box->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ? ", scroll bar" : "") +
            " '" + box->toPlainText() + "'";
      }
      described.append(text);
    }
    QCOMPARE(described,
             (QStringList{
                 "Label1 8,0 249x17 Courier New 8.25 'Input: Drop folder or file(s) here '",
                 "Text1 0,16 696x439 Courier New 8.25 read-only, scroll bar ''",
                 "Label2 8,456 329x17 Courier New 8.25 'Output: Mark Region and Drag from here '",
                 "Text2 0,472 696x401 Courier New 8.25 read-only, scroll bar ''",
                 "Label4 712,0 33x17 Courier New 8.25 'Info'",
                 "Text3 696,16 801x857 Courier New 9.75 read-only, scroll bar ''"}));
  }

  // The offscreen screens of these tests (offscreen_screens.json): one with
  // room for the designed window, and a laptop's 1366 x 768.
  static QScreen* Screen(const QString& name) {
    for (QScreen* screen : QGuiApplication::screens()) {
      if (screen->name() == name) return screen;
    }
    qFatal("no screen %s: run with offscreen_screens.json", qPrintable(name));
  }
  // Every label and box keeps its designed share of the client area, within
  // the rounding of twips to pixels, and no font changes.
  static void VerifyDesignedShares(FormMain& window, const QHash<QString, QRect>& designed) {
    const QSize client = window.centralWidget()->size();
    const double x = client.width() / 1504.0;
    const double y = client.height() / 879.0;
    for (auto it = designed.begin(); it != designed.end(); ++it) {
      auto* control = Control<QWidget>(window, it.key().toLatin1().constData());
      const QRect now = control->geometry();
      const QRect was = it.value();
      const auto near = [](int edge, double expected) { return std::abs(edge - expected) <= 1.5; };
      QVERIFY2(near(now.left(), was.left() * x) && near(now.top(), was.top() * y),
               qPrintable(it.key()));
      if (auto* label = qobject_cast<QLabel*>(control)) {
        // Its caption stays whole, as the font keeps its size.
        QVERIFY(now.width() >= label->fontMetrics().horizontalAdvance(label->text()));
        QVERIFY(now.height() >= label->fontMetrics().height());
      } else {
        QVERIFY2(near(now.right() + 1, (was.right() + 1) * x) &&
                     near(now.bottom() + 1, (was.bottom() + 1) * y),
                 qPrintable(it.key()));
      }
      QCOMPARE(control->font().pointSizeF(), it.key() == "Text3" ? 9.75 : 8.25);
    }
  }
  static QHash<QString, QRect> DesignedRects(FormMain& window) {
    QHash<QString, QRect> rects;
    for (const char* name : {"Label1", "Text1", "Label2", "Text2", "Label4", "Text3"}) {
      rects.insert(QLatin1String(name), Control<QWidget>(window, name)->geometry());
    }
    return rects;
  }

  // The window opens at its designed size where the screen has room for it,
  // else at the screen's free area; at any other size the boxes keep their
  // designed shares.
  void windowKeepsItsDesignedShares_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QSize>("resized");  // invalid: as it opens
    QTest::newRow("opens on 1920 x 1080") << "large" << QSize();
    QTest::newRow("opens on 1366 x 768") << "small" << QSize();
    QTest::newRow("made smaller") << "large" << QSize(400, 300);
    QTest::newRow("made larger") << "large" << QSize(1900, 1000);
  }
  void windowKeepsItsDesignedShares() {
    QFETCH(QString, screen);
    QFETCH(QSize, resized);
    FormMain window(*platform_);
    const QHash<QString, QRect> designed = DesignedRects(window);
    window.setScreen(Screen(screen));
    window.move(Screen(screen)->availableGeometry().topLeft());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.objectName(), QStringLiteral("formMain"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Lumivane"));
    const QRect available = window.screen()->availableGeometry();
    QCOMPARE(window.frameGeometry().topLeft(), available.topLeft());
    if (resized.isValid()) {
      window.resize(resized);
      QTRY_COMPARE(window.size(), resized);
    } else if (screen == "small") {
      QTRY_COMPARE(window.frameGeometry(), available);
    } else {
      QCOMPARE(window.centralWidget()->size(), QSize(1504, 879));
      QCOMPARE(DesignedRects(window), designed);
      return;
    }
    VerifyDesignedShares(window, designed);
  }

  void menusHaveTheirCaptionsAndShortcuts() {
    FormMain window(*platform_);
    QStringList menus;
    for (QAction* title : window.menuBar()->actions()) {
      QString menu = title->text();
      for (QAction* item : title->menu()->actions()) {
        menu += " | " + (item->isSeparator() ? QStringLiteral("-")
                                             : item->text() + ' ' + item->shortcut().toString());
      }
      menus.append(menu);
    }
    QCOMPARE(menus,
             (QStringList{"&File" + QString(40, ' ') +
                              " | &Load Ctrl+L | &Import Image\u2026 Ctrl+I | - | &Quit Ctrl+Q",
                          "&Info | &About "}));
  }

  // The Load and Import dialogs start in the folder the last run left off
  // in, while it still exists, and otherwise in the program's folder; a Load
  // empties the progress view before its dialog shows. Ctrl+Q closes.
  void keysOpenTheFileDialogsInTheLastFolder_data() {
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("title");   // empty: no dialog, the window closes
    QTest::addColumn<QString>("stored");  // the last run's folder: kept, removed or none
    QTest::addColumn<QString>("behind");  // the progress view behind the dialog
    const auto row = [](const char* keys, const char* title, const char* stored,
                        const char* behind) {
      QTest::newRow(keys) << QKeySequence(QString(keys)) << title << stored << behind;
    };
    row("Ctrl+L", "Load a Bitmap.xbm File", "", "");
    row("Alt+F, L", "Load a Bitmap.xbm File", "kept", "");
    row("F10, L", "Load a Bitmap.xbm File", "removed", "");
    row("Ctrl+I", "Import an Image", "kept", "earlier\n");
    row("Alt+F, I", "Import an Image", "", "earlier\n");
    row("Ctrl+Q", "", "", "earlier\n");
  }
  void keysOpenTheFileDialogsInTheLastFolder() {
    QFETCH(QKeySequence, keys);
    QFETCH(QString, title);
    QFETCH(QString, stored);
    QFETCH(QString, behind);
    TempFolder folder;
    const std::string last = folder.MakeFolder("last run");
    if (!stored.isEmpty()) QSettings().setValue("dialogs/lastFolder", QString::fromStdString(last));
    if (stored == "removed") std::filesystem::remove(last);
    FormMain window(*platform_);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.SetText3("earlier\r\n");
    QString shownBehindDialog = QStringLiteral("never asked");
    platform_->OnDialog([&] { shownBehindDialog = Box(window, "Text3")->toPlainText(); });
    Box(window, "Text3")->setFocus();
    for (int i = 0; i < keys.count(); ++i) {
      // Once a menu is open, it takes the keys.
      QWidget* popup = QApplication::activePopupWidget();
      QTest::keyClick(popup != nullptr ? popup : QApplication::focusWidget(), keys[i].key(),
                      keys[i].keyboardModifiers());
      QTest::qWait(20);
    }
    QVERIFY(platform_->Boxes().empty());
    QCOMPARE(Box(window, "Text3")->toPlainText(), behind);
    QCOMPARE(window.isVisible(), !title.isEmpty());
    QCOMPARE(platform_->Dialogs().size(), std::size_t(title.isEmpty() ? 0 : 1));
    if (title.isEmpty()) return;
    QCOMPARE(shownBehindDialog, behind);
    QVERIFY(platform_->Dialogs().back().kind == DialogKind::Open);
    const FileDialogSettings& dialog = platform_->Dialogs().back().settings;
    QCOMPARE(QString::fromStdString(dialog.DialogTitle), title);
    QCOMPARE(QString::fromStdString(dialog.InitDir), stored == "kept"
                                                         ? QString::fromStdString(last)
                                                         : QCoreApplication::applicationDirPath());
  }

  void typingChangesNoBoxButCopyWorks() {
    FormMain window(*platform_);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.SetText1("const\r\nabc");
    QPlainTextEdit* text1 = Box(window, "Text1");
    text1->setFocus();
    QTest::keyClicks(text1, "xyz");
    QTest::keyClick(text1, Qt::Key_Backspace);
    QTest::keyClick(text1, Qt::Key_Delete);
    QCOMPARE(window.Text1(), std::string("const\r\nabc"));
    QCOMPARE(text1->toPlainText(), QStringLiteral("const\nabc"));

    QTest::keyClick(text1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(text1, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied != nullptr);
    QCOMPARE(copied->text(), QStringLiteral("const\nabc"));
    QVERIFY(!copied->hasHtml());
  }

  void boxesShowTheirTextWithWidgetLineBreaks_data() {
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QString>("shown");
    QTest::newRow("whole lines") << QStringList{"a\r\n", "b\r\n", "COMPLETE"} << "a\nb\nCOMPLETE";
    QTest::newRow("CR LF split between pieces") << QStringList{"a\r", "\nb"} << "a\nb";
    QTest::newRow("empty piece") << QStringList{"", "x"} << "x";
  }
  void boxesShowTheirTextWithWidgetLineBreaks() {
    QFETCH(QStringList, pieces);
    QFETCH(QString, shown);
    FormMain window(*platform_);
    window.SetText3("");
    std::string expected;
    for (const QString& piece : pieces) {
      window.AppendText3(piece.toStdString());
      expected += piece.toStdString();
    }
    QCOMPARE(window.Text3(), expected);
    QCOMPARE(Box(window, "Text3")->toPlainText(), shown);
  }

  void progressViewFollowsTheNewestLine_data() {
    QTest::addColumn<bool>("scrolledUp");
    QTest::newRow("left at the end") << false;
    QTest::newRow("scrolled up by the user") << true;
  }
  void progressViewFollowsTheNewestLine() {
    QFETCH(bool, scrolledUp);
    FormMain window(*platform_);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QScrollBar* scrollBar = Box(window, "Text3")->verticalScrollBar();
    window.SetText3("");
    for (int line = 0; line < 200; ++line) window.AppendText3("name\t1024 bytes\r\n");
    QVERIFY(scrollBar->maximum() > 0);
    QCOMPARE(scrollBar->value(), scrollBar->maximum());

    if (scrolledUp) scrollBar->setValue(10);
    window.AppendText3("COMPLETE");
    QCOMPARE(scrollBar->value(), scrolledUp ? 10 : scrollBar->maximum());
  }

  void onlyTheOutputBoxLetsASelectionBeDraggedOut() {
    FormMain window(*platform_);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.SetText2("0x00, 0x01\r\n};");
    auto* text2 = Control<ReadOnlyBox>(window, "Text2");
    QTextCursor cursor = text2->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(12, QTextCursor::KeepAnchor);
    text2->setTextCursor(cursor);
    std::unique_ptr<QMimeData> dragged(text2->createMimeDataFromSelection());
    QCOMPARE(dragged->formats(), QStringList{QStringLiteral("text/plain")});
    QCOMPARE(dragged->text(), QStringLiteral("0x00, 0x01\n}"));

    // A press inside the selection of Text1 starts a new selection, never a drag.
    window.SetText1("0x00, 0x01");
    QPlainTextEdit* text1 = Box(window, "Text1");
    text1->selectAll();
    const QPoint inside = text1->cursorRect(QTextCursor(text1->document())).center();
    QTest::mousePress(text1->viewport(), Qt::LeftButton, {}, inside + QPoint(2, 0));
    QVERIFY(!text1->textCursor().hasSelection());
    QTest::mouseRelease(text1->viewport(), Qt::LeftButton, {}, inside + QPoint(2, 0));
  }

  // The first line dragged up out of the box and on to another program:
  // once the drop is over, no second drag may start by itself (the box's
  // auto-scroll would otherwise replay the held press ~100 ms later).
  void aDragOutEndsTheSelectionGesture() {
    FormMain window(*platform_);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    std::string listing;
    for (int line = 0; line < 200; ++line) listing += "0x00, 0x01,\r\n";
    window.SetText2(listing);
    QPlainTextEdit* text2 = Box(window, "Text2");
    QTextCursor firstLine(text2->document());
    firstLine.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    text2->setTextCursor(firstLine);

    // Each drag that starts is ended a moment later by a release elsewhere,
    // as the other program's window would take it.
    int drags = 0;
    DragWatch watch(*text2, [&drags, &window] {
      ++drags;
      QTimer::singleShot(30, &window, [&window] {
        const QPointF outside(window.width() + 50, 50);
        QMouseEvent release(QEvent::MouseButtonRelease, outside, window.mapToGlobal(outside),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window.windowHandle(), &release);
      });
    });
    const QPoint inside = text2->cursorRect(QTextCursor(text2->document())).center() + QPoint(4, 0);
    SendMouse(*text2->viewport(), QEvent::MouseButtonPress, inside, Qt::LeftButton);
    SendMouse(*text2->viewport(), QEvent::MouseMove, QPoint(inside.x(), -15), Qt::LeftButton);
    QTest::qWait(400);

    QCOMPARE(drags, 1);
    QCOMPARE(text2->textCursor().selectedText(), QStringLiteral("0x00, 0x01,"));
  }

  // What a drop carries, as the window reads it.
  void localFilesArriveInDropOrder_data() {
    QTest::addColumn<QStringList>("dragged");  // local paths, web links, or "text:" and a text
    QTest::addColumn<QStringList>("paths");
    const QString umlauts = QString::fromUtf8("/img/gr\u00fc\u00dfe.xbm");
    const QStringList twoFiles{"/img/b.xbm", "/img/a.xbm"};
    QTest::newRow("files in drop order") << twoFiles << twoFiles;
    QTest::newRow("a folder") << QStringList{"/img"} << QStringList{"/img"};
    QTest::newRow("non-ASCII name") << QStringList{umlauts} << QStringList{umlauts};
    QTest::newRow("web links are no files")
        << QStringList{"https://example.org/a.xbm", "/img/a.xbm"} << QStringList{"/img/a.xbm"};
    QTest::newRow("only a web link") << QStringList{"https://example.org/a.xbm"} << QStringList{};
    QTest::newRow("dragged text") << QStringList{"text:0x00, 0x01"} << QStringList{};
  }
  void localFilesArriveInDropOrder() {
    QFETCH(QStringList, dragged);
    QFETCH(QStringList, paths);
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString& item : dragged) {
      if (item.startsWith("text:")) mime.setText(item.mid(5));
      if (!item.startsWith("text:")) {
        urls.append(item.startsWith('/') ? QUrl::fromLocalFile(item) : QUrl(item));
      }
    }
    if (!urls.isEmpty()) mime.setUrls(urls);

    const DropData data = ui::DropDataFromMime(mime);
    QCOMPARE(data.GetFormat(DropData::kFileListFormat), !paths.isEmpty());
    if (paths.isEmpty()) return;
    QCOMPARE(data.FileCount(), paths.size());
    for (int i = 0; i < paths.size(); ++i) {
      QCOMPARE(QString::fromUtf8(data.File(i + 1).c_str()), paths[i]);
    }
  }

  // Every bitmap of AddBitmaps makes the same listings and report line.
  static std::string Report(const QStringList& names) {
    std::string report;
    // 12 bytes, of which the runs save 4: 00 00 00 00 and FF FF FF FF take two each.
    for (const QString& name : names) {
      report += name.leftJustified(18).toStdString() +
                "12 uncompressed bytes, \t4 bytes economized, \tcompression rate = 33%\r\n";
    }
    return report;
  }

  // Folders and files dropped on the input box are converted (a folder's
  // bitmaps in name order, files in drop order); dragged text is no file;
  // every other control refuses both.
  void dropsOnTheWindow_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("dropped");  // paths in the folder; "." is the folder
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("converted");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("remembered");  // the dialogs start in the files' folder next

    const QString untouched = "alpha.xbm beta.xbm skipped.XBM";
    QTest::newRow("folder on Text1")
        << "Text1" << QStringList{"."} << true << QStringList{"alpha", "beta"}
        << "allFiles.h alpha.h alpha.xbm beta.h beta.xbm skipped.XBM"
        << "" << false;
    QTest::newRow("folder on the scroll bar of Text1")
        << "scroll bar" << QStringList{"."} << true << QStringList{"alpha", "beta"}
        << "allFiles.h alpha.h alpha.xbm beta.h beta.xbm skipped.XBM"
        << "" << false;
    QTest::newRow("files on Text1, in drop order")
        << "Text1" << QStringList{"beta.xbm", "alpha.xbm"} << true << QStringList{"beta", "alpha"}
        << "alpha.h alpha.xbm beta.h beta.xbm skipped.XBM"
        << "" << true;
    QTest::newRow("text on Text1") << "Text1" << QStringList{"text"} << true << QStringList{}
                                   << untouched << "Save Error" << false;
    for (const char* other : {"Text2", "Text3", "Label1", "Label2", "Label4"}) {
      QTest::newRow(other) << other << QStringList{".", "text"} << false << QStringList{}
                           << untouched << "" << false;
    }
  }
  void dropsOnTheWindow() {
    QFETCH(QString, target);
    QFETCH(QStringList, dropped);
    QFETCH(bool, accepted);
    QFETCH(QStringList, converted);
    QFETCH(QString, tree);
    QFETCH(QString, box);
    QFETCH(bool, remembered);
    TempFolder folder;
    AddBitmaps(folder, {"alpha.xbm", "beta.xbm", "skipped.XBM"});
    FormMain window(*platform_);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.SetText2("kept");
    window.SetText3("earlier\r\n");
    QPlainTextEdit* text1 = Box(window, "Text1");
    QWidget* control = target == "scroll bar" ? text1->verticalScrollBar()
                                              : Control<QWidget>(window, qPrintable(target));

    QList<QUrl> urls;
    for (const QString& path : dropped) {
      if (path == "text") {
        QCOMPARE(SimulateDrop(*control, TextDrop(QStringLiteral("0x00, 0x01"))), accepted);
      } else {
        const std::string local = path == "." ? folder.Path() : folder.PathOf(path.toStdString());
        urls.append(QUrl::fromLocalFile(QString::fromStdString(local)));
      }
    }
    if (!urls.isEmpty()) QCOMPARE(SimulateDrop(*control, FileDrop(urls)), accepted);
    if (!converted.isEmpty()) QTRY_VERIFY(window.Text3().ends_with("COMPLETE"));
    if (!box.isEmpty()) QTRY_COMPARE(platform_->Boxes().size(), std::size_t{1});
    QTest::qWait(20);

    QCOMPARE(QString::fromStdString(Joined(folder.Tree())), tree);
    if (converted.isEmpty()) {
      QCOMPARE(window.Text3(), std::string("earlier\r\n"));
      QCOMPARE(window.Text2(), std::string("kept"));
    } else {
      // Compared as QStrings, so that a failure shows both texts.
      const auto text = [](const std::string& bytes) { return QString::fromStdString(bytes); };
      const QString array =
          "const unsigned char " + converted.last() + "[] U8X8_PROGMEM = {\r\n%1\r\n};";
      QCOMPARE(text(window.Text3()), text(Report(converted) + "COMPLETE"));
      QCOMPARE(text(window.Text1()),
               array.arg("0x00, 0x00, 0x00, 0x00, 0x3C, 0x7E, 0xFF, 0xFF, 0xFF, 0xFF, 0x0E, 0x81"));
      QCOMPARE(text(window.Text2()), array.arg("0x00, 0x03, 0x3C, 0x7E, 0xFF, 0x03, 0x0E, 0x81"));
      QCOMPARE(folder.Read(converted.last().toStdString() + ".h"), window.Text2() + "\r\n");
    }
    const std::string last =
        remembered ? folder.Path() : ui::ToNative(QCoreApplication::applicationDirPath());
    QCOMPARE(window.State().LastDirectory, last);
    QCOMPARE(FormMain(*platform_).State().LastDirectory, last);
    const std::string* texts[] = {&window.Text1(), &window.Text2(), &window.Text3()};
    for (int box = 0; box < 3; ++box) {
      QCOMPARE(Box(window, qPrintable(QString("Text%1").arg(box + 1)))->toPlainText(),
               QString::fromStdString(*texts[box]).replace("\r\n", "\n"));
    }
    // The tab stops keep every report line on one line of the progress view.
    for (QTextBlock line = Box(window, "Text3")->document()->begin(); line.isValid();
         line = line.next()) {
      QCOMPARE(line.layout()->lineCount(), 1);
    }
    QCOMPARE(platform_->Boxes().size(), std::size_t(box.isEmpty() ? 0 : 1));
    if (!box.isEmpty()) {
      const BoxRecord& shown = platform_->Boxes().front();
      QCOMPARE(QString::fromStdString(shown.title), box);
      QCOMPARE(shown.style, 16);
      QVERIFY(shown.prompt.starts_with("The following error has occurred:\r\nErr # "));
    }
  }

  void quitInTheMiddleOfABatchEndsItAtOnce() {
    TempFolder folder;
    AddBitmaps(folder, {"a.xbm", "b.xbm", "c.xbm"});
    FormMain window(*platform_);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.mnuAbout_Click();
    QPointer<FormSplash> splash = window.Splash();
    QVERIFY(splash);
    platform_->BeforeEach(FileCall::ReadTextFile, [&window](const std::string&) {
      QMetaObject::invokeMethod(&window, &FormMain::mnuQuit_Click, Qt::QueuedConnection);
    });

    window.Text1_OLEDragDrop(DropData::FileList({folder.Path()}));

    QVERIFY(!window.isVisible());
    QCOMPARE(QString::fromStdString(window.Text3()), QString::fromStdString(Report({"a"})));
    QCOMPARE(QString::fromStdString(Joined(folder.Tree())), "a.xbm b.xbm c.xbm");
    QTRY_VERIFY(splash.isNull());
  }
};

std::unique_ptr<QObject> NewFormMainTest() {
  return std::make_unique<FormMainTest>();
}

}  // namespace lumivane::test
#include "form_main_test.moc"
