#include "image_import.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "app_error.h"
#include "error_box.h"
#include "import.h"
#include "path_rules.h"
#include "report_line.h"

namespace lumivane {
namespace {

// Where the frames after the first go: the folders the user chose for the
// first frame's header and bitmap.
struct FrameFolders {
  std::string header;
  std::string xbm;
};

// The bitmap's .xbm: through a save dialog for the first frame, into the
// folder chosen there for the others. A cancelled dialog raises 32755.
void SaveXbm(Platform& platform, FrameFolders& folders, const std::string& xbmPath,
             const std::string& text) {
  std::string chosen;
  if (folders.xbm.empty()) {
    // Proposed in the folder the header has just gone to, the last one used.
    chosen = platform.ShowSave(
        XbmSaveDialogSettings(folders.header, JoinPath(folders.header, LeafName(xbmPath))));
    folders.xbm = DirName(chosen);
  } else {
    chosen = JoinPath(folders.xbm, LeafName(xbmPath));
  }
  platform.WriteTextFile(chosen, text, WriteKind::kHeader);
}

// Runs the Load of each frame's bitmap. The Load starts its progress view
// afresh; the lines of the frames before are put back in front of its own.
// Returns whether every frame was saved; a failure has shown its box.
bool LoadFrames(WindowSurface& window, Platform& platform, OfferingPlatform& offering,
                Workflows& workflows, const std::string& image, const ImportChoice& choice,
                const std::vector<imaging::ImportedBitmap>& bitmaps) {
  FrameFolders folders;
  std::string report;
  int written = 0;
  for (const imaging::ImportedBitmap& bitmap : bitmaps) {
    const std::string xbmPath = JoinPath(DirName(image), bitmap.name + ".xbm");
    const std::string headerPath =
        folders.header.empty() ? std::string() : JoinPath(folders.header, bitmap.name + ".h");
    offering.Offer(xbmPath, bitmap.xbmText, headerPath);
    const ActionOutcome loaded = workflows.mnuLoad_Click();
    offering.Withdraw();
    report += window.Text3();
    window.SetText3(report);
    if (loaded.kind == ActionOutcome::Kind::kFailed) return false;
    bool cancelled = loaded.kind != ActionOutcome::Kind::kDone;
    if (!cancelled) {
      ++written;
      folders.header = DirName(offering.LastSaved());
      if (choice.saveXbm) {
        try {
          SaveXbm(platform, folders, xbmPath, bitmap.xbmText);
          ++written;
        } catch (const AppError& error) {
          if (error.Number() != error::kDialogCancelled) {
            platform.ShowError(error, std::string(kSaveErrorTitle));
            return false;
          }
          cancelled = true;
        }
      }
    }
    if (cancelled) {
      window.AppendText3(written == 0 ? "SAVE CANCELLED: nothing was written"
                                      : "SAVE CANCELLED: the frames after this one were not "
                                        "written");
      return false;
    }
  }
  window.AppendText3(kComplete);
  return true;
}

}  // namespace

bool IsImagePath(std::string_view path) {
  static constexpr std::array<std::string_view, 8> kImageExtensions = {"png", "gif", "jpg", "jpeg",
                                                                       "bmp", "pbm", "pgm", "ppm"};
  std::string extension = ExtName(std::string(path));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return std::find(kImageExtensions.begin(), kImageExtensions.end(), extension) !=
         kImageExtensions.end();
}

FileDialogSettings ImageOpenDialogSettings(const std::string& initialDirectory) {
  return {"Import an Image",
          "Images(*.png;*.gif;*.jpg;*.jpeg;*.bmp;*.pbm;*.pgm;*.ppm)|"
          "*.png;*.gif;*.jpg;*.jpeg;*.bmp;*.pbm;*.pgm;*.ppm|All Files(*.*)|*.*",
          initialDirectory, "", dialog_flags::kHideReadOnly};
}

FileDialogSettings XbmSaveDialogSettings(const std::string& initialDirectory,
                                         const std::string& xbmPath) {
  return {"Save the Bitmap as .xbm File", "Hex Files(*.xbm)|*.xbm|All Files(*.*)|*.*",
          initialDirectory, xbmPath, dialog_flags::kOverwritePrompt | dialog_flags::kPathMustExist};
}

void RunImageImport(ConversionState& state, WindowSurface& window, Platform& platform,
                    OfferingPlatform& offering, Workflows& workflows, const ImportDialog& dialog) {
  if (workflows.IsRunning()) return;
  std::string path;
  try {
    path = platform.ShowOpen(ImageOpenDialogSettings(state.LastDirectory));
  } catch (const AppError&) {
    return;
  }

  std::vector<imaging::ImportedBitmap> bitmaps;
  std::optional<ImportChoice> choice;
  try {
    const std::string image = platform.ReadImageFile(path);
    // The next dialog starts where this one was left, whatever the import's end.
    state.LastDirectory = DirName(path);
    const std::vector<imaging::GrayFrame> frames = imaging::DecodeImage(image, path);
    choice = dialog(frames, path);
    if (!choice) return;
    imaging::ImportSettings settings = choice->settings;
    settings.conversion = choice->conversion;
    bitmaps = imaging::ImportFrames(frames, path, settings);
  } catch (const AppError& error) {
    platform.ShowError(error, std::string(kImportErrorTitle));
    return;
  }
  try {
    // The window's Loads and drops after the import write headers as before.
    const ChoiceForImport conversion(state, choice->conversion);
    LoadFrames(window, platform, offering, workflows, path, *choice, bitmaps);
  } catch (const ActionAborted&) {
    offering.Withdraw();
    throw;
  }
}

}  // namespace lumivane
