#!/usr/bin/env bash
# make bench: times the drawing a user waits for (ohmbra-bench) and the start-up against the
# bare Qt baseline (startup.sh), then checks each figure against its target. Builds nothing:
# the programs come from the default build (build/, or OHMBRA_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${OHMBRA_BUILD_DIR:-build}
export OHMBRA_BUILD_DIR=$build
[ -x "$build/ohmbra-bench" ] || { echo "bench: $build/ohmbra-bench is missing; build first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Qt complains on every start when this is unset.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

echo "Machine: $(nproc) cores, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "== Drawing (ohmbra-bench; 5 repetitions, median is what counts) =="
"$build/ohmbra-bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_min_time=0.2 --benchmark_out="$work/bench.csv" --benchmark_out_format=csv
echo
echo "== Start-up (Xvfb) =="
tools/bench/startup.sh --runs "${OHMBRA_BENCH_RUNS:-15}" --out "$work/startup"
startup() { awk -F= -v key="$1" '$1 == key { print $2 }' "$work/startup"; }
startupRatio=$(startup startupRatio)
startupOhmbraMs=$(startup startupOhmbraMs) startupBaselineMs=$(startup startupBaselineMs)
peakRssOhmbraKib=$(startup peakRssOhmbraKib)

# Median wall-clock time of benchmark $1 in microseconds.
benchUs() {
    awk -F, -v name="\"$1_median\"" '
        $1 == name { scale = ($5 == "\"ns\"") ? 0.001 : ($5 == "\"ms\"") ? 1000 : ($5 == "\"s\"") ? 1e6 : 1
                     print $3 * scale; found = 1 }
        END { if (!found) exit 1 }' "$work/bench.csv"
}

met=0 total=0
# LABEL VALUE LIMIT SHOWN: met when VALUE <= LIMIT.
verdict() {
    local status=missed
    if awk -v v="$2" -v l="$3" 'BEGIN { exit !(v <= l) }'; then
        status=met
        met=$((met + 1))
    fi
    total=$((total + 1))
    printf '  %-7s %-28s %s\n' "$status" "$1" "$4"
}

render5=$(benchUs renderView/5) render4=$(benchUs renderView/4) click=$(benchUs clickToReadout)
rssMib=$(awk -v k="$peakRssOhmbraKib" 'BEGIN { printf "%.1f", k / 1024 }')
ms() { awk -v us="$1" 'BEGIN { printf "%.3f ms", us / 1000 }'; }

echo
echo "== Targets =="
verdict "full renderView, 5 bands" "$render5" 3000 "$(ms "$render5")  (target <= 3 ms)"
verdict "full renderView, 4 bands" "$render4" 3000 "$(ms "$render4")  (target <= 3 ms)"
verdict "click -> readout" "$click" 1000 "$(ms "$click")  (target <= 1 ms)"
verdict "start-up vs baseline" "$startupRatio" 1.1 \
    "${startupRatio} x  (${startupOhmbraMs} / ${startupBaselineMs} ms; target <= 1.1 x)"
verdict "peak RSS" "$rssMib" 42 "${rssMib} MiB  (target <= 42 MiB)"
echo "  $met of $total targets met"
