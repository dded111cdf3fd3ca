#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the software centre's pictures of the running player: a private Xvfb
# of 1280 x 720 with openbox and a plain desktop background, the built player
# on a list of three generated songs. Writes into docs/screenshots/:
#   store-player.png  the player with its playlist, playing
#   store-about.png   the cap off, with the launcher and the About window
#   store-help.png    the help window
# With a scale of 2, the same on a screen of 2560 x 1440 with two of its
# pixels to each of the program's (store-player@2x.png and so on), and the
# README's picture of the player and its list, docs/vorlix.png.
#   make-screenshots.sh <vorlix-binary> [out-dir] [scale]
set -euo pipefail

player=$(readlink -f "$1")
out=$(readlink -f "${2:-$(dirname "$0")/../docs/screenshots}")
scale=${3:-1}
case $scale in
  1) suffix= ;;
  2) suffix=@2x ;;
  *) echo "make-screenshots: the scale is 1 or 2" >&2; exit 2 ;;
esac
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

exec 3< <(Xvfb -displayfd 1 -screen 0 $((1280 * scale))x$((720 * scale))x24 -nolisten tcp 2>/dev/null)
pids+=($!)
read -r number <&3
export DISPLAY=:$number QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy QT_SCALE_FACTOR=$scale
export HOME=$work XDG_CACHE_HOME=$work/cache XDG_CONFIG_HOME=$work/config
unset WAYLAND_DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS

# A desktop: a dark blue-grey gradient with a soft light at the upper left.
convert -size 1280x720 gradient:'#41597a-#1b2433' \
  \( -size 1280x720 radial-gradient:'#ffffff30-#ffffff00' -roll -380-220 \) -compose over -composite \
  -resize $((100 * scale))% "$work/desktop.png"
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
# Points in a window, in the program's pixels.
at() { xdotool mousemove --window "$1" $(($2 * scale)) $(($3 * scale)); }
click() { at "$wid" "$1" "$2"; xdotool click "${3:-1}"; sleep 0.8; }
power() { click 206 54; }
playlist() { click 184 54; }
play() { click 193 31; }
cap() { at "$wid" 252 40; xdotool click --repeat 2 --delay 80 1; sleep 1; }
shot() {
  sleep "${2:-1}"
  import -window root png:- | convert png:- -strip "$out/$1$suffix.png"
  echo "make-screenshots: $out/$1$suffix.png"
}

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
shot store-player 2
if [ "$scale" = 2 ]; then
  # The README's picture: the player and its list, on the desktop.
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  convert "$out/store-player@2x.png" -crop $((300 * scale))x$((200 * scale))+$((X))+$((Y - 10 * scale)) +repage \
    -strip "$out/../vorlix.png"
  echo "make-screenshots: $(readlink -f "$out/../vorlix.png")"
fi

cap
launcher=$(xdotool search --sync --onlyvisible --name '^About$' | head -1)
at "$launcher" 100 36
xdotool click 1
xdotool search --sync --onlyvisible --name '^About Vorlix$' >/dev/null
shot store-about

at "$launcher" 36 36
xdotool click 1
help=$(xdotool search --sync --onlyvisible --name '^Vorlix Help$' | head -1)
xdotool windowactivate --sync "$help" || true
shot store-help
