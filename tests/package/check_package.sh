#!/usr/bin/env bash
# Checks the Debian package made by `make package`: that it holds the program, its desktop entry,
# its icon in every size, its metainfo, its README and its copyright file and nothing else, that
# the desktop entry and the metainfo pass their validators (the metainfo's pedantic one too) and
# agree with each other, that the copyright file states the licence of LICENSE in Debian's
# machine-readable format and the metainfo names the same, that the README the About box points
# to is where it says and is the repository's, that each icon is drawn at the size its folder
# names, and that the package depends on the libraries and a font the program needs and
# recommends Qt's VNC platform; and that its right-click actions "Hide with Tessarn" for Dolphin
# and Nemo pass the chosen path to the program, while the desktop entry claims no file types.
# Usage: check_package.sh BUILD_FOLDER
set -euo pipefail

build="${1:?usage: check_package.sh BUILD_FOLDER}"
shopt -s nullglob
packages=("$build"/tessarn_*.deb)
[ ${#packages[@]} -eq 1 ] || { echo "expected one tessarn_*.deb in $build, found ${#packages[@]}"; exit 1; }
package="${packages[0]}"
sources="$(cd "$(dirname "$0")/../.." && pwd)"
id=org.tessarn.tessarn
sizes=(16 22 24 32 48 64 128 256)

passed=0
failed=0
fail() {
    echo "FAIL: $*"
    failed=$((failed + 1))
}
pass() {
    echo "ok: $*"
    passed=$((passed + 1))
}

unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$package" "$unpacked"

# Exactly these files, so that neither a missing icon nor a stray test program goes unnoticed.
expected=(
    "usr/bin/tessarn"
    "usr/share/applications/$id.desktop"
    "usr/share/metainfo/$id.metainfo.xml"
    "usr/share/kio/servicemenus/$id.hide.desktop"
    "usr/share/nemo/actions/$id.hide.nemo_action"
    "usr/share/icons/hicolor/scalable/apps/$id.svg"
    "usr/share/doc/tessarn/README.md"
    "usr/share/doc/tessarn/copyright"
)
for size in "${sizes[@]}"; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$id.png"); done
actual="$(cd "$unpacked" && find . -type f -printf '%P\n' | sort)"
wanted="$(printf '%s\n' "${expected[@]}" | sort)"
if [ "$actual" = "$wanted" ]; then
    pass "the package holds the program, its desktop entry, metainfo and ${#expected[@]} files in all"
else
    fail "the package's files differ from those expected:"
    diff <(echo "$wanted") <(echo "$actual") || true
fi

desktop="$unpacked/usr/share/applications/$id.desktop"
metainfo="$unpacked/usr/share/metainfo/$id.metainfo.xml"
if output="$(desktop-file-validate "$desktop" 2>&1)" && [ -z "$output" ]; then
    pass "desktop-file-validate accepts the desktop entry"
else
    fail "desktop-file-validate: $output"
fi
# Pedantic hints leave the validator's exit status at 0, so its report must name no issue at all.
if output="$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1)" &&
    ! grep -qE '^[EWIP]: ' <<<"$output"; then
    pass "appstreamcli validate --pedantic finds nothing in the metainfo"
else
    fail "appstreamcli validate --pedantic: $output"
fi

entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Icon)" = "$id" ] && pass "the desktop entry names the installed icon" ||
    fail "the desktop entry's icon is $(entry Icon), not $id"
[ -x "$unpacked/usr/bin/$(entry TryExec)" ] && pass "the desktop entry starts the installed program" ||
    fail "the desktop entry's TryExec $(entry TryExec) is not in the package's /usr/bin"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" &&
    pass "the metainfo launches the desktop entry" || fail "the metainfo does not name $id.desktop"
# A desktop entry with file types would make Tessarn a folder's default application, opened by a
# double-click in the file manager.
! grep -q '^MimeType' "$desktop" && pass "the desktop entry claims no file types" ||
    fail "the desktop entry claims file types: $(entry MimeType)"

# The file managers' actions. Dolphin's service menu is a desktop entry of KDE's own type
# Service, whose keys the validator knows only for applications: it must find nothing else.
service_menu="$unpacked/usr/share/kio/servicemenus/$id.hide.desktop"
nemo_action="$unpacked/usr/share/nemo/actions/$id.hide.nemo_action"
kde_only='the type is "Service" while this key is only valid for type "Application"|"all" is an unregistered media type'
output="$(desktop-file-validate "$service_menu" 2>&1 | grep -vE "$kde_only" || true)"
[ -z "$output" ] && pass "desktop-file-validate finds nothing in Dolphin's service menu but KDE's own keys" ||
    fail "desktop-file-validate on the service menu: $output"
[ -x "$service_menu" ] && pass "Dolphin's service menu is executable, as Dolphin asks" ||
    fail "Dolphin's service menu is not executable"
# key FILE GROUP KEY: the value of a key in one group of a desktop-entry-style file.
key() { awk -v group="[$2]" -v key="$3" '
    /^\[/ { inside = ($0 == group) } inside && index($0, key "=") == 1 { print substr($0, length(key) + 2) }' "$1"; }
dolphin="$(key "$service_menu" 'Desktop Entry' Actions | cut -d';' -f1)"
[ "$(key "$service_menu" 'Desktop Entry' Type)" = Service ] &&
    [ "$(key "$service_menu" 'Desktop Entry' MimeType)" = 'all/all;' ] &&
    [ "$(key "$service_menu" 'Desktop Entry' X-KDE-MaxNumberOfUrls)" = 1 ] &&
    [ "$(key "$service_menu" "Desktop Action $dolphin" Name)" = 'Hide with Tessarn' ] &&
    [ "$(key "$service_menu" "Desktop Action $dolphin" Exec)" = 'tessarn %f' ] &&
    pass "Dolphin offers \"Hide with Tessarn\" for one file or folder and passes its path" ||
    fail "Dolphin's service menu is not \"Hide with Tessarn\" with 'tessarn %f' for one item: $(cat "$service_menu")"
[ "$(key "$nemo_action" 'Nemo Action' Name)" = 'Hide with Tessarn' ] &&
    [ "$(key "$nemo_action" 'Nemo Action' Exec)" = 'tessarn %F' ] &&
    [ "$(key "$nemo_action" 'Nemo Action' Quote)" = double ] &&
    [ "$(key "$nemo_action" 'Nemo Action' Selection)" = s ] &&
    [ "$(key "$nemo_action" 'Nemo Action' Extensions)" = 'any;' ] &&
    pass "Nemo offers \"Hide with Tessarn\" for one file or folder and passes its path, quoted" ||
    fail "Nemo's action is not \"Hide with Tessarn\" with 'tessarn %F' for one item: $(cat "$nemo_action")"

# The licence. Debian's machine-readable copyright format: paragraphs apart by empty lines; a
# Files paragraph names a licence by its short name, and a stand-alone License paragraph gives
# each name's text, indented by one space, " ." for an empty line.
copyright="$unpacked/usr/share/doc/tessarn/copyright"
if [ -f "$copyright" ]; then
    [ "$(head -1 "$copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] &&
        pass "the copyright file is in Debian's machine-readable format" ||
        fail "the copyright file's first line is not the machine-readable format's: $(head -1 "$copyright")"
    # Prints "files PATTERN NAME" for each Files paragraph and "text NAME LINES" for each
    # stand-alone License paragraph.
    paragraphs="$(awk '
        function flush() {
            if (files != "") print "files", files, licence
            else if (licence != "") print "text", licence, lines
            files = ""; licence = ""; lines = 0; field = ""
        }
        /^$/ { flush(); next }
        /^[^ ]/ { field = $1; if (field == "Files:") files = $2; if (field == "License:") licence = $2; next }
        field == "License:" { lines++ }
        END { flush() }' "$copyright")"
    unexplained=()
    while read -r _ _ name; do
        grep -qE "^text $name [1-9]" <<<"$paragraphs" || unexplained+=("$name")
    done < <(grep '^files ' <<<"$paragraphs")
    [ ${#unexplained[@]} -eq 0 ] && grep -q '^files ' <<<"$paragraphs" &&
        pass "each licence the copyright file names has its text there" ||
        fail "licences named in the copyright file without their text: ${unexplained[*]}"
    grep -qx 'files \* Expat' <<<"$paragraphs" &&
        pass "the copyright file puts all of Tessarn under the Expat (MIT) licence" ||
        fail "the copyright file's Files: * paragraph is not under Expat: $(grep '^files ' <<<"$paragraphs")"
    # Expat is Debian's name for the licence whose text LICENSE gives under the name MIT.
    terms="$(awk -v RS= '/^License: Expat\n/' "$copyright" | sed -e '1d' -e 's/^ //' -e 's/^\.$//')"
    [ "$terms" = "$(sed -n '/^Permission is hereby granted/,$p' "$sources/LICENSE")" ] &&
        [ "$(head -1 "$sources/LICENSE")" = "MIT License" ] &&
        pass "the copyright file's Expat text is LICENSE's, the MIT licence" ||
        fail "the copyright file's Expat text differs from the terms in LICENSE"
    holder="$(sed -n 's/^Copyright (c) //p' "$sources/LICENSE")"
    grep -qx "Copyright: $holder" "$copyright" && pass "the copyright file names LICENSE's holder, $holder" ||
        fail "the copyright file does not name LICENSE's holder, $holder"
fi
grep -q '<project_license>MIT</project_license>' "$metainfo" &&
    pass "the metainfo names the MIT licence" || fail "the metainfo names no MIT project licence"

# The About box of a program in <prefix>/bin names <prefix>/share/doc/tessarn as the README's
# folder (src/platform/posix/installation.cc): the package must put the two there.
[ -x "$unpacked/usr/bin/tessarn" ] && [ -f "$unpacked/usr/share/doc/tessarn/README.md" ] &&
    pass "the About box of /usr/bin/tessarn points to the README in /usr/share/doc/tessarn" ||
    fail "the package has no README.md in /usr/share/doc/tessarn beside /usr/bin/tessarn"
cmp -s "$unpacked/usr/share/doc/tessarn/README.md" "$sources/README.md" &&
    pass "the installed README is the repository's" || fail "the installed README differs from the repository's"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
misdrawn=()
for size in "${sizes[@]}"; do
    icon="$unpacked/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ -f "$icon" ] || continue
    read -r width height < <(od -An -tu1 -j16 -N8 "$icon" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$width" = "$size" ] && [ "$height" = "$size" ] || misdrawn+=("${size}: ${width}x${height}")
done
[ ${#misdrawn[@]} -eq 0 ] && pass "every icon is drawn at the size of its folder" ||
    fail "icons drawn at other sizes than their folders': ${misdrawn[*]}"
grep -q '<svg' "$unpacked/usr/share/icons/hicolor/scalable/apps/$id.svg" &&
    pass "the scalable icon is an SVG drawing" || fail "the scalable icon is no SVG drawing"

depends="$(dpkg-deb -f "$package" Depends)"
missing=()
for needed in libqt6widgets6 libqt6gui6 fonts-liberation2; do
    [[ "$depends" == *"$needed"* ]] || missing+=("$needed")
done
[ ${#missing[@]} -eq 0 ] && pass "the package depends on Qt's libraries and a font" ||
    fail "the package does not depend on ${missing[*]}: $depends"
recommends="$(dpkg-deb -f "$package" Recommends)"
[[ "$recommends" == *qt6-qpa-plugins* ]] && pass "the package recommends Qt's VNC platform, the README's route without a display" ||
    fail "the package does not recommend qt6-qpa-plugins: $recommends"

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
