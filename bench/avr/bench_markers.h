/* The markers the benchmark firmware writes and the host waits for. */
#ifndef LUMIVANE_BENCH_MARKERS_H
#define LUMIVANE_BENCH_MARKERS_H

enum {
  kMarkCopyStart = 1,
  kMarkCopyEnd,
  kMarkReadStart,
  kMarkReadEnd,
  kMarkRowsStart,
  kMarkRowsEnd,
  kMarkDrawStart,
  kMarkDrawEnd,
  kMarkRedrawStart,
  kMarkRedrawEnd,
  kMarkTilesStart,
  kMarkTilesEnd
};

#endif
