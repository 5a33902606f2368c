#!/usr/bin/env bash
# Installs the Debian package made by debian_package.sh on a fresh, minimal Debian 12 (a debootstrap
# chroot) the way a crew would, with apt and without recommended packages,
# then checks that every library the program links is found, that the program draws its main window off
# screen, and that it opens that window on a real X server (an Xvfb of the host; the chroot sees its socket).
# Usage: clean_install.sh BUILD_DIR
set -euo pipefail
build="$1"
mirror="${QUILLANE_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
debs=("$build"/package/quillane_*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: no package in $build/package (the DebianPackage test makes it)"; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "SKIP: a chroot needs root"; exit 77; }
for tool in debootstrap Xvfb xwininfo; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/common.sh installs it)"; exit 77; }
done
# Everything below, debootstrap's own mounts included, happens in a private mount namespace that ends
# with this script, whatever stops it.
if [ -z "${QUILLANE_PRIVATE_MOUNTS:-}" ]; then
  QUILLANE_PRIVATE_MOUNTS=1 exec unshare --mount --propagation private -- bash "$0" "$@"
fi

root="$(mktemp -d /var/tmp/quillane-clean-install.XXXXXX)"
chmod 755 "$root"  # apt's download user must reach the chroot's folders
xserver=""
clean_up() {
  set +e
  [ -z "$xserver" ] || kill "$xserver" 2>/dev/null
  for mount in proc tmp/.X11-unix; do
    if mountpoint -q "$root/$mount"; then umount -R "$root/$mount" || echo "cannot unmount $root/$mount"; fi
  done
  rm -rf --one-file-system "$root"
}
trap clean_up EXIT
log="$build/package/clean-install.log"
echo "debootstrap bookworm from $mirror into $root"
if ! debootstrap --variant=minbase bookworm "$root" "$mirror" >"$log" 2>&1; then
  tail -n 20 "$log"
  if grep -qiE 'Failed getting release file|Couldn.t download|Temporary failure|Could not resolve' "$log"; then
    echo "SKIP: the Debian mirror $mirror cannot be reached"
    exit 77
  fi
  echo "FAIL: debootstrap failed"
  exit 1
fi
security="${mirror%/debian}/debian-security"
cat >"$root/etc/apt/sources.list" <<SOURCES
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
SOURCES
cp "${debs[0]}" "$root/tmp/"
package="/tmp/$(basename "${debs[0]}")"

mount -t proc proc "$root/proc"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DEBIAN_FRONTEND=noninteractive "$@"; }
apt_log="$root/tmp/apt.log"
# A mirror that stops answering halfway is no fault of the package.
apt_failed() {
  cat "$apt_log"
  if grep -qE 'Failed to fetch|Temporary failure resolving|Could not resolve|Unable to connect' "$apt_log"; then
    echo "SKIP: the Debian mirror stopped answering"; exit 77
  fi
  echo "FAIL: $1"; exit 1
}
in_root apt-get update -qq >"$apt_log" 2>&1 || apt_failed "apt-get update in the chroot"
in_root apt-get install -y -qq --no-install-recommends "$package" >"$apt_log" 2>&1 \
  || apt_failed "apt cannot install the package on a fresh Debian 12"
echo "installed: $(in_root dpkg-query -W -f='${Package} ${Version}' quillane)"
missing="$(in_root ldd /usr/bin/quillane | grep 'not found' || true)"
[ -z "$missing" ] || { echo "FAIL: libraries the program links are missing:"; echo "$missing"; exit 1; }
# The program starts on a clean system and draws its main window (off screen; its store in /tmp).
in_root env QT_QPA_PLATFORM=offscreen HOME=/tmp timeout 300 quillane --snapshot /tmp/shots >"$root/tmp/run.log" 2>&1 || {
  tail -n 20 "$root/tmp/run.log"; echo "FAIL: the installed program does not run"; exit 1; }
[ -s "$root/tmp/shots/main.png" ] || { echo "FAIL: the installed program drew no main window"; exit 1; }
echo "the installed program runs: $(ls "$root/tmp/shots" | grep -c '\.png$') screenshots drawn"

# The same program on a real X server: the X libraries and the platform plugin a fresh system got through
# the package's dependencies must open its window. The server's socket folder is this namespace's own.
mount -t tmpfs tmpfs /tmp/.X11-unix 2>/dev/null || { mkdir -p /tmp/.X11-unix && mount -t tmpfs tmpfs /tmp/.X11-unix; }
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
exec 3< <(Xvfb -displayfd 1 -ac -nolisten tcp -screen 0 1400x900x24 2>/dev/null & echo "pid $!"; wait)
read -r _ xserver <&3
read -r display <&3 || { echo "FAIL: Xvfb did not start"; exit 1; }
# chroot, env and timeout each exec the next, so the TERM below reaches timeout, which passes it on.
chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DISPLAY=":$display" QT_QPA_PLATFORM=xcb HOME=/tmp \
  timeout 300 quillane >"$root/tmp/x11.log" 2>&1 &
program=$!
class=""
for _ in $(seq 240); do
  class="$(DISPLAY=":$display" xwininfo -root -children 2>/dev/null | grep -o '("quillane" "Quillane")' | head -n 1 || true)"
  [ -z "$class" ] && kill -0 "$program" 2>/dev/null || break
  sleep 0.5
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
[ -n "$class" ] || { tail -n 20 "$root/tmp/x11.log"; echo "FAIL: the installed program opened no window on X"; exit 1; }
echo "the installed program opens its window on X: $class"
