#!/usr/bin/env bash
# Checks the Debian package made by `make package`: that it holds the program, its desktop entry,
# its icon in every size and its metainfo and nothing else, that the desktop entry and the
# metainfo pass their validators and agree with each other, that each icon is drawn at the size
# its folder names, and that the package depends on the libraries and a font the program needs.
# Usage: check_package.sh BUILD_FOLDER
set -euo pipefail

build="${1:?usage: check_package.sh BUILD_FOLDER}"
shopt -s nullglob
packages=("$build"/tessarn_*.deb)
[ ${#packages[@]} -eq 1 ] || { echo "expected one tessarn_*.deb in $build, found ${#packages[@]}"; exit 1; }
package="${packages[0]}"
id=org.tessarn.Tessarn
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
    "usr/share/icons/hicolor/scalable/apps/$id.svg"
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
if output="$(appstreamcli validate --no-net "$metainfo" 2>&1)"; then
    pass "appstreamcli validate accepts the metainfo"
else
    fail "appstreamcli validate: $output"
fi

entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Icon)" = "$id" ] && pass "the desktop entry names the installed icon" ||
    fail "the desktop entry's icon is $(entry Icon), not $id"
[ -x "$unpacked/usr/bin/$(entry TryExec)" ] && pass "the desktop entry starts the installed program" ||
    fail "the desktop entry's TryExec $(entry TryExec) is not in the package's /usr/bin"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" &&
    pass "the metainfo launches the desktop entry" || fail "the metainfo does not name $id.desktop"

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

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
