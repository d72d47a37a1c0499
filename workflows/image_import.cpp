#include "image_import.h"

#include <utility>

#include "app_error.h"
#include "error_box.h"
#include "image_decoder.h"
#include "import_image.h"
#include "path_rules.h"
#include "xbm_text.h"

namespace lumivane {
namespace {

void SaveXbm(Platform& platform, const std::string& initialDirectory, const std::string& xbmPath,
             const std::string& text) {
  try {
    const std::string chosen = platform.ShowSave(XbmSaveDialogSettings(initialDirectory, xbmPath));
    platform.WriteTextFile(chosen, imaging::XbmFileText(text), WriteKind::kHeader);
  } catch (const AppError& error) {
    if (error.Number() != error::kDialogCancelled) {
      platform.ShowError(error, std::string(kSaveErrorTitle));
    }
  }
}

class ChoiceForImport {
 public:
  ChoiceForImport(ConversionState& state, ConversionChoice choice)
      : state_(state), before_(std::exchange(state.Choice, choice)) {}
  ~ChoiceForImport() { state_.Choice = before_; }
  ChoiceForImport(const ChoiceForImport&) = delete;
  ChoiceForImport& operator=(const ChoiceForImport&) = delete;

 private:
  ConversionState& state_;
  ConversionChoice before_;
};

}  // namespace

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

void RunImageImport(ConversionState& state, Platform& platform, OfferingPlatform& offering,
                    Workflows& workflows, const ImportDialog& dialog) {
  if (workflows.IsRunning()) return;
  std::string path;
  try {
    path = platform.ShowOpen(ImageOpenDialogSettings(state.LastDirectory));
  } catch (const AppError&) {
    return;
  }

  try {
    const std::vector<imaging::GrayFrame> frames =
        imaging::DecodeImage(platform.ReadTextFile(path), path);
    const std::optional<ImportChoice> choice = dialog(frames, path);
    if (!choice) return;
    const std::vector<imaging::ImportedBitmap> bitmaps =
        imaging::ImportFrames(frames, path, choice->settings);
    // The window's Loads and drops after the import write headers as before.
    const ChoiceForImport conversion(state, choice->conversion);
    for (const imaging::ImportedBitmap& bitmap : bitmaps) {
      const std::string xbmPath = JoinPath(DirName(path), bitmap.name + ".xbm");
      offering.Offer(xbmPath, bitmap.xbmText);
      const ActionOutcome loaded = workflows.mnuLoad_Click();
      offering.Withdraw();
      // A failed Load has shown its box; the frames after it are not tried.
      if (loaded.kind == ActionOutcome::Kind::kFailed) return;
      if (choice->saveXbm) SaveXbm(platform, DirName(path), xbmPath, bitmap.xbmText);
    }
  } catch (const ActionAborted&) {
    offering.Withdraw();
    throw;
  } catch (const AppError& error) {
    offering.Withdraw();
    platform.ShowError(error, std::string(kLoadErrorTitle));
  }
}

}  // namespace lumivane
