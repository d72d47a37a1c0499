#include "qt_platform.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "app_error.h"
#include "file_dialog_setup.h"
#include "message_box_setup.h"

namespace lumivane::test {

using ui::ConfigureFileDialog;
using ui::ConfigureMessageBox;
using ui::NameFiltersFromFilter;
using ui::QtPlatform;

namespace {

// Answers the modal dialogs that open one after the other, in order.
class ModalScript : public QObject {
 public:
  explicit ModalScript(std::vector<std::function<void(QWidget&)>> steps)
      : steps_(std::move(steps)) {
    connect(&timer_, &QTimer::timeout, this, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || modal == last_ || next_ >= steps_.size()) return;
      last_ = modal;
      steps_[next_++](*modal);
    });
    timer_.start(5);
  }
  std::size_t Answered() const { return next_; }

 private:
  std::vector<std::function<void(QWidget&)>> steps_;
  std::size_t next_ = 0;
  QWidget* last_ = nullptr;
  QTimer timer_;
};

FileDialogSettings SaveSettings(const QString& folder) {
  return {"Save as bitmap.h File", "Compressed Hex Files(*.h)|*.h|All Files(*.*)|*.*",
          folder.toStdString(), (folder + "/logo.h").toStdString(),
          dialog_flags::kOverwritePrompt | dialog_flags::kPathMustExist};
}

}  // namespace

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void filtersBecomeQtNameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("load") << "Hex Files(*.xbm)|*.xbm|All Files(*.*)|*.*"
                          << QStringList{"Hex Files(*.xbm) (*.xbm)", "All Files(*.*) (*)"};
    QTest::newRow("several patterns")
        << "Pictures|*.bmp;*.gif" << QStringList{"Pictures (*.bmp *.gif)"};
    QTest::newRow("label without pattern") << "Headers|*.h|Other" << QStringList{"Headers (*.h)"};
    QTest::newRow("empty") << "" << QStringList{};
  }
  void filtersBecomeQtNameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(NameFiltersFromFilter(filter.toStdString()), expected);
  }

  void saveDialogTakesEverySetting() {
    QTemporaryDir folder;
    QFileDialog dialog;
    ConfigureFileDialog(dialog, SaveSettings(folder.path()), QFileDialog::AcceptSave);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Save as bitmap.h File"));
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog.nameFilters(), NameFiltersFromFilter(SaveSettings(folder.path()).Filter));
    QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("Compressed Hex Files(*.h)"));
    QCOMPARE(dialog.directory().absolutePath(), folder.path());
    QCOMPARE(dialog.selectedFiles().value(0), folder.filePath("logo.h"));
    QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(dialog.size(), QSize(900, 560));
    QCOMPARE(dialog.viewMode(), QFileDialog::Detail);
  }

  void openDialogStartsInItsFolderWithoutOverwritePrompt() {
    QTemporaryDir folder;
    QFileDialog dialog;
    ConfigureFileDialog(dialog,
                        {"Load a Bitmap.xbm File", "Hex Files(*.xbm)|*.xbm|All Files(*.*)|*.*",
                         folder.path().toStdString(), "", dialog_flags::kHideReadOnly},
                        QFileDialog::AcceptOpen);
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog.fileMode(), QFileDialog::AnyFile);
    QCOMPARE(dialog.directory().absolutePath(), folder.path());
    QCOMPARE(dialog.selectedNameFilter(), QStringLiteral("Hex Files(*.xbm)"));
    QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    QCOMPARE(dialog.size(), QSize(900, 560));
  }

  void cancelIsItsOwnError() {
    QTemporaryDir folder;
    QtPlatform platform;
    ModalScript script({[](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); }});
    try {
      platform.ShowSave(SaveSettings(folder.path()));
      QFAIL("no cancel");
    } catch (const AppError& error) {
      QCOMPARE(error.Number(), error::kDialogCancelled);
    }
  }

  void acceptedNameIsReturnedAsANativePath() {
    QTemporaryDir folder;
    QtPlatform platform;
    ModalScript script({[](QWidget& dialog) { static_cast<QDialog&>(dialog).accept(); }});
    QCOMPARE(QString::fromStdString(platform.ShowSave(SaveSettings(folder.path()))),
             QDir::toNativeSeparators(folder.filePath("logo.h")));
  }

  void aMissingFolderSendsTheUserBack() {
    QTemporaryDir folder;
    QtPlatform platform;
    QString warning;
    ModalScript script({
        [&folder](QWidget& dialog) {
          auto& files = static_cast<QFileDialog&>(dialog);
          files.selectFile(folder.filePath("missing/logo.h"));
          static_cast<QDialog&>(files).accept();
        },
        [&warning](QWidget& box) {
          warning = static_cast<QMessageBox&>(box).text();
          static_cast<QDialog&>(box).accept();
        },
        [](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); },
    });
    QVERIFY_THROWS_EXCEPTION(AppError, platform.ShowSave(SaveSettings(folder.path())));
    QCOMPARE(script.Answered(), std::size_t{3});
    QVERIFY(warning.contains(QStringLiteral("does not exist")));
  }

  void messageBoxesShowTextTitleAndIcon_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("icon");
    QTest::newRow("stop") << 16 << int(QMessageBox::Critical);
    QTest::newRow("plain") << 0 << int(QMessageBox::NoIcon);
    QTest::newRow("question") << 32 << int(QMessageBox::Question);
    QTest::newRow("warning") << 48 << int(QMessageBox::Warning);
    QTest::newRow("information") << 64 << int(QMessageBox::Information);
  }
  void messageBoxesShowTextTitleAndIcon() {
    QFETCH(int, style);
    QFETCH(int, icon);
    QMessageBox box;
    ConfigureMessageBox(box, "The following error has occurred:\r\nErr # 13 - <denied>", style,
                        "Save Error");
    QCOMPARE(box.text(), QStringLiteral("The following error has occurred:\nErr # 13 - <denied>"));
    QCOMPARE(box.textFormat(), Qt::PlainText);
    QCOMPARE(box.windowTitle(), QStringLiteral("Save Error"));
    QCOMPARE(int(box.icon()), icon);
    QCOMPARE(box.standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
  }

  void messageBoxReturnsWhenClosed() {
    QtPlatform platform;
    ModalScript script({[](QWidget& box) { static_cast<QDialog&>(box).accept(); }});
    platform.MsgBox("NOTHING TO COMPRESS", box_style::kOkOnly, "mnuLoad");
    QCOMPARE(script.Answered(), std::size_t{1});
  }
};

std::unique_ptr<QObject> NewQtPlatformTest() {
  return std::make_unique<QtPlatformTest>();
}

}  // namespace lumivane::test
#include "qt_platform_test.moc"
