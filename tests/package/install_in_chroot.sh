#!/usr/bin/env bash
# Installs the Debian package made by `make package` on a bare Debian 12, as a person would, and
# uses it: a minimal system made by debootstrap gets `apt install ./tessarn_<version>.deb`; a
# user starts the program from its menu entry through GLib's launcher (the one GNOME's menus
# use), from the root folder, and it must come up in the user's home folder with its first
# window shown and a machine whose drive H: is that home; then `apt purge tessarn` must remove
# the program and leave the user's machine as it was. The window goes to a virtual display on
# this machine, and a picture of the main window, reached by setting a password, to
# BUILD_FOLDER/started-from-menu.png.
# Needs root (debootstrap, chroot) and Debian's package servers.
# Usage: install_in_chroot.sh BUILD_FOLDER
set -euo pipefail

build="$(cd "${1:?usage: install_in_chroot.sh BUILD_FOLDER}" && pwd)"
shopt -s nullglob
packages=("$build"/tessarn_*.deb)
[ ${#packages[@]} -eq 1 ] || { echo "expected one tessarn_*.deb in $build, found ${#packages[@]}"; exit 1; }
package="${packages[0]}"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"
# Downloaded packages are kept between runs, so that a second run fetches little.
cache=/var/cache/tessarn-debootstrap
entry=/usr/share/applications/org.tessarn.tessarn.desktop

passed=0
failed=0
check() {
    local what="$1"
    shift
    if "$@"; then
        echo "ok: $what"
        passed=$((passed + 1))
    else
        echo "FAIL: $what"
        failed=$((failed + 1))
    fi
}

system="$(mktemp -d /var/tmp/tessarn-debian12-XXXXXX)"
chmod 755 "$system"  # its root folder, which every user of the system must reach
display_number=""
display_pid=""
window_manager_pid=""
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    [ -n "$window_manager_pid" ] && kill "$window_manager_pid" 2>/dev/null
    [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null
    for mount in tmp/.X11-unix dev/pts dev proc; do
        mountpoint -q "$system/$mount" && umount -l "$system/$mount"
    done
    rm -rf --one-file-system "$system"
}
trap cleanup EXIT

echo "making a bare Debian 12 in $system"
mkdir -p "$cache"
# Without a reachable package server there is nothing to install on: said, and not failed, since
# nothing of the program's was tried.
if ! debootstrap --variant=minbase --cache-dir="$cache" bookworm "$system" "$mirror" \
    >"$build/debootstrap.log" 2>&1; then
    tail -5 "$build/debootstrap.log"
    echo "install: skipped, debootstrap could not make a Debian 12 system from $mirror"
    exit 0
fi
mount -t proc proc "$system/proc"
mount --bind /dev "$system/dev"
mount --bind /dev/pts "$system/dev/pts"
in_system() { chroot "$system" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
# Runs a command with its output kept in a file of the build folder.
logged() {
    local log="$build/$1"
    shift
    "$@" >"$log" 2>&1
}

cp "$package" "$system/tmp/"
in_system apt-get update -qq
# GLib's launcher stands in for a desktop's menu: it reads the entry as every menu does.
check "apt installs the package on a bare Debian 12" \
    logged apt-install.log in_system apt install -y -q "./tmp/$(basename "$package")" libglib2.0-bin
in_system useradd --create-home anna
home="$system/home/anna"
mkdir "$home/Documents" "$home/Music"
echo "to do" >"$home/notes.txt"
in_system chown -R anna:anna /home/anna

# A display of this machine, shared with the system through its socket.
for n in $(seq 90 120); do [ -e "/tmp/.X11-unix/X$n" ] || { display_number="$n"; break; }; done
Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp -ac >/dev/null 2>&1 &
display_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display_number" ] && break; sleep 0.1; done
# A window manager gives the keyboard to the window shown, as on a desktop.
DISPLAY=":$display_number" icewm >/dev/null 2>&1 &
window_manager_pid=$!
mkdir -p "$system/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$system/tmp/.X11-unix"

chroot --userspec=anna:anna "$system" env -i HOME=/home/anna USER=anna PATH=/usr/bin:/bin \
    DISPLAY=":$display_number" sh -c "cd / && exec gio launch $entry" >"$build/launch.log" 2>&1
# The program started inside this system, told from any other copy by its root folder.
started_here() {
    local pid
    for pid in $(pgrep -x tessarn); do
        [ "$(readlink "/proc/$pid/root")" = "$system" ] && echo "$pid"
    done
    return 0
}
window_shown() { DISPLAY=":$display_number" xdotool search --onlyvisible --name "^$1\$" >/dev/null; }
for _ in $(seq 100); do
    program="$(started_here | head -1)"
    [ -n "$program" ] && window_shown "Password not Set!!!" && break
    sleep 0.2
done
check "the menu entry starts the program" test -n "$program"
check "the program works in the home folder" \
    test "$(readlink "/proc/${program:-0}/cwd")" = "$system/home/anna"
check "its machine maps the home folder as drive H:" \
    test "$(readlink "$home/.local/share/tessarn/dosdevices/h:")" = /home/anna
check "its first window asks for a password" window_shown "Password not Set!!!"

# A new user sets a password; the main window then opens on the home folder, H:\.
export DISPLAY=":$display_number"
xdotool search --onlyvisible --name "^Password not Set!!!$" windowactivate --sync >/dev/null
xdotool type --delay 100 secret
xdotool key --delay 100 Tab
xdotool type --delay 100 secret
xdotool key alt+o  # the access key of Ok
for _ in $(seq 50); do window_shown "Tessarn" && break; sleep 0.2; done
check "a password opens the main window" window_shown "Tessarn"
sleep 1
import -window root "$build/started-from-menu.png" || true
unset DISPLAY
[ -n "$program" ] && kill "$program" && program=""

machine_before="$(cd "$home/.local/share/tessarn" && find . -printf '%p %y %l\n' | sort)"
check "apt purge removes the package" logged apt-purge.log in_system apt purge -y -q tessarn
check "the program is gone" test ! -e "$system/usr/bin/tessarn"
check "the user's machine is left as it was" \
    test "$(cd "$home/.local/share/tessarn" && find . -printf '%p %y %l\n' | sort)" = "$machine_before"

echo "install: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
