#include "qt_platform.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "app_error.h"
#include "file_dialog_setup.h"
#include "message_box_setup.h"
#include "native_text.h"

namespace lumivane::ui {
namespace {

bool FolderExists(const QString& path) {
  return QFileInfo(path).absoluteDir().exists();
}

}  // namespace

std::string QtPlatform::ShowOpen(const FileDialogSettings& settings) {
  return RunFileDialog(settings, QFileDialog::AcceptOpen);
}

std::string QtPlatform::ShowSave(const FileDialogSettings& settings) {
  return RunFileDialog(settings, QFileDialog::AcceptSave);
}

std::string QtPlatform::RunFileDialog(const FileDialogSettings& settings,
                                      QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent_);
  ConfigureFileDialog(dialog, settings, mode);
  for (;;) {
    if (dialog.exec() != QDialog::Accepted) throw AppError::Cancelled();
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) throw AppError::Cancelled();
    const QString path = QDir::toNativeSeparators(chosen.first());
    // Qt's dialogs accept a name in a folder that does not exist; flag 0x800
    // asks for the folder to exist, so the user is sent back to choose again.
    if ((settings.Flags & dialog_flags::kPathMustExist) != 0 && !FolderExists(path)) {
      QMessageBox::warning(&dialog, dialog.windowTitle(),
                           path + QStringLiteral("\nThe folder does not exist.\n"
                                                 "Check the path and try again."));
      dialog.selectFile(path);
      continue;
    }
    return ToNative(path);
  }
}

void QtPlatform::MsgBox(const std::string& prompt, int style, const std::string& title) {
  QMessageBox box(parent_);
  ConfigureMessageBox(box, prompt, style, title);
  box.exec();
}

}  // namespace lumivane::ui
