#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "image_import.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollArea;
class QSlider;
class QSpinBox;

namespace lumivane::ui {

class BitmapView;

// The import dialog: the image beside its one-bit result, drawn as the
// display will show it, and the settings that make the result; every change
// redraws it at once. OK is possible only while the result fits the
// conversion; otherwise the result line says why not.
//
// The settings stand in one column beside the pictures, so on a small or
// scaled screen the pictures shrink and the controls stay whole; the dialog
// opens no larger than the screen's free area. It starts with the settings
// of the last import.
class ImageImportDialog : public QDialog {
  Q_OBJECT

 public:
  ImageImportDialog(const std::vector<imaging::GrayFrame>& frames, std::string path,
                    QWidget* parent = nullptr);

  ImportChoice Choice() const;
  const BitmapView& Preview() const { return *preview_; }
  QString SizeText() const;
  // For imports that write no .xbm.
  void HideXbmChoice();

  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void ArrangeControls();
  void TakeChoice(const ImportChoice& choice);
  void Redraw();
  imaging::ImportSettings Settings() const;

  const std::vector<imaging::GrayFrame>& frames_;
  std::string path_;
  QWidget* original_;
  BitmapView* preview_;
  QScrollArea* preview_area_;
  QSlider* threshold_;
  QLabel* threshold_value_;
  QComboBox* dithering_;
  QCheckBox* invert_;
  QComboBox* rotation_;
  QComboBox* flip_;
  QCheckBox* fit_;
  QSpinBox* fit_width_;
  QSpinBox* fit_height_;
  QComboBox* background_;
  QLabel* size_;
  QComboBox* layout_;
  QCheckBox* uncompressed_;
  QCheckBox* save_xbm_;
  QWidget* ok_;
  bool fitted_ = false;
};

}  // namespace lumivane::ui
