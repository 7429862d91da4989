# Sourced by scripts that run the real program: starts a private X server on the first
# free display from $1 on, points DISPLAY at it, stops it when the script ends.
private_display() {
  local display="" n
  for n in $(seq "$1" $(( $1 + 49 ))); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
  done
  [ -n "$display" ] || { echo "no free display"; exit 1; }
  Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  private_display_server=$!
  trap 'kill $private_display_server 2>/dev/null' EXIT
  export DISPLAY=$display
  # Up within moments as a rule; 30 s is beyond any load.
  local up=""
  for _ in $(seq 300); do xdotool getdisplaygeometry >/dev/null 2>&1 && { up=1; break; }; sleep 0.1; done
  [ -n "$up" ] || { echo "the X server on $display did not start"; exit 1; }
  export XDG_RUNTIME_DIR
  XDG_RUNTIME_DIR=$(mktemp -d)
  unset QT_QPA_PLATFORM
}
