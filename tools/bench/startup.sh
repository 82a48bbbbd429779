#!/usr/bin/env bash
# Start-up of Ohmbra against the bare Qt Widgets baseline, side by side on one Xvfb server:
# time from starting the program to its first painted frame, and peak resident memory. The
# processor time of each whole run is shown too: on a busy machine it varies far less than the
# wall-clock time does.
#
#   tools/bench/startup.sh [--runs N] [--out FILE]
#
# One discarded warm-up run of each, then N rounds (default 15) that run both programs, the
# order alternating from round to round so that neither always follows the other. Prints each
# run and the medians; --out also writes the medians to FILE as KEY=VALUE lines.
set -euo pipefail
cd "$(dirname "$0")/../.."

runs=15
out=
while [ $# -gt 0 ]; do
    case $1 in
        --runs) runs=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        *) echo "usage: $0 [--runs N] [--out FILE]" >&2; exit 2 ;;
    esac
done

build=${OHMBRA_BUILD_DIR:-build}
for program in ohmbra ohmbra-baseline ohmbra-frame-probe; do
    [ -x "$build/$program" ] || { echo "startup.sh: $build/$program is missing; build first" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
samples=$work/samples
# Qt complains on every start when this is unset; the complaint is not part of a start-up.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

# The rounds run inside the server's session; their script is deliberately single-quoted.
# shellcheck disable=SC2016
# -br: a black root, so a window that has not painted yet reads as one flat colour.
xvfb-run -a -s "-screen 0 1280x800x24 -br -nolisten tcp" bash -c '
    set -euo pipefail
    build=$1 runs=$2 samples=$3
    probe() { # NAME TITLE PROGRAM: appends "NAME MS KIB CPU_MS" to the samples
        local result
        result=$("$build/ohmbra-frame-probe" "$2" "$build/$3") || exit 1
        echo "$1 $result" >>"$samples"
    }
    ohmbra() { probe ohmbra Ohmbra ohmbra; }
    baseline() { probe baseline "Ohmbra baseline" ohmbra-baseline; }
    ohmbra; baseline; : >"$samples" # warm-up: caches, fonts, the skin library in place
    for ((round = 1; round <= runs; round++)); do
        if ((round % 2)); then ohmbra; baseline; else baseline; ohmbra; fi
    done
' startup "$build" "$runs" "$samples"

# Median of column $2 for rows named $1.
median() {
    awk -v name="$1" -v column="$2" '$1 == name { print $column }' "$samples" | sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ohmbraMs=$(median ohmbra 2) baselineMs=$(median baseline 2)
ohmbraKib=$(median ohmbra 3) baselineKib=$(median baseline 3)
ratio=$(awk -v a="$ohmbraMs" -v b="$baselineMs" 'BEGIN { printf "%.3f", a / b }')

ohmbraCpu=$(median ohmbra 4) baselineCpu=$(median baseline 4)
div() { awk -v a="$1" -v b="$2" -v f="$3" 'BEGIN { printf f, a / b }'; }
row() { printf '  %-16s %12s %12s %16s\n' "$@"; }

echo "Start-up to the first painted frame, $runs interleaved runs each"
echo "(each run: ms to first frame / peak RSS KiB / CPU ms of the whole run):"
for name in ohmbra baseline; do
    printf '  %-9s' "$name"
    awk -v name="$name" '$1 == name { printf " %s/%s/%s", $2, $3, $4 }' "$samples"
    echo
done
echo "Medians:"
row "" "first frame" "peak RSS" "CPU, whole run"
row ohmbra "$ohmbraMs ms" "$(div "$ohmbraKib" 1024 %.1f) MiB" "$ohmbraCpu ms"
row baseline "$baselineMs ms" "$(div "$baselineKib" 1024 %.1f) MiB" "$baselineCpu ms"
row ohmbra/baseline "$ratio x" "$(div "$ohmbraKib" "$baselineKib" %.3f) x" \
    "$(div "$ohmbraCpu" "$baselineCpu" %.3f) x"

if [ -n "$out" ]; then
    cat >"$out" <<EOF
startupOhmbraMs=$ohmbraMs
startupBaselineMs=$baselineMs
startupRatio=$ratio
peakRssOhmbraKib=$ohmbraKib
peakRssBaselineKib=$baselineKib
cpuOhmbraMs=$ohmbraCpu
cpuBaselineMs=$baselineCpu
EOF
fi
