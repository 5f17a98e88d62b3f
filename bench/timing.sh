# Sourced by the benchmark scripts: wall time of whole processes and medians.

# Wall time of one whole process in microseconds (no helper process is timed).
run_us() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || true
    local end=$EPOCHREALTIME
    echo $((${end//[.,]/} - ${start//[.,]/}))
}
# The median of the numbers on standard input, one a line.
median() { sort -n | awk '{a[NR]=$1} END{ if (NR%2) print a[(NR+1)/2]; else print (a[NR/2]+a[NR/2+1])/2 }'; }
# The median of the arguments.
m() { printf '%s\n' "$@" | median; }

# One line with the machine's load over the last 1, 5 and 15 minutes.
load_line() { echo "# load $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) cores)"; }

# interleave ROUNDS VARIANT...: one warm-up round that is not kept, then
# ROUNDS rounds, each running every variant once. Each round starts one
# variant further along the list, so no variant always runs after the same
# one (a page cache or a CPU frequency left behind by one hits all alike).
# A variant is a shell function that prepares what it needs untimed and
# prints the wall time of its timed part in microseconds (see run_us). The
# times land in TIMES[VARIANT], blank-separated in round order.
declare -A TIMES
interleave() {
    local _rounds=$1
    shift
    # Names of their own: bash lets the variants see these locals.
    local _variants=("$@") _round _i _name _t
    for _name in "${_variants[@]}"; do TIMES[$_name]=""; done
    for ((_round = 0; _round <= _rounds; _round++)); do
        for ((_i = 0; _i < ${#_variants[@]}; _i++)); do
            _name=${_variants[(_i + _round) % ${#_variants[@]}]}
            _t=$("$_name")
            ((_round == 0)) || TIMES[$_name]+="$_t "
        done
    done
}

# ratio_line LABEL A B GOAL: the median time of variants A and B, the ratio
# A / B of the medians and the range of the per-round ratios; GOAL is an awk
# condition on the ratio r, e.g. "r >= 1.2".
ratio_line() {
    awk -v label="$1" -v a="${TIMES[$2]}" -v b="${TIMES[$3]}" "
    function sorted(v, n,    i, j, t) {
        for (i = 2; i <= n; i++)
            for (j = i; j > 1 && v[j - 1] > v[j]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
    }
    function median(v, n) { return (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2 }
    BEGIN {
        n = split(a, x, \" \"); split(b, y, \" \")
        for (i = 1; i <= n; i++) q[i] = x[i] / y[i]
        sorted(x, n); sorted(y, n); sorted(q, n)
        r = median(x, n) / median(y, n)
        printf \"  %-40s %9.1f ms / %9.1f ms = %5.2f (rounds %.2f-%.2f) goal $4: %s\\n\",
            label, median(x, n) / 1000, median(y, n) / 1000, r, q[1], q[n], (($4) ? \"met\" : \"MISSED\")
    }"
}
