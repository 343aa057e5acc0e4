#!/usr/bin/env bash
# Proves the README's two commands on a fresh machine: a minimal Debian chroot
# (debootstrap --variant=minbase, no locale configured) with a clean clone of this
# repository's committed HEAD, in which it runs, in this order:
#   1. the start command with no display: it must build and say in one line that it
#      cannot start;
#   2. the start command under an Xvfb inside the chroot, until the window appears
#      (only xvfb and xdotool are added for this, nothing the program needs);
#   3. the test command.
# Usage: tools/fresh-machine.sh RELEASE     (12, 13, bookworm or trixie); run as root.
# The pristine chroot is cached as a tarball in ZELKOR_FRESH_CACHE (default
# /var/cache/zelkor-fresh) and reused while it is younger than a week.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
case "${1:-}" in
    12 | bookworm) release=bookworm ;;
    13 | trixie) release=trixie ;;
    *) echo "usage: tools/fresh-machine.sh 12|13" >&2; exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "tools/fresh-machine.sh must run as root (chroot, mounts)" >&2; exit 2; }

seconds() { date +%s; }
began=$(seconds)
step() { echo "== [$release, $(($(seconds) - began)) s] $*"; }

# The Debian mirror this machine already uses, read from its apt sources.
mirror() {
    local uri
    uri=$(grep -hs -E '^URIs:' /etc/apt/sources.list.d/*.sources | awk '{print $2}' |
        grep -v -- '-security' | head -n 1)
    [ -n "$uri" ] || uri=$(grep -hs -E '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
        awk '{print $2}' | grep -v -- '-security' | head -n 1)
    [ -n "$uri" ] || { echo "no Debian mirror in this machine's apt sources" >&2; return 1; }
    echo "$uri"
}

command -v debootstrap >/dev/null || {
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
}

cache=${ZELKOR_FRESH_CACHE:-/var/cache/zelkor-fresh}
tarball=$cache/$release-minbase.tar
mkdir -p "$cache"
if [ -z "$(find "$tarball" -mtime -7 2>/dev/null)" ]; then
    step "debootstrap --variant=minbase $release"
    work=$(mktemp -d)
    debootstrap --variant=minbase "$release" "$work" "$(mirror)" >"$cache/$release-debootstrap.log" 2>&1 || {
        tail -n 20 "$cache/$release-debootstrap.log" >&2
        exit 1
    }
    tar -C "$work" -cf "$tarball.part" . && mv "$tarball.part" "$tarball"
    rm -rf "$work"
fi

chroot_dir=$(mktemp -d /var/tmp/zelkor-fresh-$release.XXXXXX)
mounted=()
# Ends what the commands left running in the chroot (a Wine server lingers a few
# seconds after its last program and writes its registry on the way out), so that
# nothing writes into the tree while it is removed.
stop_chroot_processes() {
    local proc pid
    for proc in /proc/[0-9]*; do
        [ "$(readlink "$proc/root" 2>/dev/null)" = "$chroot_dir" ] || continue
        pid=${proc#/proc/}
        kill -9 "$pid" 2>/dev/null || true
    done
}
cleanup() {
    local i
    stop_chroot_processes
    sleep 0.5
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
    rm -rf --one-file-system "$chroot_dir" || { sleep 2; rm -rf --one-file-system "$chroot_dir"; }
}
trap cleanup EXIT
step "unpacking the pristine chroot"
tar -C "$chroot_dir" -xf "$tarball"
for fs in proc sys dev dev/pts; do
    case $fs in
        proc) mount -t proc proc "$chroot_dir/proc" ;;
        sys) mount -t sysfs sys "$chroot_dir/sys" ;;
        dev) mount --bind /dev "$chroot_dir/dev" ;;
        dev/pts) mount --bind /dev/pts "$chroot_dir/dev/pts" ;;
    esac
    mounted+=("$chroot_dir/$fs")
done
mount -t tmpfs tmpfs "$chroot_dir/dev/shm" && mounted+=("$chroot_dir/dev/shm")
cp /etc/resolv.conf "$chroot_dir/etc/resolv.conf" 2>/dev/null || true
# The network's own trust anchors go in as its name servers do: where this machine reaches
# the package registries through a TLS-inspecting proxy, any machine on its network must
# trust that proxy's certificate too (ca-certificates takes them in when it installs).
if [ -d /usr/local/share/ca-certificates ]; then
    mkdir -p "$chroot_dir/usr/local/share/ca-certificates"
    cp -r /usr/local/share/ca-certificates/. "$chroot_dir/usr/local/share/ca-certificates/"
fi
git clone --quiet --no-hardlinks "$root" "$chroot_dir/root/zelkor"

# A new user's shell: no locale, no display, no standard input, nothing of ours.
in_chroot() {
    chroot "$chroot_dir" /usr/bin/env -i HOME=/root TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        /bin/bash -c "cd /root/zelkor || exit 1; $1" </dev/null
}

step "start command, no display"
set +e
out=$(in_chroot 'bash tools/start.sh' 2>&1)
status=$?
set -e
tail -n 3 <<<"$out"
last=$(tail -n 1 <<<"$out")
if [ $status -eq 0 ] || ! grep -q 'no display' <<<"$last" || [ ! -x "$chroot_dir/root/zelkor/build-app/zelkor" ]; then
    echo "$out" | tail -n 40 >&2
    echo "FAILED: the start command did not build and say in one line that it cannot start" >&2
    exit 1
fi

step "start command under Xvfb, until the window appears"
in_chroot 'DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xvfb xdotool >/dev/null'
in_chroot '
    Xvfb :57 -nolisten tcp -noreset >/dev/null 2>&1 & xvfb=$!
    sleep 1
    DISPLAY=:57 bash tools/start.sh >/tmp/start.log 2>&1 & app=$!
    found=$(DISPLAY=:57 timeout 120 xdotool search --sync --onlyvisible --name "ZelkorV1.2版" | head -n 1)
    kill $app $xvfb 2>/dev/null; wait $app $xvfb 2>/dev/null
    if [ -n "$found" ]; then echo "window $found appeared"; else cat /tmp/start.log; exit 1; fi'

step "test command"
in_chroot 'bash tools/test.sh'
step "both README commands passed on a fresh $release"
