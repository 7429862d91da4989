#!/usr/bin/env bash
# Start-up of the real program against a bare Qt window, under a private X server: the
# time from starting the process to its first window being shown, and the peak memory
# (VmHWM) at that moment. Prints the medians of several runs and their ratios, against an
# empty window and against one that shows a line of text.
# Usage: bench/startup.sh <build folder> [runs]
set -euo pipefail
build=$1
runs=${2:-9}

# shellcheck source=/dev/null
source "$(dirname "$0")/../tests/support/private_display.sh"
private_display 150

# One run of the command $1 (with its argument $3): milliseconds to the window titled $2,
# and the peak resident memory in kB.
measure() {
  local start end pid
  start=$(date +%s%N)
  "$1" ${3:+"$3"} >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "^$2\$" >/dev/null 2>&1; do sleep 0.005; done
  end=$(date +%s%N)
  local peak
  peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  kill $pid
  wait $pid 2>/dev/null || true
  echo "$(( (end - start) / 1000000 )) $peak"
}

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

run() {
  local times=() peaks=()
  measure "$@" >/dev/null  # warm the caches
  for _ in $(seq "$runs"); do
    read -r t p < <(measure "$@")
    times+=("$t"); peaks+=("$p")
  done
  echo "$(printf '%s\n' "${times[@]}" | median) $(printf '%s\n' "${peaks[@]}" | median)"
}

read -r korva_ms korva_kb < <(run "$build/app/KORVA" KORVA)
read -r bare_ms bare_kb < <(run "$build/bench/korva_bare_window" bare)
read -r text_ms text_kb < <(run "$build/bench/korva_bare_window" "bare text" text)
awk -v km="$korva_ms" -v kk="$korva_kb" -v bm="$bare_ms" -v bk="$bare_kb" \
    -v tm="$text_ms" -v tk="$text_kb" -v n="$runs" 'BEGIN {
  printf "start-up, median of %d runs    KORVA   empty window  ratio   with text  ratio\n", n
  printf "time to the first window (ms) %6d   %12d  %5.2f   %9d  %5.2f\n", km, bm, km / bm, tm, km / tm
  printf "peak memory (MB)              %6.1f   %12.1f  %5.2f   %9.1f  %5.2f\n", kk / 1024, bk / 1024, kk / bk, tk / 1024, kk / tk
}'
