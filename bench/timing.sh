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
