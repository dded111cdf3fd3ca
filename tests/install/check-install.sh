#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a build into a scratch DESTDIR under /usr and checks what lands
# there: the exact file list, the bin link into the program folder, icon sizes,
# the menu entry, metadata and manual page through their validators, and the
# menu entry's (with its actions') and metadata's translations.
#   check-install.sh <cmake> <build-dir>
set -uo pipefail

cmake=$1
build=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

if ! DESTDIR=$dest "$cmake" --install "$build" --prefix /usr >"$dest.log" 2>&1; then
  cat "$dest.log" >&2
  rm -f "$dest.log"
  fail "cmake --install"
  exit 1
fi
rm -f "$dest.log"
root=$dest/usr

expected=$(sort <<'LIST'
bin/vorlix
lib/vorlix/vorlix
lib/vorlix/vorlix-audio.so
lib/vorlix/vorlix-sdl.so
share/applications/io.github.vorlix.vorlix.desktop
share/icons/hicolor/128x128/apps/vorlix.png
share/icons/hicolor/16x16/apps/vorlix.png
share/icons/hicolor/24x24/apps/vorlix.png
share/icons/hicolor/256x256/apps/vorlix.png
share/icons/hicolor/32x32/apps/vorlix.png
share/icons/hicolor/48x48/apps/vorlix.png
share/icons/hicolor/64x64/apps/vorlix.png
share/icons/hicolor/scalable/apps/vorlix.svg
share/man/man1/vorlix.1.gz
share/metainfo/io.github.vorlix.vorlix.metainfo.xml
share/vorlix/VORLIX.HLP
share/vorlix/do.wav
share/vorlix/translations/vorlix_de.qm
share/vorlix/translations/vorlix_en.qm
share/vorlix/translations/vorlix_es.qm
share/vorlix/translations/vorlix_fr.qm
share/vorlix/translations/vorlix_it.qm
share/vorlix/translations/vorlix_ja.qm
share/vorlix/translations/vorlix_pt_BR.qm
share/vorlix/translations/vorlix_ru.qm
share/vorlix/translations/vorlix_zh_CN.qm
share/vorlix/translations/vorlix_zh_TW.qm
share/vorlix/usbopen.wav
LIST
)
actual=$(cd "$dest" && find . ! -type d | sed 's|^\./||' | sort)
if [ "$actual" != "$(sed 's|^|usr/|' <<<"$expected")" ]; then
  fail "installed files differ from the list:"
  diff <(sed 's|^|usr/|' <<<"$expected") <(echo "$actual") >&2
fi

# The link must be relative to stay inside DESTDIR, and lead to the program
# next to its audio modules, which it loads from its own folder.
if [ ! -L "$root/bin/vorlix" ]; then
  fail "bin/vorlix is not a link"
elif [ "$(readlink -f "$root/bin/vorlix")" != "$(readlink -f "$root/lib/vorlix/vorlix")" ]; then
  fail "bin/vorlix leads to $(readlink -f "$root/bin/vorlix"), not the program folder"
fi
[ -x "$root/lib/vorlix/vorlix" ] || fail "lib/vorlix/vorlix is not executable"

for dir in "$root"/share/icons/hicolor/*x*/apps; do
  size=$(basename "$(dirname "$dir")")
  got=$(identify -format '%wx%h' "$dir/vorlix.png" 2>&1)
  [ "$got" = "$size" ] || fail "icon in $size is $got"
done

gzip -t "$root/share/man/man1/vorlix.1.gz" || fail "compressed manual page"
if zgrep -q '@[A-Z_]*@' "$root/share/man/man1/vorlix.1.gz"; then
  fail "the manual page has an unreplaced placeholder"
fi

out=$(desktop-file-validate "$root/share/applications/io.github.vorlix.vorlix.desktop" 2>&1)
[ $? -eq 0 ] && [ -z "$out" ] || fail "desktop-file-validate: $out"
metainfo=$root/share/metainfo/io.github.vorlix.vorlix.metainfo.xml
out=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1)
[ $? -eq 0 ] && ! grep -q '^[EWIP]:' <<<"$out" || fail "appstreamcli validate: $out"
out=$(MANWIDTH=80 mandoc -T lint -W style "$root/share/man/man1/vorlix.1.gz" 2>&1)
[ $? -eq 0 ] && [ -z "$out" ] || fail "mandoc -T lint: $out"
[ "$(file -b --mime-type "$root/share/icons/hicolor/scalable/apps/vorlix.svg")" = image/svg+xml ] \
  || fail "the scalable icon is no SVG drawing"

# The menu entry and the software centre's text in each language Vorlix
# speaks to its users there.
for lang in de es fr it ja pt_BR ru zh_CN zh_TW; do
  for key in Name GenericName Comment Keywords; do
    grep -q "^$key\[$lang\]=." "$root/share/applications/io.github.vorlix.vorlix.desktop" || fail "desktop entry: no $key[$lang]"
  done
  # Each of the three actions has its name in the language too.
  [ "$(grep -c "^Name\[$lang\]=." "$root/share/applications/io.github.vorlix.vorlix.desktop")" -eq 4 ] \
    || fail "desktop entry: the actions' names are not all in $lang"
  grep -q "<summary xml:lang=\"$lang\">" "$metainfo" || fail "metainfo: no summary in $lang"
  [ "$(grep -c "<p xml:lang=\"$lang\">" "$metainfo")" -eq "$(grep -c '^    <p>$' "$metainfo")" ] \
    || fail "metainfo: description not wholly in $lang"
done

[ $failed -eq 0 ] && echo "install layout: all checks passed"
exit $failed
