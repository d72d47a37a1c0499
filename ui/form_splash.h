#pragma once

#include <QWidget>

class QFrame;
class QLabel;

namespace lumivane::ui {

// The About box: product title, version, release dates and the maker. It is
// modeless and closes itself (and is deleted) at the first key press, at a
// mouse press anywhere but on the release date, and when it loses the focus.
// Each instance fills its version and product texts once, when it is created.
class FormSplash : public QWidget {
  Q_OBJECT

 public:
  explicit FormSplash(QWidget* parent = nullptr);

  // False from the moment it closes, before the deletion has happened.
  bool IsLoaded() const { return loaded_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Load();
  void CreateLabels();
  void CenterOnScreen();

  QFrame* frame1_;
  QLabel* lbl_product_name_ = nullptr;
  QLabel* lbl_version_ = nullptr;
  QLabel* label1_ = nullptr;
  bool loaded_ = true;
  bool was_active_ = false;
};

}  // namespace lumivane::ui
