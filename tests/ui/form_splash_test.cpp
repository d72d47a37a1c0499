#include "form_splash.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <functional>
#include <memory>

#include "form_main.h"
#include "scripted_platform.h"

namespace lumivane::test {

using ui::FormMain;
using ui::FormSplash;

using SplashAction = std::function<void(FormMain&, FormSplash&)>;

}  // namespace lumivane::test

Q_DECLARE_METATYPE(lumivane::test::SplashAction)

namespace lumivane::test {

class FormSplashTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<ScriptedPlatform> platform_;
  std::unique_ptr<FormMain> window_;

  FormSplash& OpenAbout() {
    window_->mnuAbout_Click();
    FormSplash* splash = window_->Splash();
    if (splash == nullptr) qFatal("no About box");
    return *splash;
  }
  static QLabel* Label(FormSplash& splash, const QString& name) {
    auto* label = splash.findChild<QLabel*>(name);
    if (label == nullptr) qFatal("missing label %s", qPrintable(name));
    return label;
  }
  static void ClickOn(FormSplash& splash, const QString& name) {
    QWidget* target =
        name == QLatin1String("formSplash") ? &splash : splash.findChild<QWidget*>(name);
    const QPoint point = name == QLatin1String("formSplash") ? QPoint(3, 3) : QPoint(2, 2);
    QTest::mouseClick(target, Qt::LeftButton, {}, point);
  }

