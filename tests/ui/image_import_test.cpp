// File > Import Image in the window: the image's bitmap goes the way of a
// Load of NAME.xbm beside it, and the import dialog shows what the display
// will show.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSlider>
#include <QTest>
#include <memory>

#include "bitmap_view.h"
#include "form_main.h"
#include "image_import_dialog.h"
#include "image_writers.h"
#include "import.h"
#include "scripted_platform.h"
#include "temp_folder.h"
#include "xbm_writer.h"

Q_DECLARE_METATYPE(lumivane::ImportChoice)

namespace lumivane::test {

using ui::FormMain;
using ui::ImageImportDialog;

// A picture whose grey band only a high threshold sets.
GreyPicture Banded() {
  GreyPicture picture{24, 12, {}, {}};
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 24; ++x) picture.grey.push_back(x < 8 ? 0 : x < 16 ? 180 : 255);
  }
  return picture;
}

// The band picture turned light for dark, so each frame of a GIF differs.
GreyPicture Inverted(GreyPicture picture) {
  for (std::uint8_t& grey : picture.grey) grey = static_cast<std::uint8_t>(255 - grey);
  return picture;
}

// A header as the window writes it: the items (each ending in a space),
// sixteen to a line.
std::string Header(const std::string& name, const QString& items) {
  const QStringList each = items.split(' ', Qt::SkipEmptyParts);
  std::string text = "const unsigned char " + name + "[] U8X8_PROGMEM = {\r\n";
  for (qsizetype i = 0; i < each.size(); ++i) {
    text += each[i].toStdString() + (i + 1 == each.size() ? "\r\n};\r\n"
                                     : i % 16 == 15       ? ", \r\n"
                                                          : ", ");
  }
  return text;
}

// Banded at the default threshold: each row FF 00 00, a lone FF and a run of two 00.
const QString kDarkBand = QString("0xFF 0x00 0x00 0x01 ").repeated(12);
// Banded at threshold 200: each row FF FF 00.
const QString kDarkAndGreyBands = QString("0xFF 0x01 0x00 0x00 ").repeated(12);
// Inverted(Banded()), 255, 75, 0, at either threshold: each row 00 FF FF.
const QString kLightBands = QString("0x00 0x00 0xFF 0x01 ").repeated(12);

// The bytes of an XBM text, run together.
QString XbmBytes(const std::string& xbm) {
  return QString::fromStdString(xbm).section('{', 1).remove(QRegularExpression("[\\s,};]"));
}

// A bitmap drawn as rows of '#' (set) and '.'.
QStringList Drawn(const imaging::Bitmap& bitmap) {
  QStringList rows;
  for (int y = 0; y < bitmap.height; ++y) {
    QString row;
    for (int x = 0; x < bitmap.width; ++x) row += bitmap.Pixel(x, y) ? '#' : '.';
    rows.append(row);
  }
  return rows;
}

std::vector<imaging::GrayFrame> Frames(int width, int height) {
  GreyPicture picture{width, height, {}, {}};
  for (int i = 0; i < width * height; ++i) picture.grey.push_back(i % 7 == 0 ? 0 : 255);
  return imaging::DecodeImage(WritePng(picture, PngKind::kGrey8), "/img/picture.png");
}

std::string Joined(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : " ") + name;
  return joined;
}

// The first word of each line of the progress view: whose line it is.
QStringList LineOwners(const std::string& report) {
  QStringList owners;
  for (const QString& line : QString::fromStdString(report).split("\r\n")) {
    owners.append(line.section(QLatin1Char(' '), 0, 0));
  }
  return owners;
}

class ImageImportTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QSettings().clear(); }

  // File > Import Image: the image's bitmap is loaded as NAME.xbm beside it
  // would be, and saved through the Load's own save dialog (then the
  // .xbm's, when asked for), in the layout chosen for this import alone.
  // A damaged image shows its error and writes nothing.
  void importFromTheMenu_data() {
    QTest::addColumn<QString>("image");
    QTest::addColumn<ImportChoice>("choice");
    QTest::addColumn<QStringList>("saved");  // the save dialogs' answers
    QTest::addColumn<QString>("header");     // of logo.h
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("tree");
    ImportChoice withXbm;
    withXbm.settings.threshold = 200;
    withXbm.saveXbm = true;
    QTest::newRow("threshold 200, also as .xbm")
        << "logo.v1.png" << withXbm << QStringList{"logo.h", "logo.xbm"}
        << QString::fromStdString(Header("logo", kDarkAndGreyBands)) << ""
        << "logo.h logo.v1.png logo.xbm";
    // Columns 0 to 7 set, in two pages of 24 columns (the second holding rows 8 to 11).
    const QString pages = QString("0xFF ").repeated(8) + QString("0x00 ").repeated(16) +
                          QString("0x0F ").repeated(8) + QString("0x00 ").repeated(16);
    QTest::newRow("pages, uncompressed")
        << "logo.png" << ImportChoice{{}, false, {ByteLayout::kPages, true}}
        << QStringList{"logo.h"} << QString::fromStdString(Header("logo", pages)) << ""
        << "logo.h logo.png logo.xbm";
    QTest::newRow("damaged") << "bad.png" << ImportChoice{} << QStringList{} << ""
                             << "Import Error: Err # 1002"
                             << "bad.png logo.xbm";
  }
  void importFromTheMenu() {
    QFETCH(QString, image);
    QFETCH(ImportChoice, choice);
    QFETCH(QStringList, saved);
    QFETCH(QString, header);
    QFETCH(QString, box);
    QFETCH(QString, tree);
    TempFolder folder;
    // Bytes after its end may spell more literals than any bitmap holds.
    std::string png = WritePng(Banded(), PngKind::kGrey8);
    while (png.size() < (3 << 20)) png += "0x";
    const std::string path =
        folder.Write(image.toStdString(), box.isEmpty() ? png : "\x89PNG\r\n\x1a\n cut");
    folder.Write("logo.xbm", "hand-edited");
    ScriptedPlatform platform;
    platform.AnswerWith(path);
    for (const QString& name : saved) platform.AnswerWith(folder.PathOf(name.toStdString()));
    FormMain window(platform);
    int asked = 0;
    window.SetImportDialog([&](const std::vector<imaging::GrayFrame>& frames,
                               const std::string& shown) -> std::optional<ImportChoice> {
      asked += frames.size() == 1 && shown == path ? 1 : 100;
      return choice;
    });

    window.mnuImport_Click();

    QCOMPARE(asked, box.isEmpty() ? 1 : 0);
    QCOMPARE(QString::fromStdString(Joined(folder.Tree())), tree);
    if (!header.isEmpty()) QCOMPARE(QString::fromStdString(folder.Read("logo.h")), header);
    QCOMPARE(platform.Dialogs().size(), std::size_t(saved.size() + 1));
    for (qsizetype i = 0; i < saved.size(); ++i) {
      const DialogRecord& dialog = platform.Dialogs()[std::size_t(i + 1)];
      QVERIFY(dialog.kind == DialogKind::Save);
      QCOMPARE(dialog.settings.FileName, folder.PathOf(saved[i].toStdString()));
      QVERIFY(dialog.settings.Flags & dialog_flags::kOverwritePrompt);
    }
    const std::string xbm = folder.Read("logo.xbm");
    if (choice.saveXbm) {
      QVERIFY(
          xbm.starts_with("#define logo_width 24\r\n#define logo_height 12\r\n"
                          "static unsigned char logo_bits[] = {"));
      QCOMPARE(XbmBytes(xbm), QString("0xff0xff0x00").repeated(12));
    } else {
      QCOMPARE(xbm, std::string("hand-edited"));
    }
    QCOMPARE(LineOwners(window.Text3()).join(' '), box.isEmpty() ? "logo COMPLETE" : "");
    QCOMPARE(window.State().LastDirectory, folder.Path());
    QVERIFY((window.State().Choice == ConversionChoice{}));
    QCOMPARE(platform.Boxes().size(), std::size_t(box.isEmpty() ? 0 : 1));
    if (!box.isEmpty()) {
      QCOMPARE(QString::fromStdString(platform.Boxes()[0].title), box.section(':', 0, 0));
      QVERIFY(platform.Boxes()[0].prompt.find(box.section(": ", 1).toStdString()) !=
              std::string::npos);
    }
  }

  // Every frame's header goes where the first frame's was saved, after one
  // dialog for the .h (and one for the .xbm); a cancel ends the import.
  void aFramesImportAsksWhereToSaveOnce_data() {
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("tree");
    QTest::addColumn<QString>("owners");
    QTest::newRow("saved") << QStringList{"h/anim_0.h", "x/anim_0.xbm"}
                           << "anim.gif h/ h/anim_0.h h/anim_1.h h/anim_2.h x/ x/anim_0.xbm "
                              "x/anim_1.xbm x/anim_2.xbm"
                           << "anim_0 anim_1 anim_2 COMPLETE";
    QTest::newRow("header cancelled") << QStringList{"cancel"} << "anim.gif h/ x/"
                                      << "anim_0 SAVE";
    QTest::newRow("bitmap cancelled")
        << QStringList{"h/anim_0.h", "cancel"} << "anim.gif h/ h/anim_0.h x/"
        << "anim_0 SAVE";
  }
  void aFramesImportAsksWhereToSaveOnce() {
    QFETCH(QStringList, answers);
    QFETCH(QString, tree);
    QFETCH(QString, owners);
    TempFolder folder;
    folder.MakeFolder("h");
    folder.MakeFolder("x");
    const std::string gif = WriteGif({Banded(), Inverted(Banded()), Banded()});
    ScriptedPlatform platform;
    platform.AnswerWith(folder.Write("anim.gif", gif));
    for (const QString& answer : answers) {
      if (answer == "cancel") platform.AnswerCancel();
      if (answer != "cancel") platform.AnswerWith(folder.PathOf(answer.toStdString()));
    }
    FormMain window(platform);
    window.SetImportDialog([](const auto&, const auto&) { return ImportChoice{{}, true, {}}; });

    window.mnuImport_Click();

    QCOMPARE(platform.Dialogs().size(), std::size_t(answers.size() + 1));
    QVERIFY(platform.Boxes().empty());
    QCOMPARE(QString::fromStdString(Joined(folder.Tree())), tree);
    QCOMPARE(LineOwners(window.Text3()).join(' '), owners);
    if (owners.endsWith("COMPLETE")) {
      QCOMPARE(folder.Read("h/anim_1.h"), Header("anim_1", kLightBands));
      QCOMPARE(folder.Read("h/anim_2.h"), Header("anim_2", kDarkBand));
      QCOMPARE(XbmBytes(folder.Read("x/anim_2.xbm")), QString("0xff0x000x00").repeated(12));
    }
  }

  // One import dialog for all the images of a drop; each header lands
  // beside its image as the drop of its NAME.xbm would write it. A folder's
  // images are not imported but named.
  void droppedImagesShareOneImportDialog() {
    TempFolder folder;
    const std::string gif = WriteGif({Inverted(Banded()), Banded()});
    std::string png = WritePng(Banded(), PngKind::kGrey8);
    while (png.size() < (3 << 20)) png += "0x";
    const std::string logo = folder.Write("logo.png", png);
    const std::string anim = folder.Write("anim.gif", gif);
    folder.Write("plain.xbm", XbmText("plain", Concat({Run(4, 0x00), {0x3C}, Run(3, 0xFF)})));
    ScriptedPlatform platform;
    FormMain window(platform);
    ImportChoice choice{{}, true, {}};
    choice.settings.threshold = 200;
    std::vector<std::string> asked;
    window.SetImportDialog([&](const auto&, const std::string& path) {
      asked.push_back(path);
      return std::optional(choice);
    });

    window.Text1_OLEDragDrop(
        DropData::FileList({logo, folder.PathOf("plain.xbm"), anim, folder.PathOf("notes.txt")}));

    QCOMPARE(asked, std::vector<std::string>{logo});
    QVERIFY(platform.Dialogs().empty() && platform.Boxes().empty());
    QCOMPARE(folder.Tree(), (std::vector<std::string>{"anim.gif", "anim_0.h", "anim_1.h", "logo.h",
                                                      "logo.png", "plain.h", "plain.xbm"}));
    QCOMPARE(folder.Read("logo.h"), Header("logo", kDarkAndGreyBands));
    QCOMPARE(folder.Read("anim_0.h"), Header("anim_0", kLightBands));
    QCOMPARE(folder.Read("anim_1.h"), Header("anim_1", kDarkAndGreyBands));
    QCOMPARE(LineOwners(window.Text3()),
             (QStringList{"logo", "plain", "anim_0", "anim_1", "COMPLETE"}));

    window.Text1_OLEDragDrop(DropData::FileList({folder.Path()}));
    QCOMPARE(asked.size(), std::size_t{1});
    const std::string skipped = "  skipped: images are imported with File > Import Image\r\n";
    QVERIFY(window.Text3().starts_with("anim.gif" + skipped + "logo.png" + skipped + "plain  "));
    QVERIFY(window.Text3().ends_with("\r\nCOMPLETE"));
  }

  void dialogRedrawsThePreviewAsTheSettingsChange() {
    const std::vector<imaging::GrayFrame> frames =
        imaging::DecodeImage(WritePng(Banded(), PngKind::kGrey8), "/img/logo.png");
    ImageImportDialog dialog(frames, "/img/logo.png");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // Banded is 24 x 12: dark, grey and light columns, eight of each.
    const auto columns = [](int from, int to) {
      return QStringList(12, QString(from, '.') + QString(to - from, '#') + QString(24 - to, '.'));
    };
    QCOMPARE(Drawn(dialog.Preview().Shown()), columns(0, 8));
    QCOMPARE(dialog.SizeText(), QStringLiteral("24 x 12 pixels, 36 bytes"));
    QVERIFY(dialog.Preview().Zoom() >= 2);

    dialog.findChild<QSlider*>(QStringLiteral("threshold"))->setValue(200);
    QCOMPARE(Drawn(dialog.Preview().Shown()), columns(0, 16));
    dialog.findChild<QCheckBox*>(QStringLiteral("invert"))->setChecked(true);
    QCOMPARE(Drawn(dialog.Preview().Shown()), columns(16, 24));
    // Turned clockwise, the light columns on the right become the bottom rows.
    dialog.findChild<QComboBox*>(QStringLiteral("rotation"))->setCurrentIndex(1);
    QCOMPARE(Drawn(dialog.Preview().Shown()),
             QStringList(16, QString(12, '.')) + QStringList(8, QString(12, '#')));
    QCOMPARE(dialog.SizeText(), QStringLiteral("12 x 24 pixels, 48 bytes"));
    dialog.findChild<QCheckBox*>(QStringLiteral("fit"))->setChecked(true);
    QCOMPARE(dialog.SizeText(), QStringLiteral("128 x 64 pixels, 1024 bytes"));
    dialog.findChild<QComboBox*>(QStringLiteral("layout"))->setCurrentIndex(2);
    dialog.findChild<QCheckBox*>(QStringLiteral("uncompressed"))->setChecked(true);
    QCOMPARE(dialog.SizeText(),
             QStringLiteral("128 x 64 pixels, 1024 bytes, pages layout, uncompressed"));

    const ImportChoice choice = dialog.Choice();
    QCOMPARE(choice.settings.threshold, 200);
    QVERIFY(choice.settings.invert);
    QCOMPARE(choice.settings.rotation, 90);
    QVERIFY(choice.settings.fit.has_value());
    QVERIFY((choice.conversion == ConversionChoice{ByteLayout::kPages, true}));

    // Kept for the next import, also after the program ends.
    dialog.accept();
    const ImportChoice next = ImageImportDialog(frames, "/img/other.png").Choice();
    QCOMPARE(next.settings.threshold, 200);
    QVERIFY(next.settings.invert);
    QCOMPARE(next.settings.rotation, 90);
    QCOMPARE(next.settings.fit->width, 128);
    QCOMPARE(next.settings.fit->height, 64);
    QVERIFY((next.conversion == ConversionChoice{ByteLayout::kPages, true}));
  }

  // 1366 x 768 at the scale factors 1, 1.25, 1.5 and 2 leaves these logical
  // screens (offscreen_screens.json).
  void dialogFitsTheScreenWithEveryControlWhole_data() {
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<int>("pathLength");
    QTest::addColumn<bool>("wholePreview");
    QTest::addColumn<QString>("sizeText");  // OK is refused while the bitmap is too large
    const QString tooLarge =
        "Image too large (a bitmap of %1 takes %2 bytes, at most 32766): "
        "picture.png\nTick \"Fit into\" to shrink it to a display's size.";
    for (const char* screen : {"small", "small@1.25", "small@1.5", "small@2"}) {
      QTest::addRow("%s, 300 x 200", screen)
          << screen << QSize(300, 200) << 20 << true << "300 x 200 pixels, 7600 bytes";
      QTest::addRow("%s, too large, long path", screen)
          << screen << QSize(3000, 3000) << 200 << false
          << tooLarge.arg("3000 x 3000").arg(375 * 3000);
    }
    QTest::newRow("600 x 500, too large")
        << "large" << QSize(600, 500) << 20 << false << tooLarge.arg("600 x 500").arg(75 * 500);
  }
  void dialogFitsTheScreenWithEveryControlWhole() {
    QFETCH(QString, screen);
    QFETCH(QSize, image);
    QFETCH(int, pathLength);
    QFETCH(bool, wholePreview);
    QFETCH(QString, sizeText);
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* target = *std::find_if(screens.begin(), screens.end(),
                                    [&](QScreen* each) { return each->name() == screen; });
    const auto frames = Frames(image.width(), image.height());
    ImageImportDialog dialog(frames, "/home/" + std::string(pathLength - 17, 'd') + "/picture.png");
    dialog.setScreen(target);
    dialog.move(target->availableGeometry().topLeft());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QVERIFY(target->availableGeometry().contains(dialog.frameGeometry()));
    for (QWidget* control : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!control->isVisibleTo(&dialog) || control->objectName() == "previewArea") continue;
      const QRect at(control->mapTo(&dialog, QPoint(0, 0)), control->size());
      QVERIFY2(dialog.rect().contains(at), qPrintable(control->objectName()));
      QVERIFY(control->height() >= control->minimumSizeHint().height());
    }
    QCOMPARE(dialog.findChild<QDialogButtonBox*>()->buttons().size(), 2);
    auto* result = dialog.findChild<QLabel*>(QStringLiteral("size"));
    QVERIFY(result->heightForWidth(result->width()) <= result->height());
    auto* area = dialog.findChild<QScrollArea*>(QStringLiteral("previewArea"));
    if (wholePreview) QVERIFY(!area->verticalScrollBar()->isVisible());
    QCOMPARE(dialog.SizeText(), sizeText);
    QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QCOMPARE(ok->isEnabled(), !sizeText.startsWith("Image too large"));
    dialog.findChild<QCheckBox*>(QStringLiteral("fit"))->setChecked(true);
    QVERIFY(ok->isEnabled());
  }

  void tabVisitsTheControlsInVisualOrderAndShowsTheFocus() {
    ImageImportDialog dialog(Frames(24, 12), "/img/logo.png");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QWidget* slider = QApplication::focusWidget();
    QCOMPARE(slider->objectName(), QStringLiteral("threshold"));
    const QImage focused = slider->grab().toImage();
    QStringList visited;
    for (int i = 0; i < 12; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* now = QApplication::focusWidget();
      visited.append(now->objectName().isEmpty() ? QString::number(now->x()) : now->objectName());
    }
    QCOMPARE(visited.mid(0, 9), (QStringList{"dithering", "invert", "rotation", "flip", "fit",
                                             "background", "layout", "uncompressed", "saveXbm"}));
    QVERIFY(visited[9].toInt() < visited[10].toInt());
    QCOMPARE(visited[11], QStringLiteral("threshold"));
    QVERIFY(slider->grab().toImage() != focused);
  }
};

std::unique_ptr<QObject> NewImageImportTest() {
  return std::make_unique<ImageImportTest>();
}

}  // namespace lumivane::test
#include "image_import_test.moc"
