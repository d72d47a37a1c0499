#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "conversion_state.h"
#include "drop_data.h"
#include "image_import.h"
#include "offering_platform.h"
#include "platform.h"
#include "syncing_platform.h"
#include "text_box_mirror.h"
#include "window_surface.h"
#include "workflows.h"

class QLabel;

namespace lumivane::ui {

class DesignedArea;
class DropTargetBox;
class ReadOnlyBox;
class FormSplash;

// The program's one working window. It owns the ConversionState and the
// surface the workflows work on: the input box Text1 (drop target, shows the
// uncompressed listing), the output box Text2 (compressed listing, drag
// source), the progress view Text3 and the two hidden work lists. Menu
// commands and drops go to the workflows through the handlers below; the
// workflows reach dialogs, boxes and files only through the Platform given
// here, so a test can run every handler without a modal dialog.
//
// At its designed size every control sits on its designed pixels. A window
// too large for the screen's free area opens at that area's size instead;
// whenever the size differs from the designed one, the labels and boxes keep
// their designed shares of the client area.
class FormMain : public QMainWindow, public WindowSurface {
  Q_OBJECT

 public:
  explicit FormMain(Platform& platform, QWidget* parent = nullptr);
  ~FormMain() override;

  const std::string& Text1() const override { return text1_.Text(); }
  const std::string& Text2() const override { return text2_.Text(); }
  const std::string& Text3() const override { return text3_.Text(); }
  void SetText1(std::string text) override { text1_.Set(std::move(text)); }
  void SetText2(std::string text) override { text2_.Set(std::move(text)); }
  void SetText3(std::string text) override { text3_.Set(std::move(text)); }
  void AppendText3(std::string_view text) override { text3_.Append(text); }
  ByteList& List1() override { return list1_; }
  EncodedList& List2() override { return list2_; }
  void ProcessPendingEvents() override;

  void mnuLoad_Click();
  void mnuImport_Click();
  void mnuQuit_Click();
  void mnuAbout_Click();
  void Text1_OLEDragDrop(const DropData& data);

  const ConversionState& State() const { return state_; }
  // Replaces the import dialog (tests answer it without showing it).
  void SetImportDialog(ImportDialog dialog) { import_dialog_ = std::move(dialog); }
  // The About box while it is loaded, otherwise null.
  FormSplash* Splash() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Form_Load();
  // Once the window manager has framed the window, the whole frame must fit
  // the screen's free area, or the window takes that area.
  void FitIntoScreen();
  void CreateControls();
  void CreateMenus();
  QLabel* CreateLabel(const char* name, const QString& caption, const QRect& twips);
  // Runs one user action; a window closed during it ends the action quietly.
  template <typename Action>
  void RunAction(Action action);
  void DeferDisplay(bool defer);
  void ShowBoxes();

  ConversionState state_;
  DesignedArea* client_;
  DropTargetBox* text1_box_;
  ReadOnlyBox* text2_box_;
  ReadOnlyBox* text3_box_;
  TextBoxMirror text1_;
  TextBoxMirror text2_;
  TextBoxMirror text3_;
  ByteList list1_;
  EncodedList list2_;
  SyncingPlatform platform_;
  // Lets File > Import Image run the Load on an image's bitmap.
  OfferingPlatform offering_;
  Workflows workflows_;
  ImportDialog import_dialog_;
  QPointer<FormSplash> splash_;
  QElapsedTimer last_pass_;
  bool closed_ = false;
  // While a drop runs: its import dialog offers no .xbm.
  bool dropping_ = false;
  bool fitted_ = false;
};

}  // namespace lumivane::ui
