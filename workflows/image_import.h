#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "conversion_state.h"
#include "image_types.h"
#include "import_settings.h"
#include "offering_platform.h"
#include "workflows.h"

namespace lumivane {

// What the user chose in the import dialog.
struct ImportChoice {
  imaging::ImportSettings settings;
  bool saveXbm = false;
  // The headers' byte layout and run code, for the imported bitmaps only.
  ConversionChoice conversion;
};

// Shows the import dialog for the decoded frames of the image at `path`;
// nullopt when the user cancelled it.
using ImportDialog = std::function<std::optional<ImportChoice>(
    const std::vector<imaging::GrayFrame>& frames, const std::string& path)>;

FileDialogSettings ImageOpenDialogSettings(const std::string& initialDirectory);
FileDialogSettings XbmSaveDialogSettings(const std::string& initialDirectory,
                                         const std::string& xbmPath);

// File > Import Image: an open dialog for an image, the import dialog, then
// for each bitmap (one a frame of an animated GIF) the Load of NAME.xbm
// beside the image, offered through `offering` so the listings, the report
// line and the save step of the .h are the Load's own; with "also save the
// bitmap" a save dialog for NAME.xbm follows. A cancelled dialog ends the
// command silently; an image that cannot be read or imported is shown in the
// "Load Error" box, a failed .xbm write in the "Save Error" box.
void RunImageImport(ConversionState& state, Platform& platform, OfferingPlatform& offering,
                    Workflows& workflows, const ImportDialog& dialog);

}  // namespace lumivane
