#pragma once

#include <cstddef>

namespace lumivane::bench {

// Every operator new and delete of the benchmark program is counted, so the
// engine's heap use can be stated exactly.
std::size_t HeapInUse();
std::size_t HeapPeak();
// Starts a new peak from what is in use now.
void ResetHeapPeak();

}  // namespace lumivane::bench
