#pragma once

#include "conversion_state.h"
#include "window_surface.h"

namespace lumivane {

// The conversion of one XBM text, the heart of the program:
//
//   SourceText --split at every "0x"--> byte texts --> List1 (ByteList)
//              --> uncompressed listing (SourceText, Text1)
//   List1 --runs of "00"/"FF" become (byte, extra repeats)--> List2 (EncodedList)
//              --> compressed listing (CompressedText) and the statistics
//
// Reads SourceFileName and SourceText; writes the counters, SourceText,
// CompressedText, Text1 and both lists. For a surface that shows no listings,
// SourceText and Text1 are left as they were. Errors propagate to the calling
// workflow and nothing done before them is rolled back.
//
// A run ends after 256 bytes and the bytes after it start a new run, so every
// repeat count fits one byte of a C array. A literal beyond a byte keeps all
// its digits and passes through. The 32,767th literal raises the overflow
// error at once: the byte list is then full, and nothing has been listed.
void ConvertSourceText(ConversionState& state, WindowSurface& window);

}  // namespace lumivane
