#include "image_import_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app_error.h"
#include "bitmap_view.h"
#include "byte_layout.h"
#include "native_text.h"
#include "to_bitmap.h"

namespace lumivane::ui {
namespace {

constexpr int kViewSide = 320;
constexpr int kMaxFitSide = 4096;

// The image as it is, transparent parts on a mid grey, scaled into the view.
QPixmap OriginalPicture(const imaging::GrayFrame& frame) {
  QImage image(frame.width, frame.height, QImage::Format_Grayscale8);
  for (int y = 0; y < frame.height; ++y) {
    uchar* line = image.scanLine(y);
    for (int x = 0; x < frame.width; ++x) {
      const auto i = static_cast<std::size_t>(y) * frame.width + x;
      const unsigned alpha = frame.alpha.empty() ? 255 : frame.alpha[i];
      line[x] = static_cast<uchar>((frame.luminance[i] * alpha + 128 * (255 - alpha)) / 255);
    }
  }
  const Qt::TransformationMode mode =
      frame.width < kViewSide / 2 ? Qt::FastTransformation : Qt::SmoothTransformation;
  return QPixmap::fromImage(image.scaled(kViewSide, kViewSide, Qt::KeepAspectRatio, mode));
}

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
  Redraw();
  // The threshold is what a user tries first: the arrow keys move it at once.
  threshold_->setFocus();
}

void ImageImportDialog::CreateControls() {
  original_ = new QLabel(this);
  original_->setObjectName(QStringLiteral("original"));
  original_->setAlignment(Qt::AlignCenter);
  original_->setMinimumSize(kViewSide, kViewSide);
  original_->setPixmap(OriginalPicture(frames_.front()));

  preview_ = new BitmapView;
  preview_->setObjectName(QStringLiteral("preview"));
  auto* previewArea = new QScrollArea(this);
  previewArea->setMinimumSize(2 * kViewSide, kViewSide);
  previewArea->setAlignment(Qt::AlignCenter);
  previewArea->setWidget(preview_);

  threshold_ = new QSlider(Qt::Horizontal, this);
  threshold_->setObjectName(QStringLiteral("threshold"));
  threshold_->setRange(0, imaging::kMaxThreshold);
  threshold_->setValue(imaging::ImportSettings{}.threshold);
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
  fit_width_->setValue(128);
  fit_height_->setValue(64);
  background_ = Choices(this, "background",
                        {QStringLiteral("Dark (unset bits)"), QStringLiteral("Lit (set bits)")});
  size_ = new QLabel(this);
  size_->setObjectName(QStringLiteral("size"));
  // In the order of kByteLayoutNames.
  layout_ = Choices(this, "layout",
                    {QStringLiteral("XBM rows (drawXBM, drawXBitmap)"),
                     QStringLiteral("Rows, leftmost pixel in bit 7 (drawBitmap)"),
                     QStringLiteral("Pages (SSD1306 memory, u8x8 drawTile)")});
  uncompressed_ = new QCheckBox(QStringLiteral("Uncompressed (no run code)"), this);
  uncompressed_->setObjectName(QStringLiteral("uncompressed"));
  save_xbm_ = new QCheckBox(QStringLiteral("Also save the bitmap as .xbm"), this);
  save_xbm_->setObjectName(QStringLiteral("saveXbm"));

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

  auto* pictures = new QHBoxLayout;
  pictures->addWidget(original_);
  pictures->addWidget(previewArea, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(pictures, 1);
  layout->addLayout(settings);
  layout->addWidget(buttons);

  preview_->FitZoomInto(QSize(2 * kViewSide - 8, kViewSide - 8));
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

imaging::ImportSettings ImageImportDialog::Settings() const {
  imaging::ImportSettings settings;
  settings.threshold = threshold_->value();
  settings.dithering = static_cast<imaging::Dithering>(dithering_->currentIndex());
  settings.invert = invert_->isChecked();
  settings.rotation = rotation_->currentIndex() * 90;
  settings.flip = static_cast<imaging::Flip>(flip_->currentIndex());
  if (fit_->isChecked()) settings.fit = imaging::FitBox{fit_width_->value(), fit_height_->value()};
  settings.backgroundSet = background_->currentIndex() == 1;
  return settings;
}

ImportChoice ImageImportDialog::Choice() const {
  const ByteLayout layout =
      kByteLayoutNames[static_cast<std::size_t>(layout_->currentIndex())].layout;
  return {Settings(), save_xbm_->isChecked(), {layout, uncompressed_->isChecked()}};
}

QString ImageImportDialog::SizeText() const {
  return size_->text();
}

void ImageImportDialog::Redraw() {
  threshold_value_->setText(QString::number(threshold_->value()));
  fit_width_->setEnabled(fit_->isChecked());
  fit_height_->setEnabled(fit_->isChecked());
  try {
    imaging::Bitmap bitmap = imaging::ToBitmap(frames_.front(), Settings(), path_);
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
    size_->setText(FromNative(error.Description()));
    ok_->setEnabled(false);
  }
}

}  // namespace lumivane::ui
