#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app_error.h"

namespace lumivane {

// Option flags of the file dialogs, with the values the dialogs have always used.
namespace dialog_flags {
inline constexpr int kOverwritePrompt = 0x2;
inline constexpr int kHideReadOnly = 0x4;
inline constexpr int kPathMustExist = 0x800;
}  // namespace dialog_flags

// Message box styles: icon and buttons.
namespace box_style {
inline constexpr int kOkOnly = 0;
inline constexpr int kCritical = 16;
}  // namespace box_style

struct FileDialogSettings {
  std::string DialogTitle;
  // Label and pattern pairs separated by "|"; the first pair is selected.
  std::string Filter;
  std::string InitDir;
  // Preset name (full path) shown in the dialog.
  std::string FileName;
  int Flags = 0;
};

// Which file a write replaces: a converted file's header (beside its source,
// or the one chosen in the save dialog), or a dropped folder's "allFiles.h",
// which repeats the headers written before it.
enum class WriteKind { kHeader, kBatchFile };

// Everything the workflows need from the desktop and the file system. The
// window's toolkit provides the dialogs and boxes; FileSystemPlatform provides
// the files. Failures raise AppError; a cancelled dialog raises 32755.
class Platform {
 public:
  virtual ~Platform() = default;

  // Returns the chosen full path.
  virtual std::string ShowOpen(const FileDialogSettings& settings) = 0;
  virtual std::string ShowSave(const FileDialogSettings& settings) = 0;
  // Modal; returns when the user has closed it.
  virtual void MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
  // The failure that ended a user action. By default the one error box:
  // a stop icon and the text of ErrorBoxText.
  virtual void ShowError(const AppError& error, const std::string& title);

  // Raises when the path does not exist or cannot be queried.
  virtual bool IsDirectory(const std::string& path) = 0;
  // Names (without folder) of the folder's ordinary, non-hidden files, sorted.
  virtual std::vector<std::string> ListFolder(const std::string& folder) = 0;
  // The whole content of an ordinary file, one character per byte.
  virtual std::string ReadTextFile(const std::string& path) = 0;
  // An image, read whole like ReadTextFile but without its stop at more
  // literals than a bitmap may hold: an image's bytes may spell any number.
  virtual std::string ReadImageFile(const std::string& path) { return ReadTextFile(path); }
  // Replaces the file whole with `content`, which holds its final line end,
  // or leaves it as it was.
  virtual void WriteTextFile(const std::string& path, std::string_view content, WriteKind kind) = 0;
  // Before a batch writes anything: raises Err # 22 for an output that is one
  // of the sources, by name or through a link. `outputs` holds the header of
  // each source, in order, then any further file. Where no file can lead to
  // another, there is nothing to refuse.
  virtual void RefuseOwnSources(const std::vector<std::string>& /*sources*/,
                                const std::vector<std::string>& /*outputs*/) {}
};

}  // namespace lumivane
