// File > Import Image in the window: the image's bitmap goes the way of a
// Load of NAME.xbm beside it, and the import dialog shows what the display
// will show.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "bitmap_view.h"
#include "convert_and_report.h"
#include "form_main.h"
#include "image_decoder.h"
#include "image_import_dialog.h"
#include "image_writers.h"
#include "import_image.h"
#include "memory_surface.h"
#include "scripted_platform.h"
#include "temp_folder.h"
#include "xbm_text.h"

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

// What a Load of the equivalent NAME.xbm writes into NAME.h.
std::string LoadedHeader(const std::string& name, const std::string& xbmText) {
  ConversionState state;
  MemorySurface window;
  state.SourceFileName = name + ".xbm";
  state.SourceText = xbmText;
  ConvertAndReport(state, window);
  return state.CompressedText + "\r\n";
}

class ImageImportTest : public QObject {
  Q_OBJECT

 private slots:
  void ctrlIOpensTheImageDialogInTheProgramFolder() {
    ScriptedPlatform platform;
    platform.CancelUnscriptedDialogs();
    FormMain window(platform);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(platform.Dialogs().size(), std::size_t{1});
    QVERIFY(platform.Dialogs()[0].kind == DialogKind::Open);
    QCOMPARE(platform.Dialogs()[0].settings.DialogTitle, std::string("Import an Image"));
    QCOMPARE(QString::fromStdString(platform.Dialogs()[0].settings.InitDir),
             QCoreApplication::applicationDirPath());
    QVERIFY(platform.Boxes().empty());
  }

  void importConvertsAsALoadOfTheBitmapAndSavesBesideTheImage() {
    TempFolder folder;
    const std::string png = WritePng(Banded(), PngKind::kGrey8);
    const std::string image = folder.Write("logo.v1.png", png);
    folder.Write("logo.xbm", "hand-edited");
    // The image, then the proposed .h and .xbm as they are.
    ScriptedPlatform platform;
    platform.AnswerWith(image);
    platform.AnswerWith(folder.PathOf("logo.h"));
    platform.AnswerWith(folder.PathOf("logo.xbm"));
    FormMain window(platform);
    ImportChoice choice;
    choice.settings.threshold = 200;
    choice.saveXbm = true;
    window.SetImportDialog([&](const std::vector<imaging::GrayFrame>& frames,
                               const std::string& path) -> std::optional<ImportChoice> {
      if (frames.size() != 1 || path != image) return std::nullopt;
      return choice;
    });

    window.mnuImport_Click();

    const auto bitmap = imaging::ImportImage(png, image, choice.settings).front();
    QCOMPARE(folder.Read("logo.h"), LoadedHeader("logo", bitmap.xbmText));
    QCOMPARE(folder.Read("logo.xbm"), imaging::XbmFileText(bitmap.xbmText));
    QVERIFY(window.Text3().rfind("logo  ", 0) == 0);
    QCOMPARE(platform.Dialogs().size(), std::size_t{3});
    QVERIFY(platform.Dialogs()[1].kind == DialogKind::Save);
    QCOMPARE(platform.Dialogs()[1].settings.FileName, folder.PathOf("logo.h"));
    QVERIFY(platform.Dialogs()[2].kind == DialogKind::Save);
    QCOMPARE(platform.Dialogs()[2].settings.FileName, folder.PathOf("logo.xbm"));
    QVERIFY(platform.Dialogs()[2].settings.Flags & dialog_flags::kOverwritePrompt);
    QCOMPARE(window.State().LastDirectory,
             folder.PathOf("").substr(0, folder.PathOf("").size() - 1));
    QVERIFY(platform.Boxes().empty());
  }

