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

  // Text | place | size ("fits": the size of its text) | font | alignment | tip.
  static QString Described(const QLabel& label) {
    const QFont font = label.font();
    const bool fits = label.property("fitsText").toBool() && label.size() == label.sizeHint();
    const int alignment = int(label.alignment() & Qt::AlignHorizontal_Mask);
    return QStringList{label.text(),
                       QString("%1,%2").arg(label.x()).arg(label.y()),
                       fits ? "fits" : QString("%1x%2").arg(label.width()).arg(label.height()),
                       font.family() + ' ' + QString::number(font.pointSizeF()) +
                           (font.bold() ? " bold" : "") + (font.italic() ? " italic" : ""),
                       alignment == Qt::AlignLeft      ? "left"
                       : alignment == Qt::AlignRight   ? "right"
                       : alignment == Qt::AlignHCenter ? "centre"
                                                       : QString::number(alignment),
                       label.toolTip()}
        .join(" | ");
  }

  void labelsHaveTheirTextsFontsAndTips_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("described");
    QTest::newRow("product") << "lblProductName"
                             << "KTR  Lumivane | 20,42 | 445x51 | Arial 24 bold | centre | ";
    QTest::newRow("version")
        << "lblVersion"
        << "Version 1.0.0.153 | 337,116 | fits | Arial 9.75 bold | centre | 05-11-2005";
    QTest::newRow("platform") << "lblPlatform"
                              << "Windows 98...Win7 | 320,136 | fits | Arial 9.75 | right | ";
    QTest::newRow("release date")
        << "Label1"
        << "26-03-2012 | 406,158 | 57x17 | Arial 8.25 | left | 1st release date";
    QTest::newRow("warning") << "lblWarning"
                             << " Warning: Unquallified usage may damage Hard- and Software on "
                                "your Computer ! | 48,204 | 425x13 | Arial 8.25 | left | ";
  }
  void labelsHaveTheirTextsFontsAndTips() {
    QFETCH(QString, name);
    QFETCH(QString, described);
    QCOMPARE(Described(*Label(OpenAbout(), name)), described);
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
