#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumivane {

// The text of a folder's "allFiles.h", and of the command line's collection:
// every header of the batch in the order written, and after the last one
// line end more, which the write adds as it does to every text.
//
// Adds a header's listing and its line end to `batch`. `listed` headers are
// in and `toCome` more will follow, where the drop knows it.
void AppendToBatch(std::string& batch, std::string_view listing, std::size_t listed = 0,
                   std::size_t toCome = 0);

}  // namespace lumivane