  // Banded at the default threshold: columns 0 to 7 set, in two pages of 24
  // columns (the second holding rows 8 to 11).
  void importWritesTheChosenLayoutOnlyForItsOwnHeaders() {
    TempFolder folder;
    const std::string image = folder.Write("logo.png", WritePng(Banded(), PngKind::kGrey8));
    ScriptedPlatform platform;
    platform.AnswerWith(image);
    platform.AnswerWith(folder.PathOf("logo.h"));
    FormMain window(platform);
    window.SetImportDialog([](const auto&, const auto&) -> std::optional<ImportChoice> {
      return ImportChoice{{}, false, {ByteLayout::kPages, true}};
    });
    window.mnuImport_Click();

    const auto items = [](const char* item, int count) {
      std::string text;
      for (int i = 0; i < count; ++i) text += item;
      return text;
    };
    QCOMPARE(folder.Read("logo.h"), "const unsigned char logo[] U8X8_PROGMEM = {\r\n" +
                                        items("0xFF, ", 8) + items("0x00, ", 8) + "\r\n" +
                                        items("0x00, ", 8) + items("0x0F, ", 8) + "\r\n" +
                                        items("0x00, ", 15) + "0x00\r\n};\r\n");
    QVERIFY((window.State().Choice == ConversionChoice{}));
  }

  void aDamagedImageShowsTheLoadErrorBoxAndWritesNothing() {
    TempFolder folder;
    const std::string image = folder.Write("bad.png", "\x89PNG\r\n\x1a\n cut");
    ScriptedPlatform platform;
    platform.AnswerWith(image);
    FormMain window(platform);
    bool dialogShown = false;
    window.SetImportDialog([&](const auto&, const auto&) -> std::optional<ImportChoice> {
      dialogShown = true;
      return ImportChoice{};
    });
    window.mnuImport_Click();
    QVERIFY(!dialogShown);
    QCOMPARE(platform.Boxes().size(), std::size_t{1});
    QCOMPARE(platform.Boxes()[0].title, std::string("Load Error"));
    QVERIFY(platform.Boxes()[0].prompt.find("Err # 1002") != std::string::npos);
    QCOMPARE(folder.Tree(), std::vector<std::string>{"bad.png"});
  }

  void dialogRedrawsThePreviewAsTheSettingsChange() {
    const std::vector<imaging::GrayFrame> frames =
        imaging::DecodeImage(WritePng(Banded(), PngKind::kGrey8), "/img/logo.png");
    ImageImportDialog dialog(frames, "/img/logo.png");
    const auto setBits = [&dialog] {
      const imaging::Bitmap& shown = dialog.Preview().Shown();
      int count = 0;
      for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) count += shown.Pixel(x, y) ? 1 : 0;
      }
      return count;
    };
    QCOMPARE(setBits(), 8 * 12);
    QCOMPARE(dialog.SizeText(), QStringLiteral("24 x 12 pixels, 36 bytes"));
    QVERIFY(dialog.Preview().Zoom() >= 2);

    dialog.findChild<QSlider*>(QStringLiteral("threshold"))->setValue(200);
    QCOMPARE(setBits(), 16 * 12);
    dialog.findChild<QCheckBox*>(QStringLiteral("invert"))->setChecked(true);
    QCOMPARE(setBits(), 8 * 12);
    dialog.findChild<QComboBox*>(QStringLiteral("rotation"))->setCurrentIndex(1);
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
  }

  void okIsRefusedWhileTheBitmapIsTooLarge() {
    GreyPicture wide{600, 500, std::vector<std::uint8_t>(600 * 500, 255), {}};
    const std::vector<imaging::GrayFrame> frames =
        imaging::DecodeImage(WritePng(wide, PngKind::kGrey8), "/img/wide.png");
    ImageImportDialog dialog(frames, "/img/wide.png");
    QVERIFY(dialog.SizeText().contains(QStringLiteral("Image too large")));
    QPushButton* accept = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text().contains(QStringLiteral("OK"))) accept = button;
    }
    QVERIFY(accept != nullptr);
    QVERIFY(!accept->isEnabled());
    dialog.findChild<QCheckBox*>(QStringLiteral("fit"))->setChecked(true);
    QVERIFY(accept->isEnabled());
  }
};

}  // namespace lumivane::test

QTEST_MAIN(lumivane::test::ImageImportTest)
#include "image_import_test.moc"
