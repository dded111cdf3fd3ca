#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the software centre's pictures of the running player: a private Xvfb
# of 1280 x 720 with openbox and a plain desktop background, the built player
# on a list of three generated songs. Writes into docs/screenshots/:
#   store-player.png  the player with its playlist, playing
#   store-about.png   the cap off, with the launcher and the About window
#   store-help.png    the help window
#   make-screenshots.sh <vorlix-binary> [out-dir]
set -euo pipefail

player=$(readlink -f "$1")
out=$(readlink -f "${2:-$(dirname "$0")/../docs/screenshots}")
for tool in Xvfb openbox xdotool import convert display sox lame; do
  command -v "$tool" >/dev/null || { echo "make-screenshots: $tool is missing" >&2; exit 1; }
done

# A fixed folder: its name shows in the list.
work=${TMPDIR:-/tmp}/vorlix-shots
rm -rf "$work"
mkdir -p "$work/Music" "$work/cache/vorlix" "$work/config"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

exec 3< <(Xvfb -displayfd 1 -screen 0 1280x720x24 -nolisten tcp 2>/dev/null)
pids+=($!)
read -r number <&3
export DISPLAY=:$number QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy
export HOME=$work XDG_CACHE_HOME=$work/cache XDG_CONFIG_HOME=$work/config
unset WAYLAND_DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS

# A desktop: a dark blue-grey gradient with a soft light at the upper left.
convert -size 1280x720 gradient:'#41597a-#1b2433' \
  \( -size 1280x720 radial-gradient:'#ffffff30-#ffffff00' -roll -380-220 \) -compose over -composite \
  "$work/desktop.png"
display -window root "$work/desktop.png" || true # sets the background, then says 1
openbox --sm-disable 2>/dev/null &
pids+=($!)

i=0
for title in "Morning Walk" "Silver Lining" "Night Drive"; do
  i=$((i + 1))
  sox -n -r 44100 -c 2 "$work/tone.wav" synth 240 sine $((220 * i)) vol 0.3
  lame --quiet "$work/tone.wav" "$work/Music/$title.mp3"
  printf '%s\r\n' "$work/Music/$title.mp3" >>"$work/cache/vorlix/mp3list.ini"
done
rm -f "$work/tone.wav"

"$player" &
pids+=($!)
wid=$(xdotool search --sync --name '^Ormatel$' | head -1)
sleep 1
# Points in the player window, in pixels.
click() { xdotool mousemove --window "$wid" "$1" "$2" click "${3:-1}"; sleep 0.8; }
power() { click 206 54; }
playlist() { click 184 54; }
play() { click 193 31; }
cap() { xdotool mousemove --window "$wid" 252 40 click --repeat 2 --delay 80 1; sleep 1; }
shot() { sleep "${2:-1}"; import -window root png:- | convert png:- -strip "$out/$1"; echo "make-screenshots: $out/$1"; }

power
# The playlist button answers once the player has come on.
for _ in $(seq 10); do
  playlist
  xdotool search --onlyvisible --name '^Play List$' >/dev/null && break
done
xdotool search --sync --onlyvisible --name '^Play List$' >/dev/null
play
# Playing puts the list away; it comes back on the playlist button.
for _ in $(seq 10); do
  playlist
  xdotool search --onlyvisible --name '^Play List$' >/dev/null && break
done
shot store-player.png 2

cap
launcher=$(xdotool search --sync --onlyvisible --name '^About$' | head -1)
xdotool mousemove --window "$launcher" 100 36 click 1
xdotool search --sync --onlyvisible --name '^About Vorlix$' >/dev/null
shot store-about.png

xdotool mousemove --window "$launcher" 36 36 click 1
help=$(xdotool search --sync --onlyvisible --name '^Vorlix Help$' | head -1)
xdotool windowactivate --sync "$help" || true
shot store-help.png
