#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the seed corpora of the fuzz targets into $1/fuzz_playlist and
# $1/fuzz_song: a few playlists with every kind of line end, and short songs
# in each MPEG version (made with sox and lame), one with an ID3v2 tag.
set -euo pipefail
out=$1
mkdir -p "$out/fuzz_playlist" "$out/fuzz_song" "$out/fuzz_commandline" "$out/fuzz_fileuri" "$out/fuzz_urilist" "$out/fuzz_request"
p=$out/fuzz_playlist
printf '/home/u/Music/a.mp3\r\n/home/u/Music/b.mp3\r\n' > "$p/crlf"
printf 'a\nb\rc\r\n\r\n\n\rd' > "$p/mixed"
printf 'C:\\Music\\\xe9t\xe9.mp3\r\n  spaced  \r\n\xff\xfe\x00\x01\r\n' > "$p/bytes"
: > "$p/empty"

c=$out/fuzz_commandline
printf 'vorlix\0a.mp3\0--next\0-platform\0xcb\0--\0--help' > "$c/files"
printf 'vorlix\0--play-pause\0-reverse\0-\0--shuffle' > "$c/unknown"
printf 'vorlix\0-v' > "$c/version"
u=$out/fuzz_fileuri
printf '/home/u/Music/Caf\xe9 #1.mp3' > "$u/path"
printf 'file:///m/a%%20b.mp3?x#y' > "$u/uri"
printf './x/../y.mp3' > "$u/relative"
l=$out/fuzz_urilist
printf '# from a file manager\r\nfile:///m/a.mp3\r\nfile:///m/b%%0A.mp3\r\n' > "$l/list"
printf 'file:///a\nhttp://x/y\n\n#c\r\r\n' > "$l/mixed"
r=$out/fuzz_request
# A request as a later start sends it: magic, folder "/w", one file, "Next".
printf 'Vor1\0\0\0\2/w\0\0\0\1\0\0\0\5a.mp3\0\0\0\1\0\0\0\10\0N\0e\0x\0t' > "$r/request"
printf 'Vor1\377\377\377\377\0\0\0\0\0\0\0\0' > "$r/empty"
# A count of files no request could hold: refused, not made room for.
printf 'Vor1\0\0\0\0\377\377\377\370' > "$r/huge-count"

s=$out/fuzz_song
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
song() { # name, sox rate/channels, lame options
  sox -D -n -b 16 -r "$2" -c "$3" "$tmp/$1.wav" synth 0.15 sine 440
  lame --quiet "${@:4}" "$tmp/$1.wav" "$s/$1.mp3"
}
song mpeg1-stereo 44100 2 -b 64
song mpeg2-mono 22050 1 -b 32
song mpeg25-mono 8000 1 -b 16
song vbr-id3 48000 2 -V 6 --tt Seed --ta Vorlix --add-id3v2
head -c 700 "$s/mpeg1-stereo.mp3" > "$s/cut-short.mp3"
printf 'Not a song.\n' > "$s/text"
