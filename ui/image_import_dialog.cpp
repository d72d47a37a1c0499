#include "image_import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "app_error.h"
#include "bitmap_view.h"
#include "byte_layout.h"
#include "import.h"
#include "import_choice_store.h"
#include "native_text.h"
#include "path_rules.h"
#include "screen_fit.h"

namespace lumivane::ui {
namespace {

constexpr int kViewSide = 320;
constexpr int kSmallestView = 64;
constexpr int kMaxFitSide = 4096;

// The image as it is, transparent parts on a mid grey.
QImage OriginalImage(const imaging::GrayFrame& frame) {
  const imaging::Plane plane = imaging::Composite(frame, 128);
  QImage image(plane.width, plane.height, QImage::Format_Grayscale8);
  for (int y = 0; y < plane.height; ++y) {
    std::copy_n(&plane.values[static_cast<std::size_t>(y) * plane.width], plane.width,
                image.scanLine(y));
  }
  return image;
}

// The original picture, scaled into whatever room the dialog leaves it.
class ScaledPicture : public QWidget {
 public:
  ScaledPicture(QImage image, QWidget* parent) : QWidget(parent), image_(std::move(image)) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }
  // As wide as the result below it would like to be, where there is room.
  QSize sizeHint() const override { return {2 * kViewSide, kViewSide}; }
  QSize minimumSizeHint() const override { return {kSmallestView, kSmallestView}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (image_.isNull()) return;
    const QSize shown = image_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2),
                       shown);
    QPainter painter(this);
    // Small pixel art keeps its hard edges; photographs are smoothed.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, image_.width() >= shown.width() / 2);
    painter.drawImage(target, image_);
  }

 private:
  QImage image_;
};

// A slider that shows when it has the keyboard focus, which some styles do
// not draw at all.
class FocusShowingSlider : public QSlider {
 public:
  using QSlider::QSlider;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QSlider::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

QComboBox* Choices(QWidget* parent, const char* name, const QStringList& items) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QLatin1String(name));
  box->addItems(items);
  return box;
}

}  // namespace

ImageImportDialog::ImageImportDialog(const std::vector<imaging::GrayFrame>& frames,
                                     std::string path, QWidget* parent)
    : QDialog(parent), frames_(frames), path_(std::move(path)) {
  setObjectName(QStringLiteral("importDialog"));
  setWindowTitle(QStringLiteral("Import Image - ") + FromNative(path_));
  CreateControls();
  ArrangeControls();
  TakeChoice(StoredImportChoice());
  Redraw();
  // The threshold is what a user tries first: the arrow keys move it at once.
  threshold_->setFocus();
}

void ImageImportDialog::CreateControls() {
  original_ = new ScaledPicture(OriginalImage(frames_.front()), this);
  original_->setObjectName(QStringLiteral("original"));

  preview_ = new BitmapView;
  preview_->setObjectName(QStringLiteral("preview"));
  preview_area_ = new QScrollArea(this);
  preview_area_->setObjectName(QStringLiteral("previewArea"));
  preview_area_->setMinimumSize(kSmallestView, kSmallestView);
  preview_area_->setAlignment(Qt::AlignCenter);
  // Only looked at: the Tab key goes from control to control past it.
  preview_area_->setFocusPolicy(Qt::NoFocus);
  preview_area_->setWidget(preview_);
  preview_area_->viewport()->installEventFilter(this);

  threshold_ = new FocusShowingSlider(Qt::Horizontal, this);
  threshold_->setObjectName(QStringLiteral("threshold"));
  threshold_->setRange(0, imaging::kMaxThreshold);
  threshold_value_ = new QLabel(this);
  threshold_value_->setMinimumWidth(30);
  dithering_ = Choices(this, "dithering",
                       {QStringLiteral("None"), QStringLiteral("Floyd-Steinberg"),
                        QStringLiteral("Atkinson"), QStringLiteral("Ordered (Bayer 4x4)")});
  invert_ = new QCheckBox(QStringLiteral("Light pixels lit (invert)"), this);
  invert_->setObjectName(QStringLiteral("invert"));
  rotation_ = Choices(
      this, "rotation",
      {QStringLiteral("0"), QStringLiteral("90"), QStringLiteral("180"), QStringLiteral("270")});
  flip_ =
      Choices(this, "flip",
              {QStringLiteral("None"), QStringLiteral("Horizontal"), QStringLiteral("Vertical")});
  fit_ = new QCheckBox(QStringLiteral("Fit into"), this);
  fit_->setObjectName(QStringLiteral("fit"));
  fit_width_ = new QSpinBox(this);
  fit_width_->setObjectName(QStringLiteral("fitWidth"));
  fit_height_ = new QSpinBox(this);
  fit_height_->setObjectName(QStringLiteral("fitHeight"));
  for (QSpinBox* side : {fit_width_, fit_height_}) side->setRange(1, kMaxFitSide);
  background_ = Choices(this, "background",
                        {QStringLiteral("Dark (unset bits)"), QStringLiteral("Lit (set bits)")});
  size_ = new QLabel(this);
  size_->setObjectName(QStringLiteral("size"));
  size_->setWordWrap(true);
  size_->setTextFormat(Qt::PlainText);
  // The line wraps within the width the other settings need, however long
  // the text (a long path above all): it never widens the dialog.
  QSizePolicy wrapping(QSizePolicy::Ignored, QSizePolicy::Preferred);
  wrapping.setHeightForWidth(true);
  size_->setSizePolicy(wrapping);
  // In the order of kByteLayoutNames.
  layout_ = Choices(this, "layout",
                    {QStringLiteral("XBM rows (drawXBM, drawXBitmap)"),
                     QStringLiteral("Rows, leftmost pixel in bit 7 (drawBitmap)"),
                     QStringLiteral("Pages (SSD1306 memory, u8x8 drawTile)")});
  uncompressed_ = new QCheckBox(QStringLiteral("Uncompressed (no run code)"), this);
  uncompressed_->setObjectName(QStringLiteral("uncompressed"));
  save_xbm_ = new QCheckBox(QStringLiteral("Also save the bitmap as .xbm"), this);
  save_xbm_->setObjectName(QStringLiteral("saveXbm"));
}

