#pragma once

#include <string>

#include "conversion_state.h"
#include "import_dialog.h"
#include "offering_platform.h"
#include "window_surface.h"
#include "workflows.h"

namespace lumivane {

FileDialogSettings ImageOpenDialogSettings(const std::string& initialDirectory);
FileDialogSettings XbmSaveDialogSettings(const std::string& initialDirectory,
                                         const std::string& xbmPath);

// File > Import Image: an open dialog for an image, the import dialog, then
// for each bitmap (one a frame of an animated GIF) the Load of NAME.xbm
// beside the image, offered through `offering` so the listings, the report
// line and the save step of the .h are the Load's own; with "also save the
// bitmap" a save dialog for NAME.xbm follows. Only the first frame asks
// where to save: the others go into the folders chosen for it. The progress
// view keeps every frame's line and ends with COMPLETE; a cancelled save
// ends the whole import and says what was written. A cancelled open or
// import dialog ends the command silently; an image that cannot be read or
// imported is shown in the "Import Error" box, a failed write in the "Save
// Error" box.
void RunImageImport(ConversionState& state, WindowSurface& window, Platform& platform,
                    OfferingPlatform& offering, Workflows& workflows, const ImportDialog& dialog);

}  // namespace lumivane
