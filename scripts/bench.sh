#!/bin/sh
# Runs every benchmark part of an optimized build: scripts/bench.sh [build-dir] [windows-build-dir]
# (default build and build-win).
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
echo "== Keys on a long display text"
"$build/tools/long_input_bench" --benchmark_counters_tabular=true
echo "== Start-up: first painted frame and peak memory, against xcalc"
scripts/bench-startup.sh "$build"
echo "== Windows start-up under Wine: first painted frame and peak memory, against a bare Win32 window"
scripts/bench-windows.sh "$build" "${2:-build-win}"
