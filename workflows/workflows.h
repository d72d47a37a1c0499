#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "action_outcome.h"
#include "conversion_state.h"
#include "drop_data.h"
#include "import_dialog.h"
#include "platform.h"
#include "window_surface.h"

namespace lumivane {

// The user actions of the main window that read and write files: File > Load
// with its save step (load_command.cpp), and the drop on the input box. The
// path from a drop to a written header, and where each step lives:
//
//   drop             the input box takes it (ui/drop_target_box.cpp); the
//                    window runs the batch once the drop is over (ui/form_main.cpp)
//   drop data        the dropped paths in order, or none (ui/drop_reading.cpp
//                    reads them into DropData, drop_data.h)
//   folder or files  the first path decides the mode (drop_batch.cpp)
//   read             Platform::ReadTextFile; on disk ReadSourceFile
//                    (native_files_posix.cpp or native_files_windows.cpp),
//                    told by the folder listing what it already knows
//                    (file_system_platform.cpp)
//   convert, report  ConvertAndReport (engine/convert_and_report.cpp)
//   write whole      WriteWhole (workflows.cpp) adds the CR LF, then
//                    Platform::WriteTextFile; on disk ReplaceFileWhole,
//                    which refuses the file the header was made from
//   allFiles.h       a folder's listings together, written last (drop_batch.cpp)
//
// Each action handles its failures in one place: the platform is shown the
// error, and the action returns how it ended.
//
// The message-loop pass after each converted file lets other window events
// run; a Load or a drop arriving then is refused, because it would change the
// running action's source and output under it. An ActionAborted thrown by
// that pass (the window closed) passes through: the action does nothing more.
class Workflows {
 public:
  Workflows(ConversionState& state, WindowSurface& window, Platform& platform);

  ActionOutcome mnuLoad_Click();
  ActionOutcome Text1_OLEDragDrop(const DropData& data);

  // True while a Load or a drop runs, also during its message-loop passes.
  bool IsRunning() const { return running_; }

  // The window's import dialog. With it, images dropped among files are
  // imported (one dialog for all of them, each header beside its image),
  // and a dropped folder's images are named as skipped; without it (the
  // command line) a drop takes bitmaps only.
  void SetImportDialog(ImportDialog dialog) { import_dialog_ = std::move(dialog); }

 private:
  class RunningAction;
  // The import dialog's answer, asked at the first dropped image.
  struct DroppedImages {
    bool asked = false;
    std::optional<ImportChoice> choice;
  };

  ActionOutcome SaveCompressedFile();
  void ConvertFolder(const DropData& data);
  void ConvertFiles(const DropData& data);
  void ImportDroppedImage(const std::string& image, DroppedImages& images);
  // The sources with their headers, and the folder's allFiles.h when given.
  void RefuseOwnSources(const std::vector<std::string>& sources, const std::string& batchFile);
  // Replaces the file with `text` and its final CR LF. The line end is added
  // to `text` for the write and taken off again, whether the write works or
  // not: a folder's allFiles.h, megabytes long, is never copied.
  void WriteWhole(const std::string& path, std::string& text, WriteKind kind);
  ActionOutcome Fail(const AppError& error, std::string_view title);

  ConversionState& state_;
  WindowSurface& window_;
  Platform& platform_;
  ImportDialog import_dialog_;
  bool running_ = false;
};

// Why a drop without the import dialog passes over a dropped path: it comes
// after a folder, or among files its extension is not "xbm" in lower case.
enum class PassedOver { kAfterFolder, kExtensionCase, kNotBitmap };

// Each path the drop of `dropped` passes over, in order. A first path that
// cannot be looked at passes nothing over: the drop reports it.
std::vector<std::pair<std::string, PassedOver>> PathsPassedOver(
    const std::vector<std::string>& dropped, Platform& platform);

}  // namespace lumivane
