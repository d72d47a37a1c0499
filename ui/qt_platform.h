#pragma once

#include <QFileDialog>
#include <QPointer>

#include "file_system_platform.h"

namespace lumivane::ui {

// The dialogs and the message box of the workflows, as Qt dialogs; the files
// are FileSystemPlatform's. Every dialog is modal to the window given here.
class QtPlatform : public FileSystemPlatform {
 public:
  void SetDialogParent(QWidget* parent) { parent_ = parent; }

  std::string ShowOpen(const FileDialogSettings& settings) override;
  std::string ShowSave(const FileDialogSettings& settings) override;
  void MsgBox(const std::string& prompt, int style, const std::string& title) override;

 private:
  std::string RunFileDialog(const FileDialogSettings& settings, QFileDialog::AcceptMode mode);

  QPointer<QWidget> parent_;
};

}  // namespace lumivane::ui
