#!/usr/bin/env bash
# The files `cmake --install` put into PREFIX: the programs' own files as the build tree has them,
# and what the desktop reads (desktop entry, MIME type, AppStream data, icons, manual pages), each
# checked by the tool that reads it.
#   check_installed_files.sh PREFIX BUILD_BIN WORK
set -euo pipefail
prefix=$1 build_bin=$2 work=$3
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
rm -rf "$work" && mkdir -p "$work"

for program in quorvel-logo qvlogo; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed"
done
# Nothing of the programs' own files stays next to them: they live in share/quorvel-logo.
extra=$(cd "$prefix/bin" && ls | grep -vx -e quorvel-logo -e qvlogo || true)
[ -z "$extra" ] || fail "bin/ holds more than the programs: $extra"

data=$prefix/share/quorvel-logo
[ -f "$data/Logo.html" ] || fail "the help page share/quorvel-logo/Logo.html is missing"
[ -f "$data/Logo_en.html" ] || fail "the English help page share/quorvel-logo/Logo_en.html is missing"
# The interface in English: the translation exactly as the build made it.
cmp -s "$build_bin/translations/quorvel-logo_en.qm" "$data/translations/quorvel-logo_en.qm" ||
  fail "share/quorvel-logo/translations/quorvel-logo_en.qm is missing or differs from the build's"
# The web runtime exactly as the build lays it out next to the programs, and nothing else.
if ! diff -r "$build_bin/DoNotTouch" "$data/DoNotTouch" >&2; then fail "share/quorvel-logo/DoNotTouch differs from the build's"; fi
for kind in webgl webgpu; do
  [ -n "$(ls -A "$data/DoNotTouch/$kind" 2>/dev/null)" ] || fail "no runtime files for $kind"
done

share=$prefix/share
desktop=$share/applications/quorvel-logo.desktop
if [ -f "$desktop" ]; then
  out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed"
  [ -z "$out" ] || fail "desktop-file-validate: $out"
  grep -qx 'Exec=quorvel-logo %f' "$desktop" || fail "the desktop entry does not start quorvel-logo with the file"
  grep -qx 'MimeType=application/x-qvlogo;' "$desktop" || fail "the desktop entry does not open application/x-qvlogo"
else
  fail "share/applications/quorvel-logo.desktop is missing"
fi

mime=$share/mime/packages/quorvel-logo.xml
if [ -f "$mime" ]; then
  xmllint --noout "$mime" || fail "the MIME type is not well-formed XML"
  # The MIME database of a scratch folder made from it tells *.qvlogo files and their icon.
  mkdir -p "$work/mime/packages" && cp "$mime" "$work/mime/packages/"
  # (it notes that the scratch folder is not one the desktop searches)
  update-mime-database "$work/mime" >"$work/update-mime-database.log" 2>&1 ||
    fail "update-mime-database refused the MIME type: $(cat "$work/update-mime-database.log")"
  grep -q '^50:application/x-qvlogo:\*\.qvlogo$' "$work/mime/globs2" 2>/dev/null ||
    fail "the MIME database does not map *.qvlogo to application/x-qvlogo"
  grep -qx 'application/x-qvlogo:application-x-qvlogo' "$work/mime/icons" 2>/dev/null ||
    fail "the MIME database does not give application/x-qvlogo its icon"
else
  fail "share/mime/packages/quorvel-logo.xml is missing"
fi

metainfo=$share/metainfo/quorvel-logo.metainfo.xml
if [ -f "$metainfo" ]; then
  xmllint --noout "$metainfo" || fail "the AppStream data is not well-formed XML"
  # Errors only: the component id is the desktop entry's name, not a reverse domain name.
  out=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1 || true)
  if grep -q '^E:' <<<"$out"; then fail "appstreamcli validate: $out"; fi
  grep -q '<launchable type="desktop-id">quorvel-logo.desktop</launchable>' "$metainfo" ||
    fail "the AppStream data does not name the desktop entry"
  grep -q '@' "$metainfo" && fail "the AppStream data holds an unreplaced @VARIABLE@"
else
  fail "share/metainfo/quorvel-logo.metainfo.xml is missing"
fi

# Icons: the SVGs, and a PNG of each size that is that size.
png_side() { od -An -tu1 -j16 -N4 "$1" | awk '{print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4}'; }
for icon in apps/quorvel-logo mimetypes/application-x-qvlogo; do
  svg=$share/icons/hicolor/scalable/$icon.svg
  [ -f "$svg" ] && xmllint --noout "$svg" || fail "$svg is missing or not SVG"
  for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/$icon.png
    if [ ! -f "$png" ]; then fail "$png is missing"; continue; fi
    [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png is not a PNG"
    [ "$(png_side "$png")" = "$size" ] || fail "$png is $(png_side "$png") pixels wide, not $size"
  done
done

# Manual pages: render without a warning, name their program and carry the version.
for program in quorvel-logo qvlogo; do
  page=$share/man/man1/$program.1.gz
  if [ ! -f "$page" ]; then fail "$page is missing"; continue; fi
  if ! text=$(LC_ALL=C.UTF-8 MANWIDTH=80 MANPAGER=cat man --warnings -l "$page" 2>"$work/man-$program.err"); then
    fail "man -l $program.1.gz failed"
  fi
  [ ! -s "$work/man-$program.err" ] || fail "man -l $program.1.gz warns: $(cat "$work/man-$program.err")"
  name_line=$(sed -n '/^NAME/{n;p;q}' <<<"$text")
  [[ "$name_line" =~ ^\ +$program\ +[^\ ]+\ +[a-z] ]] || fail "$program.1 has no NAME line for $program: '$name_line'"
  grep -q "Quorvel Logo [0-9]" <<<"$text" || fail "$program.1 does not carry the version"
  grep -q '@' <<<"$text" && fail "$program.1 holds an unreplaced @VARIABLE@"
done

copyright=$share/doc/quorvel-logo/copyright
if [ -f "$copyright" ]; then
  grep -q '@' "$copyright" && fail "the copyright file holds an unreplaced @VARIABLE@"
else
  fail "share/doc/quorvel-logo/copyright is missing"
fi

[ "$failures" -eq 0 ] || { echo "$failures problem(s) in the installed files" >&2; exit 1; }
echo "installed files ok"
