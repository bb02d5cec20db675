#!/bin/sh
# The Debian archive to make a root from: DEBIAN_MIRROR, or the one this machine's apt already uses (deb822
# sources first, then sources.list), security archive aside.
if [ -n "${DEBIAN_MIRROR:-}" ]; then
    echo "$DEBIAN_MIRROR"
    exit 0
fi
uri=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null |
    grep -v -- '-security' | head -1)
[ -n "$uri" ] || uri=$(sed -n 's/^deb \(\[[^]]*\] \)\?\([^ ]*\) .*/\2/p' /etc/apt/sources.list \
    /etc/apt/sources.list.d/*.list 2>/dev/null | grep -v -- '-security' | head -1)
echo "$uri"
