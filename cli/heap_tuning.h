#pragma once

namespace lumivane::cli {

// Converting one large source touches a few megabytes once, in buffers that
// are freed and taken again. Left alone, the allocator maps each large buffer
// afresh and the kernel faults it in page by page, which costs more than the
// conversion itself. This takes the heap in large steps, backed by huge
// pages where the system offers them, and keeps freed memory for reuse.
// Does nothing where the allocator offers no such settings.
void PrepareHeapForConversion();

}  // namespace lumivane::cli
