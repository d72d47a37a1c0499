#include "form_main.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QWindow>

#include "designed_area.h"
#include "drop_target_box.h"
#include "form_splash.h"
#include "image_import_dialog.h"
#include "native_text.h"
#include "read_only_box.h"
#include "screen_fit.h"

namespace lumivane::ui {
namespace {

constexpr int kClientWidthTwips = 22560;
constexpr int kClientHeightTwips = 13185;

// The folder the file dialogs start in, kept between runs so that the first
// Load after a restart starts where the last one left off.
constexpr QLatin1String kLastFolderKey("dialogs/lastFolder");

QFont WindowFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setPointSizeF(8.25);
  return font;
}

QFont ProgressFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setPointSizeF(9.75);
  return font;
}

}  // namespace

FormMain::FormMain(Platform& platform, QWidget* parent)
    : QMainWindow(parent),
      client_(new DesignedArea(QSize(kClientWidthTwips, kClientHeightTwips), this)),
      text1_box_(new DropTargetBox(client_)),
      text2_box_(new ReadOnlyBox(ReadOnlyBox::DragOut::kAllowed, client_)),
      text3_box_(new ReadOnlyBox(ReadOnlyBox::DragOut::kRefused, client_)),
      text1_(*text1_box_),
      text2_(*text2_box_),
      text3_(*text3_box_, TextBoxMirror::Scrolling::kFollowsEnd),
      platform_(platform, [this] { ShowBoxes(); }),
      offering_(platform_),
      workflows_(state_, *this, offering_),
      import_dialog_([this](const std::vector<imaging::GrayFrame>& frames,
                            const std::string& path) -> std::optional<ImportChoice> {
        ImageImportDialog dialog(frames, path, this);
        // A drop writes no .xbm: one beside the image may be the user's own.
        if (dropping_) dialog.HideXbmChoice();
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.Choice();
      }) {
  setObjectName(QStringLiteral("formMain"));
  setWindowTitle(QStringLiteral("Lumivane"));
  setCentralWidget(client_);
  CreateControls();
  CreateMenus();
  Form_Load();
  // Images dropped on the input box go through the same dialog, replaced or not.
  workflows_.SetImportDialog(
      [this](const std::vector<imaging::GrayFrame>& frames, const std::string& path) {
        return import_dialog_(frames, path);
      });

  // The client area has its designed size; the menu bar comes on top of it.
  resize(client_->DesignedSize() + QSize(0, menuBar()->sizeHint().height()));
  if (const QScreen* screen = this->screen()) move(screen->availableGeometry().topLeft());
}

FormMain::~FormMain() {
  // The About box has no owner window; it must not outlive the program's window.
  delete splash_.data();
}

void FormMain::CreateControls() {
  client_->setObjectName(QStringLiteral("clientArea"));
  client_->setFont(WindowFont());

  CreateLabel("Label1", QStringLiteral("Input: Drop folder or file(s) here "),
              QRect(120, 0, 3735, 255));
  CreateLabel("Label2", QStringLiteral("Output: Mark Region and Drag from here "),
              QRect(120, 6840, 4935, 255));
  CreateLabel("Label4", QStringLiteral("Info"), QRect(10680, 0, 495, 255));

  text1_box_->setObjectName(QStringLiteral("Text1"));
  client_->Place(*text1_box_, QRect(0, 240, 10440, 6585));
  // The batch runs after the drop has been accepted, so the drop source
  // (a file manager, say) is not held until every file is converted.
  connect(text1_box_, &DropTargetBox::dropped, this, &FormMain::Text1_OLEDragDrop,
          Qt::QueuedConnection);

  text2_box_->setObjectName(QStringLiteral("Text2"));
  client_->Place(*text2_box_, QRect(0, 7080, 10440, 6015));

  text3_box_->setObjectName(QStringLiteral("Text3"));
  client_->Place(*text3_box_, QRect(10440, 240, 12015, 12855));
  text3_box_->setFont(ProgressFont());
}

QLabel* FormMain::CreateLabel(const char* name, const QString& caption, const QRect& twips) {
  auto* label = new QLabel(caption, client_);
  label->setObjectName(QLatin1String(name));
  client_->Place(*label, twips);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Labels lie beneath the boxes where the two overlap.
  label->lower();
  return label;
}