 private slots:
  void init() {
    platform_ = std::make_unique<ScriptedPlatform>();
    platform_->CancelUnscriptedDialogs();
    window_ = std::make_unique<FormMain>(*platform_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }
  void cleanup() {
    window_.reset();
    QTest::qWait(1);
  }

  void labelsHaveTheirTextsFontsAndTips_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QSize>("fixedSize");  // invalid: the label fits its text
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QString>("toolTip");
    const QSize fits;
    QTest::newRow("product") << "lblProductName"
                             << "KTR  Lumivane" << QPoint(20, 42) << QSize(445, 51) << 24.0 << true
                             << false << int(Qt::AlignHCenter) << "";
    QTest::newRow("version") << "lblVersion"
                             << "Version 1.0.0.153" << QPoint(337, 116) << fits << 9.75 << true
                             << false << int(Qt::AlignHCenter) << "05-11-2005";
    QTest::newRow("platform") << "lblPlatform"
                              << "Windows 98...Win7" << QPoint(320, 136) << fits << 9.75 << false
                              << false << int(Qt::AlignRight) << "";
    QTest::newRow("release date") << "Label1"
                                  << "26-03-2012" << QPoint(406, 158) << QSize(57, 17) << 8.25
                                  << false << false << int(Qt::AlignLeft) << "1st release date";
    QTest::newRow("warning")
        << "lblWarning"
        << " Warning: Unquallified usage may damage Hard- and Software on your Computer !"
        << QPoint(48, 204) << QSize(425, 13) << 8.25 << false << false << int(Qt::AlignLeft) << "";
  }
  void labelsHaveTheirTextsFontsAndTips() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QPoint, position);
    QFETCH(QSize, fixedSize);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(int, alignment);
    QFETCH(QString, toolTip);
    QLabel* label = Label(OpenAbout(), name);
    QCOMPARE(label->text(), text);
    QCOMPARE(label->pos(), position);
    QCOMPARE(label->size(), fixedSize.isValid() ? fixedSize : label->sizeHint());
    QCOMPARE(label->font().family(), QStringLiteral("Arial"));
    QCOMPARE(label->font().pointSizeF(), points);
    QCOMPARE(label->font().bold(), bold);
    QCOMPARE(label->font().italic(), italic);
    QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(label->toolTip(), toolTip);
  }

  // The maker's texts sit on one line after the company word; every label
  // not sized to its text still shows it whole.
  void labelsShowTheirWholeText() {
    FormSplash& splash = OpenAbout();
    QVERIFY(Label(splash, "lblCompany")->text().startsWith("Company "));
    QVERIFY(Label(splash, "lblCompany")->text().endsWith("  "));
    QLabel* copyright = Label(splash, "lblCopyright");
    QLabel* author = Label(splash, "lblCompanyProduct");
    QVERIFY(copyright->text().contains(QRegularExpression("\\d{4}")));
    QVERIFY(copyright->geometry().right() < author->geometry().left());
    QCOMPARE(author->font().italic(), true);
    for (QLabel* label : splash.findChildren<QLabel*>()) {
      if (label->property("fitsText").toBool()) continue;
      QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
               qPrintable(label->objectName()));
    }
  }

  void boxHasItsFrameSizeAndCentredPlace() {
    FormSplash& splash = OpenAbout();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(splash.size(), QSize(501, 242));
    // Qt puts the application name in an empty title.
    QVERIFY(!splash.windowTitle().isEmpty());
    QVERIFY(splash.windowTitle().trimmed().isEmpty());
    QVERIFY(!splash.isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    auto* frame = splash.findChild<QFrame*>(QStringLiteral("Frame1"));
    QVERIFY(frame != nullptr);
    QCOMPARE(frame->geometry(), QRect(8, 0, 485, 235));
    QCOMPARE(splash.findChildren<QLabel*>().size(), 8);
    const QPoint offCentre = splash.frameGeometry().center() - splash.screen()->geometry().center();
    QVERIFY(offCentre.manhattanLength() <= 2);
  }

  // A second About shows the box already open; once closed, the next is
  // made afresh, its title standing once before the product.
  void oneBoxAtATime() {
    QPointer<FormSplash> first = &OpenAbout();
    QCOMPARE(&OpenAbout(), first.data());
    int shown = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (qobject_cast<FormSplash*>(widget) != nullptr && widget->isVisible()) ++shown;
    }
    QCOMPARE(shown, 1);
    first->close();
    QTRY_VERIFY(first.isNull());
    QCOMPARE(Label(OpenAbout(), "lblProductName")->text(), QStringLiteral("KTR  Lumivane"));
  }

  // Any key or click closes the box, and so does going back to the window or
  // quitting it; clicks on the release date leave it open.
  void eachClosingEventClosesTheBox_data() {
    QTest::addColumn<SplashAction>("action");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("windowStays");
    const auto key = [](Qt::Key pressed) {
      return SplashAction(
          [pressed](FormMain&, FormSplash& splash) { QTest::keyPress(&splash, pressed); });
    };
    const auto click = [](const QString& name) {
      return SplashAction([name](FormMain&, FormSplash& splash) { ClickOn(splash, name); });
    };
    QTest::newRow("letter key") << key(Qt::Key_A) << true << true;
    QTest::newRow("Shift alone") << key(Qt::Key_Shift) << true << true;
    QTest::newRow("Ctrl alone") << key(Qt::Key_Control) << true << true;
    QTest::newRow("Escape") << key(Qt::Key_Escape) << true << true;
    for (const char* name :
         {"lblProductName", "lblVersion", "lblPlatform", "lblCompany", "lblCompanyProduct",
          "lblCopyright", "lblWarning", "Frame1", "formSplash"}) {
      QTest::newRow(name) << click(QLatin1String(name)) << true << true;
    }
    QTest::newRow("focus to the main window")
        << SplashAction([](FormMain& window, FormSplash& splash) {
             QVERIFY(QTest::qWaitForWindowActive(&splash));
             window.activateWindow();
           })
        << true << true;
    QTest::newRow("quit") << SplashAction([](FormMain& window, FormSplash&) {
      window.mnuQuit_Click();
    }) << true << false;
    QTest::newRow("clicks on the release date") << SplashAction([](FormMain&, FormSplash& splash) {
      ClickOn(splash, QStringLiteral("Label1"));
      QTest::mouseDClick(Label(splash, "Label1"), Qt::LeftButton);
      QTest::qWait(20);
    }) << false << true;
  }
  void eachClosingEventClosesTheBox() {
    QFETCH(SplashAction, action);
    QFETCH(bool, closes);
    QFETCH(bool, windowStays);
    QPointer<FormSplash> splash = &OpenAbout();
    action(*window_, *splash);
    QCOMPARE(window_->isVisible(), windowStays);
    if (closes) QTRY_VERIFY(splash.isNull());
    QCOMPARE(window_->Splash(), closes ? nullptr : splash.data());
    if (!closes) QVERIFY(splash->isVisible());
  }
};

std::unique_ptr<QObject> NewFormSplashTest() {
  return std::make_unique<FormSplashTest>();
}

}  // namespace lumivane::test
#include "form_splash_test.moc"
