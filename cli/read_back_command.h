#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bitmap_source.h"
#include "byte_layout.h"

namespace lumivane::cli {

// What "--show" and "--to-png" ask of the headers given: the layout and run
// code they were written with, and the size of arrays without size defines.
struct ReadBackOptions {
  bool show = false;
  std::string pngFolder;
  std::optional<BitmapSize> size;

  bool Enabled() const { return show || !pngFolder.empty(); }
};

// Reads each header back into its arrays' bitmaps: with `show` each is
// printed on standard output as the import's preview shows it, after its
// name and size; with a PNG folder each becomes NAME.png there. A header
// that cannot be read back is reported as "Err # N - description" and ends
// the run. Returns the exit status.
int ReadBackHeaders(const std::vector<std::string>& paths, const ReadBackOptions& options,
                    const ConversionChoice& choice);

}  // namespace lumivane::cli
