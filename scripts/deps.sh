#!/bin/sh
# Installs the missing Debian packages (as root), or names them: deps.sh run|test|windows|arch|arm64.
# run: what building and running need; windows: what building the Windows program and installer needs;
# arch: the cross compilers and qemu-user of the other processors;
# test: all of these and what the tests, benchmarks and package checks use; arm64: what the arm64 build,
# its tests under qemu and its clean root need (scripts/arm64.sh adds the architecture first).
set -eu
here=$(dirname "$0")
lists="$here/packages-run.txt"
# The other processors' list, and the one of this release's own (Debian 12: mips64el).
arch="$here/packages-arch.txt"
release=$(. /etc/os-release && echo "$VERSION_CODENAME")
[ ! -f "$here/packages-arch-$release.txt" ] || arch="$arch $here/packages-arch-$release.txt"
case ${1:-run} in
test) lists="$lists $here/packages-windows.txt $here/packages-test.txt $arch" ;;
windows) lists="$here/packages-windows.txt" ;;
arch) lists="$arch" ;;
arm64) lists="$here/packages-arm64.txt" ;;
esac
missing=""
for pkg in $(cat $lists | grep -v '^#'); do
    # One line an installed architecture of it (amd64 and arm64 both, once arm64 is added).
    dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -qx "install ok installed" || missing="$missing $pkg"
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
