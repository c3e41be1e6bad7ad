#!/usr/bin/env bash
# startup_time.sh BUILD_DIR [RUNS]
# Whole-process timings: start-up to the first painted frame of tarsel beside a bare Qt window,
# and tarsel's peak memory, on a private X server.
set -euo pipefail
build=${1:?usage: startup_time.sh BUILD_DIR [RUNS]}
cmake --build "$build" --target tarsel_startup_bench
exec "$build/bench/tarsel_startup_bench" "${2:-15}"
