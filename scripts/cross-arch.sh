#!/bin/bash
# The toolkit-free core on every processor Debian's cross compilers reach: its four suites cross-built
# statically, run under qemu-user, and the key sweep compared byte for byte with this machine's (amd64) build.
#   cross-arch.sh AMD64_BUILD [ARCH...]   (no ARCH: every one of this Debian release)
# The builds go into $CROSS_BUILD/ARCH (default build-arch); $SWEEP_COUNT arguments (default 10000), each
# with every function key in both angle units.
set -euo pipefail
native=$(readlink -f "$1")
shift
here=$(dirname "$(readlink -f "$0")")
source=$(dirname "$here")
builds=${CROSS_BUILD:-build-arch}
count=${SWEEP_COUNT:-10000}

# Debian architecture: compiler triplet and qemu-user program.
declare -A triplet=([arm64]=aarch64-linux-gnu [armel]=arm-linux-gnueabi [armhf]=arm-linux-gnueabihf
    [i386]=i686-linux-gnu [ppc64el]=powerpc64le-linux-gnu [riscv64]=riscv64-linux-gnu [s390x]=s390x-linux-gnu
    [mips64el]=mips64el-linux-gnuabi64)
declare -A qemu=([arm64]=aarch64 [armel]=arm [armhf]=arm [i386]=i386 [ppc64el]=ppc64le [riscv64]=riscv64
    [s390x]=s390x [mips64el]=mips64el)
archs=("$@")
if [ ${#archs[@]} -eq 0 ]; then
    archs=(arm64 armel armhf i386 ppc64el riscv64 s390x)
    # Debian 13 no longer has mips64el among its architectures, nor its cross compiler.
    # shellcheck disable=SC1091
    [ "$(. /etc/os-release && echo "$VERSION_CODENAME")" = bookworm ] && archs+=(mips64el)
fi

suites=(numtext_test engine_test elementary_test form_test)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$native/key-sweep" --count "$count" >"$out/amd64"
failed=()
for arch in "${archs[@]}"; do
    t=${triplet[$arch]:?unknown architecture $arch} dir=$builds/$arch run="qemu-${qemu[$arch]}"
    start=$SECONDS
    # GoogleTest from its sources, as for Windows; nothing of this machine's libraries found for the target.
    if ! { cmake -S "$source" -B "$dir" -G Ninja -DCMAKE_SYSTEM_NAME=Linux -DCMAKE_SYSTEM_PROCESSOR="${t%%-*}" \
        -DCMAKE_CXX_COMPILER="$t-g++" -DCMAKE_FIND_ROOT_PATH="/usr/$t" -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER \
        -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY \
        -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=ONLY -DCMAKE_EXE_LINKER_FLAGS=-static \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$run" -DCALC_WITH_UI=OFF -DCALC_TESTS=ON -DCALC_DEBIAN_FLAGS=OFF &&
        cmake --build "$dir" -j2 --target "${suites[@]}" key-sweep; } >"$out/build" 2>&1; then
        tail -30 "$out/build" >&2
        echo "$arch: the build failed" >&2
        failed+=("$arch")
        continue
    fi
    built=$((SECONDS - start))
    counts=() status=0
    for suite in "${suites[@]}"; do
        if "$run" "$dir/tests/$suite" --gtest_brief=1 >"$out/$suite" 2>&1; then
            counts+=("$suite $(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\.$/\1/p' "$out/$suite")")
        else
            cat "$out/$suite" >&2
            counts+=("$suite FAILED")
            status=1
        fi
    done
    "$run" "$dir/key-sweep" --count "$count" >"$out/$arch" || status=1
    same=$({ diff --unchanged-group-format='%=' --old-group-format='' --new-group-format='' \
        --changed-group-format='' "$out/amd64" "$out/$arch" || true; } | wc -l)
    if ! cmp -s "$out/amd64" "$out/$arch"; then
        echo "$arch: the key sweep differs from amd64 (amd64, then $arch):" >&2
        diff "$out/amd64" "$out/$arch" | head -6 >&2
        status=1
    fi
    # Without SSE2 the i386 compiler keeps excess precision: the core must refuse to build so.
    if [ "$arch" = i386 ] && echo '#include "numtext/plain_double.h"' |
        "$t-g++" -std=c++20 -I"$source" -fsyntax-only -x c++ - 2>/dev/null; then
        echo "i386: numtext/plain_double.h let x87 arithmetic through" >&2
        status=1
    fi
    echo "$arch: ${counts[*]}; sweep $same of $count lines as amd64; built in $built s, run in $((SECONDS - start - built)) s"
    [ $status -eq 0 ] || failed+=("$arch")
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]}" >&2
    exit 1
fi
echo "all of ${archs[*]}: every suite passed, every key sweep identical to amd64's"
