#!/bin/sh
# Runs every benchmark part of an optimized build: scripts/bench.sh [build-dir] (default build).
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
echo "== Keys on a long display text"
"$build/tools/long_input_bench" --benchmark_counters_tabular=true
echo "== Start-up: first painted frame and peak memory, against xcalc"
scripts/bench-startup.sh "$build"
