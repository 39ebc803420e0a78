#!/usr/bin/env bash
# Installs the Debian package made by `make package` on a bare Debian 12, as a person would, in
# both ways apt offers: with the packages it recommends (apt's default), and with
# `--no-install-recommends`, which brings only what the package depends on. debootstrap makes one
# minimal system and each way gets a copy of it. In each, a user starts the program from its menu
# entry through GLib's launcher (the one GNOME's menus use), from the root folder, and it must come
# up in the user's home folder with its first window shown and a machine whose drive H: is that
# home; a password then opens the main window. The README's route for a machine without a
# display, Qt's VNC platform, must serve the program too: at once with recommends, and without
# them once qt6-qpa-plugins is installed as the README says. Then `apt purge tessarn` must remove
# the program and leave the user's machine as it was. The windows go to a virtual display on this
# machine, and a picture of each way's main window to BUILD_FOLDER/started-from-menu-<way>.png.
# Needs root (debootstrap, chroot) and Debian's package servers. Without them it says it skipped,
# unless the environment variable CI is set: CI must not pass a test that never ran.
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
way=""
check() {
    local what="$1"
    shift
    if "$@"; then
        echo "ok: $way: $what"
        passed=$((passed + 1))
    else
        echo "FAIL: $way: $what"
        failed=$((failed + 1))
    fi
}

