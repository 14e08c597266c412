# Shared by the CPU benchmarks (sourced): CPU ticks of processes, and the processes of
# this Wine prefix only, so that other prefixes on the machine are not counted.

# Pids of the processes whose command line matches the pattern and that run in $WINEPREFIX.
prefix_pids() {
    local p
    for p in $(pgrep -f "$1" || true); do
        if tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then echo "$p"; fi
    done
}

# The wineserver and the winedevice process that hosts the driver: the two that carry each
# driver request. The other winedevice processes (Wine's USB and HID buses) poll on their own,
# a few percent of a core, whatever the programs do.
driver_request_pids() {
    local p
    prefix_pids 'wineserver'
    for p in $(prefix_pids 'winedevice.exe'); do
        if grep -qi 'kesmadrv\.sys' "/proc/$p/maps" 2>/dev/null; then echo "$p"; fi
    done
}

# User plus system CPU ticks of the given pids, summed.
ticks() {
    local t=0 p
    for p in "$@"; do t=$((t + $(awk '{print $14 + $15}' "/proc/$p/stat" 2>/dev/null || echo 0))); done
    echo $t
}

# measure_cpu SECONDS NAME PIDS -- HELPER_PIDS: prints the share of one core each group used.
measure_cpu() {
    local seconds=$1 name=$2; shift 2
    local program=() helpers=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do program+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    helpers=("$@")
    local hz p0 h0 p1 h1
    hz=$(getconf CLK_TCK)
    p0=$(ticks "${program[@]}"); h0=$(ticks "${helpers[@]}")
    sleep "$seconds"
    p1=$(ticks "${program[@]}"); h1=$(ticks "${helpers[@]}")
    echo "CPU while waiting, in % of one core over ${seconds} s:"
    echo "  $name: $(awk -v t=$((p1 - p0)) -v d=$((hz * seconds)) 'BEGIN { printf "%.1f", 100 * t / d }')"
    echo "  wineserver and winedevice (the driver requests under Wine): $(awk -v t=$((h1 - h0)) -v d=$((hz * seconds)) 'BEGIN { printf "%.1f", 100 * t / d }')"
}
