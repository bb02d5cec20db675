# What the start-up benchmarks share: a first_frame line's fields, and medians and ranges of runs.
function field(name,   i, kv) {
    for (i = 2; i <= NF; i++) { split($i, kv, "="); if (kv[1] == name) return kv[2] }
    return ""
}
function sortv(a, m,   i, j, t) {
    for (i = 2; i <= m; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
}
function median(a, m) { return (m % 2) ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2 }
function show(label, a, m, unit) {
    if (!m) { printf "  %-24s no successful run\n", label; return }
    sortv(a, m)
    printf "  %-24s median %7.1f %s   range %7.1f .. %7.1f   (%d runs)\n", label, median(a, m), unit, a[1], a[m], m
}
