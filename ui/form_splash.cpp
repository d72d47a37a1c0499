#include "form_splash.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QShowEvent>
#include <array>

#include "about_texts.h"
#include "lumivane_version.h"
#include "twips.h"

namespace lumivane::ui {
namespace {

enum class Sizing { kFixed, kFitsText };

struct LabelDesign {
  const char* name;
  QString text;
  QRect geometry;  // in the frame, in pixels
  qreal points;
  QFont::Weight weight;
  bool italic;
  Qt::Alignment alignment;
  Sizing sizing;
  const char* toolTip;
};

constexpr auto kBold = QFont::Bold;
constexpr auto kNormal = QFont::Normal;

std::array<LabelDesign, 8> LabelDesigns() {
  return {{
      {"lblProductName", QStringLiteral("Lumivane"), TwipsRect(300, 630, 6675, 765), 24, kBold,
       false, Qt::AlignHCenter, Sizing::kFixed, nullptr},
      {"lblVersion", QStringLiteral("Version 1.0"), TwipsRect(5055, 1740, 1065, 240), 9.75, kBold,
       false, Qt::AlignHCenter, Sizing::kFitsText, "05-11-2005"},
      {"lblPlatform", QStringLiteral("Windows 98...Win7"), TwipsRect(4800, 2040, 1695, 240), 9.75,
       kNormal, false, Qt::AlignRight, Sizing::kFitsText, nullptr},
      {"lblCompany", QString::fromUtf8(kCompanyText), TwipsRect(4530, 2370, 1575, 255), 8.25,
       kNormal, false, Qt::AlignLeft, Sizing::kFixed, nullptr},
      {"Label1", QStringLiteral("26-03-2012"), TwipsRect(6090, 2370, 855, 255), 8.25, kNormal,
       false, Qt::AlignLeft, Sizing::kFixed, "1st release date"},
      {"lblCompanyProduct", QString::fromUtf8(kAuthorText), TwipsRect(5400, 2685, 1455, 285), 12,
       kNormal, true, Qt::AlignHCenter, Sizing::kFitsText, nullptr},
      {"lblCopyright", QString::fromUtf8(kCopyrightText), TwipsRect(4740, 2730, 555, 255), 8.25,
       kNormal, false, Qt::AlignLeft, Sizing::kFixed, nullptr},
      {"lblWarning",
       QStringLiteral(
           " Warning: Unquallified usage may damage Hard- and Software on your Computer !"),
       TwipsRect(720, 3060, 6375, 195), 8.25, kNormal, false, Qt::AlignLeft, Sizing::kFixed,
       nullptr},
  }};
}

// Sets the caption; a label that fits its text takes the size of the new one.
void SetCaption(QLabel& label, const QString& text) {
  label.setText(text);
  if (label.property("fitsText").toBool()) label.resize(label.sizeHint());
}

}  // namespace

FormSplash::FormSplash(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), frame1_(new QFrame(this)) {
  setObjectName(QStringLiteral("formSplash"));
  setAttribute(Qt::WA_DeleteOnClose);
  // No caption. An empty title would not do: Qt then shows the application
  // name in the title bar; a space shows nothing.
  setWindowTitle(QStringLiteral(" "));
  setFixedSize(TwipsToPixels(7515), TwipsToPixels(3630));
  // No control takes the focus, so every key reaches the box itself.
  setFocusPolicy(Qt::StrongFocus);

  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->setFrameStyle(QFrame::Box | QFrame::Sunken);
  frame1_->setGeometry(TwipsRect(120, 0, 7275, 3525));
  CreateLabels();
  Form_Load();
}

void FormSplash::CreateLabels() {
  for (const LabelDesign& design : LabelDesigns()) {
    auto* label = new QLabel(frame1_);
    label->setObjectName(QLatin1String(design.name));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(design.points);
    font.setWeight(design.weight);
    font.setItalic(design.italic);
    label->setFont(font);
    label->setAlignment(design.alignment | Qt::AlignTop);
    label->setGeometry(design.geometry);
    label->setProperty("fitsText", design.sizing == Sizing::kFitsText);
    if (design.toolTip != nullptr) label->setToolTip(QLatin1String(design.toolTip));
    SetCaption(*label, design.text);
  }
  lbl_product_name_ = frame1_->findChild<QLabel*>(QStringLiteral("lblProductName"));
  lbl_version_ = frame1_->findChild<QLabel*>(QStringLiteral("lblVersion"));
  label1_ = frame1_->findChild<QLabel*>(QStringLiteral("Label1"));
  // The release date is the one place a click does not close the box.
  label1_->installEventFilter(this);
}

void FormSplash::Form_Load() {
  SetCaption(*lbl_version_, VersionText(version::kFull));
  SetCaption(*lbl_product_name_,
             ProductText(QLatin1String(version::kTitle), lbl_product_name_->text()));
}

void FormSplash::CenterOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect placed(QPoint(), frameGeometry().size());
  placed.moveCenter(screen->geometry().center());
  move(placed.topLeft());
}

void FormSplash::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) CenterOnScreen();
  QWidget::showEvent(event);
}

void FormSplash::closeEvent(QCloseEvent* event) {
  loaded_ = false;
  event->accept();
}

void FormSplash::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) {
    if (isActiveWindow()) {
      was_active_ = true;
    } else if (was_active_) {
      close();
    }
  }
  QWidget::changeEvent(event);
}

void FormSplash::keyPressEvent(QKeyEvent* event) {
  // Any key, a modifier pressed alone included.
  event->accept();
  close();
}

void FormSplash::mousePressEvent(QMouseEvent* event) {
  // Presses on the frame and on the labels end up here as well: none of them
  // takes a press for itself.
  event->accept();
  close();
}

bool FormSplash::eventFilter(QObject* watched, QEvent* event) {
  if (watched == label1_ &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace lumivane::ui
