#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws Vorlix's pictures and sounds with artgen, converts them to the formats
# the program loads, checks the results and only then copies them into place.
#   make-assets.sh <artgen-binary> <assets-dir>
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 <artgen-binary> <assets-dir>" >&2
  exit 2
fi
artgen=$1
assets=$2
command -v convert >/dev/null || { echo "make-assets: ImageMagick's convert is missing" >&2; exit 1; }
[ -x "$artgen" ] || { echo "make-assets: $artgen is not executable" >&2; exit 1; }
[ -d "$assets" ] || { echo "make-assets: $assets is not a folder" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
raw=$work/raw
final=$work/final
mkdir -p "$final"

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$artgen" "$raw"

# Shaped pictures: the outside is fully transparent in the drawing. They are
# cut down to 256 colours as a GIF would be, with one transparent palette
# entry whose colour is the key the program cuts by, and stored as palette
# PNGs: Qt keeps those at a byte a pixel and reads them without a plugin.
gif() { # name key-colour
  convert "$raw/$1.png" -strip -dither None -colors 256 -transparent-color "$2" "$work/$1.gif"
  convert "$work/$1.gif" -strip "PNG8:$final/$1.png"
}
# Each is drawn for 1x, 2x and 3x screens (name, name@2x, name@3x).
for scale in "" @2x @3x; do
  for name in skin1 skin2 play pause playlist_outline; do
    gif "$name$scale" white
  done
  gif "about$scale" red
  gif "help$scale" magenta

  # The panel shows whenever the list does: a palette PNG, which Qt reads
  # without loading a JPEG library and keeps at a byte a pixel. Undithered,
  # 256 colours cannot be told from the drawing.
  convert "$raw/playlist_panel$scale.png" -strip -dither None -colors 256 "PNG8:$final/playlist_panel$scale.png"
done
convert "$raw/about_photo.png" -strip -quality 95 -sampling-factor 1x1 "$final/about_photo.jpg"
convert "$raw/icon32.png" "$raw/icon16.png" -strip "$final/vorlix.ico"
# The desktop's icons, one drawing per size.
mkdir -p "$final/icons"
for size in 16 24 32 48 64 128 256; do
  convert "$raw/icon$size.png" -strip "PNG32:$final/icons/vorlix-$size.png"
done
cp "$raw/vorlix.svg" "$final/icons/vorlix.svg"
cp "$raw/do.wav" "$raw/usbopen.wav" "$final/"

"$artgen" --verify "$final"

cp -r "$final"/* "$assets/"
echo "make-assets: wrote $(cd "$final" && ls | tr '\n' ' ')to $assets"
