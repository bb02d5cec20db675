#!/bin/bash
# The arm64 build beside the amd64 one, its programs run under qemu-user (as root).
#   arm64.sh deps                             arm64 added to dpkg's architectures, the cross compiler and Qt for
#                                             arm64 installed, qemu registered for arm64 programs (binfmt_misc)
#   arm64.sh replay AMD64_BUILD ARM64_BUILD [COUNT]   key-sweep's keys (COUNT arguments, default 40) clicked in
#                                             both builds' calc-replay: the same display after every key
#   arm64.sh root ARM64_BUILD [RELEASE]       its .deb installed with apt into a clean arm64 root of RELEASE
#                                             (default: this machine's), where its calculator starts and
#                                             calc-replay shows the digits of amd64
# The root's downloads are kept in $CLEAN_ROOT_CACHE (default /var/cache/calculator-clean-root), as
# scripts/clean-root.sh keeps its own.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
fail() { echo "FAIL: $*" >&2; exit 1; }

case $1 in
deps)
    dpkg --print-foreign-architectures | grep -qx arm64 || {
        [ "$(id -u)" = 0 ] || fail "as root: dpkg --add-architecture arm64"
        dpkg --add-architecture arm64
    }
    "$here/deps.sh" arm64
    # Registered by hand, as a root without systemd has no one to read /usr/lib/binfmt.d: with the F flag
    # the kernel holds qemu open, so that it runs arm64 programs inside other roots too.
    [ -e /proc/sys/fs/binfmt_misc/register ] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    [ -e /proc/sys/fs/binfmt_misc/qemu-aarch64 ] || cat /usr/lib/binfmt.d/qemu-aarch64.conf >/proc/sys/fs/binfmt_misc/register
    grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-aarch64 || fail "qemu is not enabled for arm64 programs"
    ;;
replay)
    amd64=$2 arm64=$3 count=${4:-40}
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
    "$amd64/key-sweep" --keys --count "$count" --seed 17 >"$out/keys"
    export QT_QPA_PLATFORM=offscreen
    "$amd64/calc-replay" <"$out/keys" >"$out/amd64" 2>/dev/null
    qemu-aarch64-static "$arm64/calc-replay" <"$out/keys" >"$out/arm64" 2>/dev/null
    [ "$(wc -l <"$out/amd64")" = "$(wc -w <"$out/keys")" ] || fail "calc-replay printed too few lines"
    if ! cmp -s "$out/amd64" "$out/arm64"; then
        diff --side-by-side --suppress-common-lines "$out/amd64" "$out/arm64" | head -20 >&2 || true
        fail "the builds differ after these keys (line: amd64 | arm64)"
    fi
    echo "$(wc -l <"$out/amd64") keys, the same display after each on amd64 and arm64"
    ;;
root)
    build=$(cd "$2" && pwd)
    . /etc/os-release
    release=${3:-$VERSION_CODENAME}
    deb=$(ls "$build"/calculator_*_arm64.deb)
    cache=${CLEAN_ROOT_CACHE:-/var/cache/calculator-clean-root}/$release-arm64
    mirror=$("$here/debian-mirror.sh")
    mkdir -p "$cache/debootstrap" "$cache/apt/partial"
    root=$(mktemp -d /var/tmp/arm64-root-$release.XXXXXX)
    trap 'rm -rf --one-file-system "$root"' EXIT
    chmod 755 "$root"
    start=$SECONDS
    unshare --mount --pid --fork --kill-child --propagation private -- \
        debootstrap --arch=arm64 --variant=minbase --cache-dir="$cache/debootstrap" "$release" "$root" "$mirror" \
            >"$root.log" 2>&1 || { tail -20 "$root.log" >&2; rm -f "$root.log"; fail "debootstrap"; }
    rm -f "$root.log"
    echo "clean arm64 root of $release in $((SECONDS - start)) s"
    cp "$deb" "$build/calc-replay" "$root/tmp/"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    # What the package needs comes from its Depends; calc-replay also needs Qt Test, and the offscreen platform.
    cat >"$root/tmp/check.sh" <<EOF
set -e
apt-get update -qq
apt-get install -y -qq -o Dpkg::Use-Pty=0 --no-install-recommends /tmp/$(basename "$deb") libqt6test6 qt6-qpa-plugins >/tmp/apt.log 2>&1 ||
    { tail -20 /tmp/apt.log; exit 1; }
EOF
    cat >>"$root/tmp/check.sh" <<'EOF'
echo "installed in an $(uname -m) root: $(dpkg-query -W -f='${Package} ${Version} ${Architecture}' calculator)"
last=$(/tmp/calc-replay RAD 1 0 Xy 2 2 = sin 2>/dev/null | tail -1)
echo "calc-replay RAD 1 0 Xy 2 2 = sin: $last"
[ "$last" = -0.8522009 ]
# Still running after half a minute (qemu starts it slowly), ended by timeout's TERM (status 124).
status=0
timeout 30 /usr/bin/calculator 2>/dev/null || status=$?
[ $status = 124 ] || { echo "the installed calculator ended by itself with status $status"; exit 1; }
EOF
    start=$SECONDS
    unshare --mount --pid --fork --kill-child -- sh -c 'mount -t proc proc "$1/proc" &&
        mount --bind "$2" "$1/var/cache/apt/archives" &&
        exec chroot "$1" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
            QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 sh /tmp/check.sh' sh "$root" "$cache/apt" ||
        fail "the package in the arm64 root"
    echo "root: as expected ($((SECONDS - start)) s to install and run)"
    ;;
*)
    echo "usage: arm64.sh deps | replay AMD64_BUILD ARM64_BUILD [COUNT] | root ARM64_BUILD [RELEASE]" >&2
    exit 2
    ;;
esac