work="$(mktemp -d /var/tmp/tessarn-debian12-XXXXXX)"
system=""
display_number=""
display_pid=""
window_manager_pid=""
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    [ -n "$window_manager_pid" ] && kill "$window_manager_pid" 2>/dev/null
    [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null
    for root in "$work"/*/; do
        for mount in tmp/.X11-unix dev/pts dev proc; do
            mountpoint -q "$root$mount" && umount -l "$root$mount"
        done
    done
    rm -rf --one-file-system "$work"
}
trap cleanup EXIT

echo "making a bare Debian 12 in $work"
mkdir -p "$cache"
if ! debootstrap --variant=minbase --cache-dir="$cache" bookworm "$work/bare" "$mirror" \
    >"$build/debootstrap.log" 2>&1; then
    tail -5 "$build/debootstrap.log"
    # Without a reachable package server (or without root) there is nothing to install on. Said,
    # and not failed, since nothing of the program's was tried; but under CI a skip would let a
    # run pass that proved nothing.
    if [ -n "${CI:-}" ]; then
        echo "install: FAILED, debootstrap could not make a Debian 12 system from $mirror, and CI ($CI) needs this test to run"
        exit 1
    fi
    echo "install: skipped, debootstrap could not make a Debian 12 system from $mirror"
    exit 0
fi
# dpkg flushes every file it unpacks, which makes up much of an install's time on a busy disk; a
# system thrown away afterwards needs none of it.
echo force-unsafe-io >"$work/bare/etc/dpkg/dpkg.cfg.d/unsafe-io"
# A copy takes seconds where a second debootstrap takes half a minute.
cp -a "$work/bare" "$work/without-recommends"
mv "$work/bare" "$work/with-recommends"
echo "bare systems: $SECONDS s"

in_system() { chroot "$system" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
installed() { in_system dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
# Runs a command with its output kept in a file of the build folder.
logged() {
    local log="$build/$1"
    shift
    "$@" >"$log" 2>&1
}
# The program started inside the system, told from any other copy by its root folder.
started_here() {
    local pid
    for pid in $(pgrep -x tessarn); do
        [ "$(readlink "/proc/$pid/root")" = "$system" ] && echo "$pid"
    done
    return 0
}
window_shown() { DISPLAY=":$display_number" xdotool search --onlyvisible --name "^$1\$" >/dev/null; }
# Whether something of this machine (a chroot shares its network) listens on a TCP port.
listening() {
    grep -qE "^ *[0-9]+: [0-9A-F]+:$(printf '%04X' "$1") [0-9A-F]+:0000 0A " /proc/net/tcp /proc/net/tcp6
}
# The README's route without a display: the program on Qt's VNC platform, started as the user
# with a prefix and a home of its own, must listen for a viewer.
serves_vnc() {
    local port pid serving=1
    for port in $(seq 5990 6030); do listening "$port" || break; done
    in_system install -d -o anna -g anna /tmp/vnc-home
    chroot --userspec=anna:anna "$system" env -i HOME=/tmp/vnc-home TESSARN_PREFIX=/tmp/vnc-prefix \
        PATH=/usr/bin:/bin QT_QPA_PLATFORM="vnc:port=$port" tessarn >"$build/vnc-$way.log" 2>&1 &
    pid=$!
    for _ in $(seq 50); do
        listening "$port" && { serving=0; break; }
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return "$serving"
}

# A display of this machine, shared with each system through its socket.
for n in $(seq 90 120); do [ -e "/tmp/.X11-unix/X$n" ] || { display_number="$n"; break; }; done
Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp -ac >/dev/null 2>&1 &
display_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display_number" ] && break; sleep 0.1; done
# A window manager gives the keyboard to the window shown, as on a desktop.
DISPLAY=":$display_number" icewm >/dev/null 2>&1 &
window_manager_pid=$!

# Installs the package on the system of the way named first, with apt's options that follow, and
# uses it as a person would.
install_and_use() {
    way="$1"
    shift
    system="$work/$way"
    local started="$SECONDS"
    chmod 755 "$system"  # its root folder, which every user of the system must reach
    mount -t proc proc "$system/proc"
    mount --bind /dev "$system/dev"
    mount --bind /dev/pts "$system/dev/pts"
    mkdir -p "$system/tmp/.X11-unix"
    mount --bind /tmp/.X11-unix "$system/tmp/.X11-unix"

    cp "$package" "$system/tmp/"
    in_system apt-get update -qq
    # GLib's launcher stands in for a desktop's menu: it reads the entry as every menu does.
    check "apt installs the package on a bare Debian 12" logged "apt-install-$way.log" \
        in_system apt install -y -q "$@" "./tmp/$(basename "$package")" libglib2.0-bin
    if [ ! -e "$system/usr/bin/tessarn" ]; then
        echo "$way: nothing installed, see $build/apt-install-$way.log"
        return 0
    fi
    in_system useradd --create-home anna
    local home="$system/home/anna"
    mkdir "$home/Documents" "$home/Music"
    echo "to do" >"$home/notes.txt"
    in_system chown -R anna:anna /home/anna

    chroot --userspec=anna:anna "$system" env -i HOME=/home/anna USER=anna PATH=/usr/bin:/bin \
        DISPLAY=":$display_number" sh -c "cd / && exec gio launch $entry" >"$build/launch-$way.log" 2>&1 ||
        true
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
    if window_shown "Password not Set!!!"; then
        export DISPLAY=":$display_number"
        xdotool search --onlyvisible --name "^Password not Set!!!$" windowactivate --sync >/dev/null
        xdotool type --delay 100 secret
        xdotool key --delay 100 Tab
        xdotool type --delay 100 secret
        xdotool key alt+o  # the access key of Ok
        for _ in $(seq 50); do window_shown "Tessarn" && break; sleep 0.2; done
        unset DISPLAY
    fi
    check "a password opens the main window" window_shown "Tessarn"
    sleep 1
    DISPLAY=":$display_number" import -window root "$build/started-from-menu-$way.png" || true
    [ -n "$program" ] && kill "$program" && program=""

    if [ "$way" = without-recommends ]; then
        check "apt brought none of the packages Qt recommends" eval '! installed qt6-qpa-plugins'
        check "qt6-qpa-plugins installs, as the README says for VNC" logged "apt-install-vnc-$way.log" \
            in_system apt install -y -q qt6-qpa-plugins
    fi
    check "Qt's VNC platform serves the program" serves_vnc

    local machine_before
    machine_before="$(cd "$home/.local/share/tessarn" && find . -printf '%p %y %l\n' | sort)"
    check "apt purge removes the package" logged "apt-purge-$way.log" in_system apt purge -y -q tessarn
    check "the program is gone" test ! -e "$system/usr/bin/tessarn"
    check "the user's machine is left as it was" \
        test "$(cd "$home/.local/share/tessarn" && find . -printf '%p %y %l\n' | sort)" = "$machine_before"
    echo "$way: $((SECONDS - started)) s"
}

install_and_use with-recommends
install_and_use without-recommends --no-install-recommends

echo "install: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
