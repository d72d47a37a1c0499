#include "batch_text.h"

#include <algorithm>

#include "listing_layout.h"

namespace lumivane {

// A folder's listings are alike in size, so when the text must grow it makes
// room for the files still to come at the mean size so far: growing by
// doubling copies it again and again into fresh memory, which costs a large
// folder more than its conversions do. The room asked for ahead is bounded;
// past it, and where nothing more is known to come, the text doubles.
void AppendToBatch(std::string& batch, std::string_view listing, std::size_t listed,
                   std::size_t toCome) {
  constexpr std::size_t kMostAhead = std::size_t{64} << 20;
  const std::size_t needed = batch.size() + listing.size() + kLineEnd.size();
  if (needed > batch.capacity() && toCome > 0) {
    const std::size_t mean = needed / (listed + 1);
    batch.reserve(needed + std::min(mean * toCome, kMostAhead));
  }
  batch.append(listing).append(kLineEnd);
}

}  // namespace lumivane
