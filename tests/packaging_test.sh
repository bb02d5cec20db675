#!/bin/sh
# Checks the installed layout and the Debian package of the calculator.
#   packaging_test.sh install BUILD_DIR   cmake --install into a scratch prefix, compare the file list
#   packaging_test.sh lint BUILD_DIR      build the .deb with CPack, check its control data and lintian
#   packaging_test.sh dpkg BUILD_DIR      install the .deb into this system, start the program, remove it
# Exit status 77 means skipped (CTest SKIP_RETURN_CODE).
set -eu

app_id=io.github.calculatordevs.Calculator
mode=$1
build=$(cd "$2" && pwd)
scratch=$(mktemp -d)
installed=no
cleanup() {
    # A failed check must not leave the package in the system.
    [ $installed = no ] || dpkg -r calculator >/dev/null 2>&1 || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Every file the program installs, relative to the prefix; nothing more may appear.
expected_files() {
    cat <<EOF
bin/calculator
share/applications/$app_id.desktop
share/doc/calculator/changelog.gz
share/doc/calculator/copyright
share/icons/hicolor/128x128/apps/$app_id.png
share/icons/hicolor/16x16/apps/$app_id.png
share/icons/hicolor/256x256/apps/$app_id.png
share/icons/hicolor/32x32/apps/$app_id.png
share/icons/hicolor/48x48/apps/$app_id.png
share/icons/hicolor/64x64/apps/$app_id.png
share/icons/hicolor/scalable/apps/$app_id.svg
share/man/man1/calculator.1.gz
share/metainfo/$app_id.metainfo.xml
EOF
}

check_file_list() { # actual list on stdin, label
    sort >"$scratch/actual"
    expected_files | sort >"$scratch/expected"
    diff -u "$scratch/expected" "$scratch/actual" >&2 || fail "$1 does not hold exactly the expected files"
}

check_install() {
    prefix=$scratch/prefix
    cmake --install "$build" --prefix "$prefix" >/dev/null
    (cd "$prefix" && find . ! -type d | sed 's|^\./||') | check_file_list "cmake --install"

    [ -x "$prefix/bin/calculator" ] || fail "bin/calculator is not executable"
    for size in 16 32 48 64 128 256; do
        png=$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png
        file -b "$png" | grep -q "PNG image data, $size x $size," || fail "$png is not a ${size}px PNG"
    done
    grep -qx "Icon=$app_id" "$prefix/share/applications/$app_id.desktop" || fail "desktop entry names another icon"
    grep -qx "Exec=calculator" "$prefix/share/applications/$app_id.desktop" || fail "desktop entry runs another program"
    grep -q "<id>$app_id</id>" "$prefix/share/metainfo/$app_id.metainfo.xml" || fail "metainfo has another id"
    grep -q ">$app_id.desktop</launchable>" "$prefix/share/metainfo/$app_id.metainfo.xml" ||
        fail "metainfo launches another desktop entry"
    for gz in share/doc/calculator/changelog.gz share/man/man1/calculator.1.gz; do
        gzip -t "$prefix/$gz" || fail "$gz is not gzip data"
        if file -b "$prefix/$gz" | grep -q "last modified"; then fail "$gz carries a time stamp"; fi
    done
    echo "install: layout as expected"
}

build_deb() {
    (cd "$build" && cpack -G DEB >"$scratch/cpack.log" 2>&1) || {
        cat "$scratch/cpack.log" >&2
        fail "cpack failed"
    }
    deb=$(ls "$build"/calculator_*_*.deb)
    [ "$(echo "$deb" | wc -l)" -eq 1 ] || fail "expected one package in $build, found: $deb"
}

check_lint() {
    build_deb
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    for dep in fonts-liberation libqt6widgets6 libc6; do
        echo "$depends" | grep -qw "$dep" || fail "Depends lacks $dep"
    done
    [ "$(dpkg-deb -f "$deb" Package)" = calculator ] || fail "package is not named calculator"
    [ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "section is not utils"

    dpkg-deb -c "$deb" >"$scratch/contents"
    if grep -v ' root/root ' "$scratch/contents"; then fail "files not owned by root"; fi
    if grep -v '^-rw-r--r-- \|^-rwxr-xr-x \|^drwxr-xr-x ' "$scratch/contents"; then
        fail "files with unusual permissions"
    fi
    awk '$1 !~ /^d/ { print $6 }' "$scratch/contents" | sed 's|^\./usr/||' | check_file_list "the package"

    dpkg-deb -x "$deb" "$scratch/root"
    file -b "$scratch/root/usr/bin/calculator" | grep -q ', stripped' || fail "the packaged program is not stripped"

    # Errors fail the check; warnings and notes are printed for whoever reads the log.
    lintian --fail-on error --display-info "$deb" || fail "lintian reports errors"
    echo "lint: package as expected"
}

# dpkg takes a system-wide lock, and apt may hold it for a while: wait for it rather than fail.
run_dpkg() {
    tries=0
    until dpkg "$@" >"$scratch/dpkg.log" 2>&1; do
        if grep -q 'lock' "$scratch/dpkg.log" && [ $tries -lt 60 ]; then
            tries=$((tries + 1))
            sleep 2
            continue
        fi
        cat "$scratch/dpkg.log" >&2
        fail "dpkg $*"
    done
}

check_dpkg() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "SKIP: installing the package into the system needs root"
        exit 77
    fi
    # Two checkouts on one machine must not install and remove the package under each other.
    exec 9>/tmp/calculator-package-test.lock
    flock 9

    build_deb
    installed=yes
    run_dpkg -i "$deb"
    dpkg-query -L calculator >"$scratch/listed"
    grep -qx /usr/bin/calculator "$scratch/listed" || fail "dpkg does not list /usr/bin/calculator"
    if ldd /usr/bin/calculator | grep 'not found'; then fail "the installed program misses libraries"; fi

    # Alive after three seconds, then ended by the TERM signal: timeout reports 124 for that.
    status=0
    QT_QPA_PLATFORM=offscreen timeout -s TERM 3 /usr/bin/calculator >"$scratch/run.log" 2>&1 || status=$?
    cat "$scratch/run.log"
    [ $status -eq 124 ] || fail "the installed program ended by itself with status $status"

    run_dpkg -r calculator
    installed=no
    state=$(dpkg-query -W -f='${db:Status-Status}' calculator 2>/dev/null || echo not-installed)
    [ "$state" = not-installed ] || fail "package state after removal is $state"
    while read -r path; do
        if [ ! -d "$path" ] && [ -e "$path" ]; then fail "$path is left after removal"; fi
    done <"$scratch/listed"
    echo "dpkg: installed, started and removed cleanly"
}

case $mode in
install) check_install ;;
lint) check_lint ;;
dpkg) check_dpkg ;;
*) fail "unknown mode $mode" ;;
esac
