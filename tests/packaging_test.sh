#!/bin/bash
# The installed layout and the Debian package: packaging_test.sh install|lint|dpkg BUILD_DIR (77: skipped).
set -eu
id=io.github.calculatordevs.Calculator
build=$(cd "$2" && pwd)
scratch=$(mktemp -d)
trap '[ -z "${installed:-}" ] || dpkg -r calculator >/dev/null 2>&1; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
same_files() { # the list on stdin holds exactly the files the program installs
    sort | diff -u <(printf '%s\n' bin/calculator share/applications/$id.desktop share/doc/calculator/changelog.gz \
        share/doc/calculator/copyright share/icons/hicolor/{128x128,16x16,256x256,32x32,48x48,64x64}/apps/$id.png \
        share/icons/hicolor/scalable/apps/$id.svg share/man/man1/calculator.1.gz share/metainfo/$id.metainfo.xml \
        $(sed '/^#/d; s|.*|share/locale/&/LC_MESSAGES/calculator.mo|' "$(dirname "$0")/../po/LINGUAS") | sort) - ||
        fail "$1 does not hold exactly the expected files"
}
deb() { (cd "$build" && cpack -G DEB >"$scratch/cpack.log") || fail "cpack: $(cat "$scratch/cpack.log")"; ls "$build"/calculator_*.deb; }

case $1 in
install)
    cmake --install "$build" --prefix "$scratch/p" >/dev/null
    (cd "$scratch/p" && find . ! -type d | sed 's|^\./||') | same_files "cmake --install" ;;
lint)
    deb=$(deb)
    for field in "Depends fonts-liberation" "Depends libqt6widgets6" "Recommends qt6-wayland" "Section utils"; do
        dpkg-deb -f "$deb" ${field% *} | grep -qw "${field#* }" || fail "the package's ${field% *} lacks ${field#* }"
    done
    ! dpkg-deb -c "$deb" | grep -v ' root/root ' || fail "files not owned by root"
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' | same_files "the package"
    dpkg-deb -x "$deb" "$scratch/root"
    file -b "$scratch/root/usr/bin/calculator" | grep -q ', stripped' || fail "the packaged program is not stripped"
    # Built as Debian builds: every protection found. hardening-check knows control-flow protection as an x86
    # property of the whole program, which Debian 12's C library start files (Scrt1.o, crti.o) lack.
    cfi=--nocfprotection
    [ "${DEB_HOST_ARCH:-amd64}" != amd64 ] || ! readelf -n "$(g++ -print-file-name=Scrt1.o)" |
        grep -q 'x86 feature: IBT, SHSTK' || cfi=
    # Branch protection is arm64's (BTI and PAC); Debian 13's checker asks it of x86 programs too.
    [ "${DEB_HOST_ARCH:-amd64}" != amd64 ] || ! hardening-check --help 2>&1 | grep -q nobranchprotection ||
        cfi="$cfi --nobranchprotection"
    hardening-check $cfi "$scratch/root/usr/bin/calculator" >"$scratch/hardening" ||
        fail "hardening-check: $(grep -E ': (no|unknown)' "$scratch/hardening")"
    for size in 16 32 48 64 128 256; do
        file -b "$scratch/root/usr/share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size," ||
            fail "the ${size}px icon is no ${size}px PNG"
    done
    lintian --fail-on error --display-info "$deb" || fail "lintian reports errors" ;;
dpkg)
    [ "$(id -u)" = 0 ] || { echo "SKIP: installing into the system needs root"; exit 77; }
    exec 9>/tmp/calculator-package-test.lock # one checkout at a time installs it
    flock 9
    deb=$(deb)
    installed=yes
    dpkg -i "$deb" >"$scratch/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$scratch/dpkg.log")"
    dpkg-query -L calculator >"$scratch/listed"
    # Still running after three seconds, ended by timeout's TERM (status 124).
    status=0
    QT_QPA_PLATFORM=offscreen timeout 3 /usr/bin/calculator || status=$?
    [ $status = 124 ] || fail "the installed program ended by itself with status $status"
    # It finds the installed catalogues: its line without a display is German.
    env -u DISPLAY -u WAYLAND_DISPLAY LANGUAGE= LC_ALL= LC_MESSAGES= LANG=de_DE.UTF-8 QT_QPA_PLATFORM=xcb /usr/bin/calculator \
        2>&1 | grep -q '^calculator: ein X-Display' || fail "the installed program does not speak German under LANG=de_DE"
    dpkg -r calculator >/dev/null && installed=
    while read -r path; do [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left after removal"; done <"$scratch/listed" ;;
esac
echo "$1: as expected"