void ImageImportDialog::ArrangeControls() {
  auto* thresholdRow = new QHBoxLayout;
  thresholdRow->addWidget(threshold_);
  thresholdRow->addWidget(threshold_value_);
  auto* fitRow = new QHBoxLayout;
  fitRow->addWidget(fit_);
  fitRow->addWidget(fit_width_);
  fitRow->addWidget(new QLabel(QStringLiteral("x"), this));
  fitRow->addWidget(fit_height_);
  fitRow->addStretch();
  auto* settings = new QFormLayout;
  settings->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  settings->addRow(QStringLiteral("Threshold"), thresholdRow);
  settings->addRow(QStringLiteral("Dithering"), dithering_);
  settings->addRow(QString(), invert_);
  settings->addRow(QStringLiteral("Rotate (clockwise)"), rotation_);
  settings->addRow(QStringLiteral("Flip"), flip_);
  settings->addRow(QStringLiteral("Size"), fitRow);
  settings->addRow(QStringLiteral("Transparent pixels"), background_);
  settings->addRow(QStringLiteral("Byte layout"), layout_);
  settings->addRow(QString(), uncompressed_);
  settings->addRow(QStringLiteral("Result"), size_);
  settings->addRow(QString(), save_xbm_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* pictures = new QVBoxLayout;
  // The result is what the user judges: it gets the larger share.
  pictures->addWidget(original_, 1);
  pictures->addWidget(preview_area_, 2);
  auto* controls = new QVBoxLayout;
  controls->addLayout(settings);
  controls->addStretch();
  controls->addWidget(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(pictures, 1);
  layout->addLayout(controls);

  // Tab goes through the buttons as they stand on the screen, whatever order
  // the platform puts them in.
  QList<QAbstractButton*> inRow = buttons->buttons();
  buttons->layout()->activate();
  std::sort(inRow.begin(), inRow.end(),
            [](const QAbstractButton* a, const QAbstractButton* b) { return a->x() < b->x(); });
  QWidget* before = save_xbm_;
  for (QAbstractButton* button : inRow) {
    setTabOrder(before, button);
    before = button;
  }

  connect(threshold_, &QSlider::valueChanged, this, &ImageImportDialog::Redraw);
  for (QComboBox* box : {dithering_, rotation_, flip_, background_, layout_}) {
    connect(box, &QComboBox::currentIndexChanged, this, &ImageImportDialog::Redraw);
  }
  for (QCheckBox* box : {invert_, fit_, uncompressed_})
    connect(box, &QCheckBox::toggled, this, &ImageImportDialog::Redraw);
  for (QSpinBox* side : {fit_width_, fit_height_}) {
    connect(side, &QSpinBox::valueChanged, this, &ImageImportDialog::Redraw);
  }
}

void ImageImportDialog::TakeChoice(const ImportChoice& choice) {
  const imaging::ImportSettings& settings = choice.settings;
  threshold_->setValue(settings.threshold);
  dithering_->setCurrentIndex(static_cast<int>(settings.dithering));
  invert_->setChecked(settings.invert);
  rotation_->setCurrentIndex(settings.rotation / 90);
  flip_->setCurrentIndex(static_cast<int>(settings.flip));
  fit_->setChecked(settings.fit.has_value());
  fit_width_->setValue(settings.fit ? settings.fit->width : 128);
  fit_height_->setValue(settings.fit ? settings.fit->height : 64);
  background_->setCurrentIndex(settings.backgroundSet ? 1 : 0);
  save_xbm_->setChecked(choice.saveXbm);
  for (std::size_t i = 0; i < kByteLayoutNames.size(); ++i) {
    if (kByteLayoutNames[i].layout == choice.conversion.layout) {
      layout_->setCurrentIndex(static_cast<int>(i));
    }
  }
  uncompressed_->setChecked(choice.conversion.uncompressed);
}

imaging::ImportSettings ImageImportDialog::Settings() const {
  imaging::ImportSettings settings;
  settings.threshold = threshold_->value();
  settings.dithering = static_cast<imaging::Dithering>(dithering_->currentIndex());
  settings.invert = invert_->isChecked();
  settings.rotation = rotation_->currentIndex() * 90;
  settings.flip = static_cast<imaging::Flip>(flip_->currentIndex());
  if (fit_->isChecked()) settings.fit = imaging::Size{fit_width_->value(), fit_height_->value()};
  settings.backgroundSet = background_->currentIndex() == 1;
  settings.conversion = {kByteLayoutNames[static_cast<std::size_t>(layout_->currentIndex())].layout,
                         uncompressed_->isChecked()};
  return settings;
}

ImportChoice ImageImportDialog::Choice() const {
  const imaging::ImportSettings settings = Settings();
  return {settings, save_xbm_->isChecked() && !save_xbm_->isHidden(), settings.conversion};
}

void ImageImportDialog::accept() {
  // A hidden check box keeps its setting for the next import that shows it.
  ImportChoice kept = Choice();
  kept.saveXbm = save_xbm_->isChecked();
  StoreImportChoice(kept);
  QDialog::accept();
}

void ImageImportDialog::HideXbmChoice() {
  save_xbm_->hide();
}

QString ImageImportDialog::SizeText() const {
  return size_->text();
}

void ImageImportDialog::Redraw() {
  threshold_value_->setText(QString::number(threshold_->value()));
  fit_width_->setEnabled(fit_->isChecked());
  fit_height_->setEnabled(fit_->isChecked());
  try {
    imaging::Bitmap bitmap = imaging::ToBitmap(frames_.front(), Settings());
    const ConversionChoice conversion = Choice().conversion;
    QString text = QStringLiteral("%1 x %2 pixels, %3 bytes")
                       .arg(bitmap.width)
                       .arg(bitmap.height)
                       .arg(ArrangedSize(conversion.layout, bitmap.width, bitmap.height));
    if (frames_.size() > 1) text += QStringLiteral(" a frame, %1 frames").arg(frames_.size());
    if (conversion.layout != ByteLayout::kXbm) {
      text += QStringLiteral(", %1 layout").arg(QLatin1String(NameOf(conversion.layout)));
    }
    if (conversion.uncompressed) text += QStringLiteral(", uncompressed");
    size_->setText(text);
    preview_->SetBitmap(std::move(bitmap));
    ok_->setEnabled(true);
  } catch (const AppError& error) {
    // The title bar names the whole path; the result line names the file only.
    QString text = FromNative(error.Description() + ": " + LeafName(path_));
    if (error.Number() == error::kImageTooLarge && !fit_->isChecked()) {
      text += QStringLiteral("\nTick \"Fit into\" to shrink it to a display's size.");
    }
    size_->setText(text);
    ok_->setEnabled(false);
  }
}

void ImageImportDialog::showEvent(QShowEvent* event) {
  if (!fitted_) {
    fitted_ = true;
    resize(SizeOnScreen(*this, sizeHint()));
    // The window manager's frame is known once the dialog is exposed.
    if (windowHandle() != nullptr) windowHandle()->installEventFilter(this);
  }
  QDialog::showEvent(event);
}

bool ImageImportDialog::eventFilter(QObject* watched, QEvent* event) {
  // The preview's zoom follows the room the dialog gives it.
  if (watched == preview_area_->viewport() && event->type() == QEvent::Resize) {
    preview_->FitZoomInto(preview_area_->viewport()->size());
  } else if (watched == windowHandle() && event->type() == QEvent::Expose &&
             windowHandle()->isExposed()) {
    windowHandle()->removeEventFilter(this);
    KeepOnScreen(*this);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace lumivane::ui
