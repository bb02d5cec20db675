#!/bin/bash
# Runs `make test` (or another command) as a new machine would: in a clean root of each Debian release named,
# made afresh from the Debian archive with debootstrap (minbase), on a fresh clone of this repository's HEAD,
# as root. Fails if any release fails.
#
#   scripts/clean-root.sh [--keep] RELEASE... [-- COMMAND]     e.g. scripts/clean-root.sh bookworm trixie
#
# RELEASE: bookworm (Debian 12) or trixie (Debian 13). Downloaded packages are kept between runs in
# $CLEAN_ROOT_CACHE (default /var/cache/calculator-clean-root): they change nothing of the root, only how long
# it takes to make. Each root runs in its own PID and mount namespaces, so every process started in it ends
# with it and every mount made for it goes, also when this script is stopped; the root itself is removed
# unless --keep is given.
set -euo pipefail

repo=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
cache=${CLEAN_ROOT_CACHE:-/var/cache/calculator-clean-root}
mirror=$("$(dirname "$0")/debian-mirror.sh")

# One release, start to end, inside new PID and mount namespaces (run by unshare below).
if [ "${1:-}" = --inside ]; then
    release=$2 root=$3 command=$4
    debootstrap --variant=minbase --include=make,git,ca-certificates --cache-dir="$cache/$release/debootstrap" \
        "$release" "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
        { tail -20 "$root.debootstrap.log" >&2; exit 1; }
    git clone -q "$repo" "$root/src/calculator"
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
    mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
    mount --bind "$cache/$release/apt" "$root/var/cache/apt/archives"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    # A login's environment, nothing of the caller's.
    exec chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb ${CI:+CI=$CI} \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c "cd /src/calculator || exit 1"$'\n'"$command" </dev/null
fi

keep=0 releases=()
while [ $# -gt 0 ]; do
    case $1 in
    --keep) keep=1 ;;
    --) shift; break ;;
    -*) echo "clean-root: unknown option $1" >&2; exit 2 ;;
    *) releases+=("$1") ;;
    esac
    shift
done
command=${*:-make test}
[ ${#releases[@]} -gt 0 ] || { echo "usage: clean-root.sh [--keep] RELEASE... [-- COMMAND]" >&2; exit 2; }
[ "$(id -u)" = 0 ] || { echo "clean-root: debootstrap and chroot need root" >&2; exit 2; }
[ -n "$mirror" ] || { echo "clean-root: no Debian archive in /etc/apt; name one in DEBIAN_MIRROR" >&2; exit 2; }
for tool in debootstrap unshare git; do
    command -v $tool >/dev/null || { echo "clean-root: $tool is missing (apt-get install debootstrap)" >&2; exit 2; }
done
for release in "${releases[@]}"; do
    case $release in bookworm | trixie) ;; *) echo "clean-root: no release $release (bookworm or trixie)" >&2; exit 2 ;; esac
done
passed=0 failed=0 summary="" root="" upid=""
# Stopped (Ctrl+C, a time limit): the namespace ends with all that runs in it, and the root goes.
stop() {
    [ -z "$upid" ] || kill -KILL "$upid" 2>/dev/null # --kill-child: its first process dies with unshare
    wait 2>/dev/null
    [ -z "$root" ] || [ $keep = 1 ] || rm -rf --one-file-system "$root" "$root.debootstrap.log"
    echo "clean-root: stopped" >&2
    exit 130
}
trap stop INT TERM HUP
for release in "${releases[@]}"; do
    mkdir -p "$cache/$release/debootstrap" "$cache/$release/apt/partial"
    exec 9>"$cache/$release.lock" # one run of a release at a time: they share its package cache
    flock 9
    root=$(mktemp -d "/var/tmp/clean-root-$release.XXXXXX")
    chmod 755 "$root" # a root directory as any machine has it, open to apt's and dbus's own users
    echo "== clean root: Debian $release, $(git -C "$repo" log -1 --format='%h %s' | cut -c1-60): $command"
    start=$SECONDS
    unshare --mount --pid --fork --kill-child --propagation private -- \
        env CLEAN_ROOT_CACHE="$cache" DEBIAN_MIRROR="$mirror" "$0" --inside "$release" "$root" "$command" 9>&- &
    upid=$!
    result=0
    wait $upid || result=$?
    upid=""
    [ $keep = 1 ] && echo "clean-root: kept $root" || rm -rf --one-file-system "$root" "$root.debootstrap.log"
    root=""
    summary+="  Debian $release: $([ $result = 0 ] && echo passed || echo "FAILED (status $result)") in $((SECONDS - start)) s"$'\n'
    [ $result = 0 ] && passed=$((passed + 1)) || failed=$((failed + 1))
done
printf '== clean roots\n%s' "$summary"
echo "clean-roots: $passed passed, $failed failed"
[ $failed = 0 ]
