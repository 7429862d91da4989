#!/usr/bin/env bash
# Starts the real program under a private X server and ends it by each of its quit paths,
# as a student would with the keyboard and the mouse: every path must end it with 0.
# Usage: quit_paths.sh <KORVA executable>
set -u
program=$1

# shellcheck source=/dev/null
source "$(dirname "$0")/../support/private_display.sh"
private_display 90
# A sanitizer build reports what the desktop's own libraries keep until exit; not ours.
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../support/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

window() {  # the id of the visible window with this exact title, waiting up to 10 s
  timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1
}

failures=0
run() {
  local name=$1 steps=$2
  "$program" >/dev/null 2>&1 &
  local pid=$!
  local intro
  intro=$(window KORVA)
  if [ -z "$intro" ]; then
    echo "FAIL $name: the intro window did not open"; kill $pid; failures=$((failures + 1)); return
  fi
  eval "$steps"
  local code=timeout
  for _ in $(seq 100); do
    if ! kill -0 $pid 2>/dev/null; then wait $pid; code=$?; break; fi
    sleep 0.1
  done
  if [ "$code" = 0 ]; then
    echo "ok   $name"
  else
    echo "FAIL $name: exit code $code"; kill $pid 2>/dev/null; failures=$((failures + 1))
  fi
}

# The intro window's Quit button, clicked.
run "Quit in the intro window" '
  xdotool mousemove --window "$intro" 408 327 click 1'

# OK by Return, then Ctrl+Q in the plot window.
run "Ctrl+Q in the plot window" '
  xdotool windowfocus --sync "$intro" key Return
  plot=$(window "AB NMR spectrum")
  xdotool windowfocus --sync "$plot" key ctrl+q'

# OK by Return, then Ctrl+Q while typing in the parameter window.
run "Ctrl+Q in the parameter window" '
  xdotool windowfocus --sync "$intro" key Return
  parameters=$(window Parameters)
  xdotool windowfocus --sync "$parameters" type 7
  xdotool key ctrl+q'

# OK by Return, then File, Quit from the plot window'"'"'s menu.
run "File, Quit" '
  xdotool windowfocus --sync "$intro" key Return
  plot=$(window "AB NMR spectrum")
  xdotool windowfocus --sync "$plot" mousemove --window "$plot" 20 8 click 1
  sleep 0.5
  xdotool key Up Return'

exit $failures
