# Sourced by scripts that run the real program: starts a private X server on the first
# free display from $1 on, with a screen of $2 (1920x1080x24 unless given), points DISPLAY
# at it, stops it when the script ends.
private_display() {
  local n number
  for n in $(seq "$1" $(( $1 + 49 ))); do
    # The server claims the display itself and writes its number once it takes
    # connections; on a display already taken it ends at once, and the next is tried. It
    # does not reset when its last client leaves: a program starting then would find no
    # server to connect to.
    exec {private_display_ready}< <(exec Xvfb ":$n" -displayfd 1 -noreset \
                                      -screen 0 "${2:-1920x1080x24}" -nolisten tcp 2>/dev/null)
    private_display_server=$!
    # Up within moments as a rule; 30 s is beyond any load.
    if read -r -t 30 -u "$private_display_ready" number && [ "$number" = "$n" ]; then break; fi
    kill $private_display_server 2>/dev/null || true
    wait $private_display_server 2>/dev/null || true
    exec {private_display_ready}<&-
    number=""
  done
  [ -n "$number" ] || { echo "no X server would start"; exit 1; }
  # Ended and waited for, so that the display is free again when the script is over.
  trap 'kill $private_display_server 2>/dev/null; wait $private_display_server 2>/dev/null' EXIT
  export DISPLAY=:$number
  export XDG_RUNTIME_DIR
  XDG_RUNTIME_DIR=$(mktemp -d)
  unset QT_QPA_PLATFORM
}
