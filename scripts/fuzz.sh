#!/bin/sh
# Builds the libFuzzer targets with clang and fuzzes each for FUZZ_SECONDS (default 60), one after the other.
# Inputs found grow a corpus in the build directory; a crash leaves its input there as crash-*.
set -eu
cd "$(dirname "$0")/.."
build=${FUZZ_BUILD:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
CXX=clang++ cmake -S . -B "$build" -G Ninja -DCALC_FUZZ=ON >/dev/null
cmake --build "$build" -j2
for target in numtext_fuzz key_storm_fuzz; do
    found="$build/tests/fuzz/found/$target"
    mkdir -p "$found"
    echo "== $target for $seconds s"
    "$build/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/tests/fuzz/" "$found" "tests/fuzz/corpus/$target"
done
