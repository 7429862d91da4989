#!/usr/bin/env bash
# Runs a command on a private desktop as students have them: an X server with a screen of
# the given size, a window manager, the given scale and Qt's platform theme for the given
# desktop theme. The command learns the theme from KORVA_THEME.
# Usage: on_desktop.sh <width>x<height> <scale> <theme> <command...>
#   theme: qt (Qt's own), gtk3 and gtk3-dark (GTK's Adwaita, light or dark), gnome (Qt's
#   built-in GNOME theme)
set -u
size=$1 scale=$2 theme=$3
shift 3

# shellcheck source=/dev/null
source "$(dirname "$0")/../support/private_display.sh"
private_display 120 "${size}x24"
export LSAN_OPTIONS="suppressions=$(dirname "$0")/../support/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# The window manager ends with the X server. It is ready once it has named itself on the
# root window; it does so within moments, 30 s is beyond any load.
openbox --sm-disable >/dev/null 2>&1 &
ready=""
for _ in $(seq 300); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then ready=1; break; fi
  sleep 0.1
done
[ -n "$ready" ] || { echo "the window manager did not start"; exit 1; }

export QT_QPA_PLATFORM=xcb KORVA_THEME=$theme
unset QT_QPA_PLATFORMTHEME GTK_THEME QT_SCALE_FACTOR
case $theme in
  qt) ;;
  gtk3) export QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita ;;
  gtk3-dark) export QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark ;;
  gnome) export QT_QPA_PLATFORMTHEME=gnome ;;
  *) echo "no such theme: $theme"; exit 1 ;;
esac
if [ "$scale" != 1 ]; then export QT_SCALE_FACTOR=$scale; fi
"$@"
