#!/usr/bin/env bash
# The calculator's one-shot evaluation against muparser on the same lines, and the cost of long
# lines. Figures are CPU time of the measuring thread, best of five rounds.
set -euo pipefail
cmake --build "$PAVRA_BENCH_BUILD" --target pavra_bench >/dev/null
"$PAVRA_BENCH_BUILD/bench/pavra_bench"
