#include "drop_reading.h"

#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <string>
#include <vector>

namespace lumivane::test {

using ui::DropDataFromMime;

class DropReadingTest : public QObject {
  Q_OBJECT

 private slots:
  void localFilesArriveInDropOrder_data() {
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hasFileList");
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("files in drop order")
        << QList<QUrl>{QUrl::fromLocalFile("/img/b.xbm"), QUrl::fromLocalFile("/img/a.xbm")} << ""
        << true << QStringList{"/img/b.xbm", "/img/a.xbm"};
    QTest::newRow("a folder") << QList<QUrl>{QUrl::fromLocalFile("/img")} << "" << true
                              << QStringList{"/img"};
    QTest::newRow("non-ASCII name")
        << QList<QUrl>{QUrl::fromLocalFile(QString::fromUtf8("/img/gr\u00fc\u00dfe.xbm"))} << ""
        << true << QStringList{QString::fromUtf8("/img/gr\u00fc\u00dfe.xbm")};
    QTest::newRow("web links are no files")
        << QList<QUrl>{QUrl("https://example.org/a.xbm"), QUrl::fromLocalFile("/img/a.xbm")} << ""
        << true << QStringList{"/img/a.xbm"};
    QTest::newRow("only a web link")
        << QList<QUrl>{QUrl("https://example.org/a.xbm")} << "" << false << QStringList{};
    QTest::newRow("dragged text") << QList<QUrl>{} << "0x00, 0x01" << false << QStringList{};
  }
  void localFilesArriveInDropOrder() {
    QFETCH(QList<QUrl>, urls);
    QFETCH(QString, text);
    QFETCH(bool, hasFileList);
    QFETCH(QStringList, paths);
    QMimeData mime;
    if (!urls.isEmpty()) mime.setUrls(urls);
    if (!text.isEmpty()) mime.setText(text);

    const DropData data = DropDataFromMime(mime);
    QCOMPARE(data.GetFormat(DropData::kFileListFormat), hasFileList);
    if (!hasFileList) return;
    QCOMPARE(data.FileCount(), paths.size());
    for (int i = 0; i < paths.size(); ++i) {
      QCOMPARE(QString::fromUtf8(data.File(i + 1).c_str()), paths[i]);
    }
  }
};

}  // namespace lumivane::test

QTEST_MAIN(lumivane::test::DropReadingTest)
#include "drop_reading_test.moc"