void FormMain::Form_Load() {
  const QString stored = QSettings().value(kLastFolderKey).toString();
  // A folder removed or unmounted since would leave the dialogs in no useful place.
  const bool usable = !stored.isEmpty() && QFileInfo(stored).isDir();
  state_.LastDirectory = ToNative(usable ? stored : QCoreApplication::applicationDirPath());
}

template <typename Action>
void FormMain::RunAction(Action action) {
  // One action at a time: the workflows know whether one is running (a drop
  // arriving during a batch's message-loop pass, say) and refuse another.
  if (closed_ || workflows_.IsRunning()) return;
  DeferDisplay(true);
  const std::string folderBefore = state_.LastDirectory;
  try {
    action();
  } catch (const ActionAborted&) {
    // The window was closed while the action let events run: nothing more to do.
  }
  DeferDisplay(false);
  if (state_.LastDirectory != folderBefore) {
    QSettings().setValue(kLastFolderKey, FromNative(state_.LastDirectory));
  }
}

void FormMain::DeferDisplay(bool defer) {
  text1_.DeferDisplay(defer);
  text2_.DeferDisplay(defer);
  text3_.DeferDisplay(defer);
}

void FormMain::ShowBoxes() {
  text1_.Show();
  text2_.Show();
  text3_.Show();
}

void FormMain::mnuLoad_Click() {
  RunAction([this] { workflows_.mnuLoad_Click(); });
}

void FormMain::mnuImport_Click() {
  RunAction(
      [this] { RunImageImport(state_, *this, platform_, offering_, workflows_, import_dialog_); });
}

void FormMain::Text1_OLEDragDrop(const DropData& data) {
  dropping_ = true;
  RunAction([this, &data] { workflows_.Text1_OLEDragDrop(data); });
  dropping_ = false;
}

void FormMain::mnuQuit_Click() {
  close();
}

void FormMain::mnuAbout_Click() {
  if (FormSplash* loaded = Splash()) {
    loaded->raise();
    loaded->activateWindow();
    return;
  }
  splash_ = new FormSplash();
  splash_->show();
  splash_->activateWindow();
}

FormSplash* FormMain::Splash() const {
  return splash_ && splash_->IsLoaded() ? splash_.data() : nullptr;
}

void FormMain::ProcessPendingEvents() {
  // Repainting three boxes costs several times the conversion of a file, so a
  // long batch lets events run at most once per interval: the window stays as
  // responsive to the eye and to input, and the batch is not held up by it.
  constexpr qint64 kPassIntervalMs = 20;
  if (!last_pass_.isValid() || last_pass_.hasExpired(kPassIntervalMs)) {
    ShowBoxes();
    QCoreApplication::processEvents();
    last_pass_.start();
  }
  if (closed_) throw ActionAborted();
}

void FormMain::showEvent(QShowEvent* event) {
  // The frame's size is known only once the window is on the screen.
  if (!fitted_ && windowHandle() != nullptr) windowHandle()->installEventFilter(this);
  QMainWindow::showEvent(event);
}

bool FormMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == windowHandle() && event->type() == QEvent::Expose && !fitted_ &&
      windowHandle()->isExposed()) {
    fitted_ = true;
    windowHandle()->removeEventFilter(this);
    FitIntoScreen();
  }
  return QMainWindow::eventFilter(watched, event);
}

void FormMain::FitIntoScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QRect available = UsableArea(*screen);
  const QSize frame = frameGeometry().size() - size();
  const QSize designed = client_->DesignedSize() + QSize(0, menuBar()->height()) + frame;
  if (designed.width() <= available.width() && designed.height() <= available.height()) return;
  resize(available.size() - frame);
  move(available.topLeft());
}

void FormMain::closeEvent(QCloseEvent* event) {
  // Form_Unload: nothing to save, nothing to ask; the About box goes too.
  closed_ = true;
  if (FormSplash* loaded = Splash()) loaded->close();
  event->accept();
}

}  // namespace lumivane::ui
