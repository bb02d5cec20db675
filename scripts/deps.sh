#!/bin/sh
# Installs the missing Debian packages (as root), or names them: deps.sh run|test|windows|arm64.
# run: what building and running need; windows: what building the Windows program and installer needs;
# test: all of these and what the tests, benchmarks and package checks use; arm64: what the arm64 build,
# its tests under qemu and its clean root need (scripts/arm64.sh adds the architecture first).
set -eu
here=$(dirname "$0")
lists="$here/packages-run.txt"
case ${1:-run} in
test) lists="$lists $here/packages-windows.txt $here/packages-test.txt" ;;
windows) lists="$here/packages-windows.txt" ;;
arm64) lists="$here/packages-arm64.txt" ;;
esac
missing=""
for pkg in $(cat $lists | grep -v '^#'); do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing="$missing $pkg"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages. Install them with:" >&2
    echo "  sudo apt-get install --no-install-recommends$missing" >&2
    exit 1
fi
echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $missing
