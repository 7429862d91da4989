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

# Runs "$@" until it succeeds, or fails after 30 s, far more than a loaded machine running
# the sanitized build needs. xdotool fails now and then while windows come and go (a
# window destroyed while it searches); then it is simply asked again.
eventually() {
  for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
  return 1
}
visible() {  # prints the id of a visible window with this exact title, if there is one
  local id
  id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
  [ -n "$id" ] && echo "$id"
}
window() { eventually visible "$1"; }
menu_shown() {  # whether a menu is open: a window of the program's named "KORVA", not $1
  local w
  for w in $(xdotool search --onlyvisible --class '^KORVA$' 2>/dev/null); do
    [ "$w" != "$1" ] && [ "$(xdotool getwindowname "$w" 2>/dev/null)" = KORVA ] && return 0
  done
  return 1
}

failures=0
run() {
  local name=$1 steps=$2
  timeout 90 "$program" >/dev/null 2>&1 &  # a run that hangs ends after 90 s
  local pid=$!
  local intro
  intro=$(window KORVA)
  if [ -z "$intro" ]; then
    echo "FAIL $name: the intro window did not open"; kill $pid; failures=$((failures + 1)); return
  fi
  eval "$steps"
  wait $pid
  local code=$?
  if [ "$code" = 0 ]; then
    echo "ok   $name"
  elif [ "$code" = 124 ]; then
    echo "FAIL $name: still running after 90 s"; failures=$((failures + 1))
  else
    echo "FAIL $name: exit code $code"; failures=$((failures + 1))
  fi
}

# The intro window's Quit button, clicked.
run "Quit in the intro window" '
  xdotool mousemove --window "$intro" 408 327 click 1'

# Ctrl+Q in the intro window, before OK.
run "Ctrl+Q in the intro window" '
  xdotool windowfocus --sync "$intro" key ctrl+q'

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

# OK by Return, then File, Quit from the plot window'"'"'s menu once it is open.
run "File, Quit" '
  xdotool windowfocus --sync "$intro" key Return
  plot=$(window "AB NMR spectrum")
  xdotool windowfocus --sync "$plot" mousemove --window "$plot" 20 8 click 1
  eventually menu_shown "$intro" || echo "the File menu did not open"
  xdotool key Up Return'

exit $failures
