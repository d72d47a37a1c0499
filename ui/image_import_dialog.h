#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "image_import.h"
#include "image_types.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QSlider;
class QSpinBox;

namespace lumivane::ui {

class BitmapView;

// The import dialog: the image beside its one-bit result, drawn as the
// display will show it, and the settings that make the result; every change
// redraws it at once. OK is possible only while the result fits the
// conversion; otherwise the size line says why not.
class ImageImportDialog : public QDialog {
  Q_OBJECT

 public:
  ImageImportDialog(const std::vector<imaging::GrayFrame>& frames, std::string path,
                    QWidget* parent = nullptr);

  ImportChoice Choice() const;
  const BitmapView& Preview() const { return *preview_; }
  QString SizeText() const;

 private:
  void CreateControls();
  void Redraw();
  imaging::ImportSettings Settings() const;

  const std::vector<imaging::GrayFrame>& frames_;
  std::string path_;
  QLabel* original_;
  BitmapView* preview_;
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
};

}  // namespace lumivane::ui
