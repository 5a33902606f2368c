#!/usr/bin/env bash
# Starts the installed program on a real X server (Xvfb) and checks that its main window carries the
# class the desktop entry names as StartupWMClass, and an icon: what a dock uses to put the running window
# under the entry's launcher. No network (the program's update check stays quiet) and a private home.
# Usage: window_class.sh BUILD_DIR DESKTOP_ID
set -euo pipefail
build="$1" id="$2"
for tool in xvfb-run xwininfo xprop unshare; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/common.sh installs it)"; exit 77; }
done
[ "$(id -u)" -eq 0 ] || { echo "SKIP: a private network needs root"; exit 77; }

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix/usr" >/dev/null
wanted="$(sed -n 's/^StartupWMClass=//p' "$prefix/usr/share/applications/$id.desktop")"
[ -n "$wanted" ] || { echo "FAIL: the desktop entry names no StartupWMClass"; exit 1; }

cat >"$prefix/look.sh" <<'LOOK'
set -u
prefix="$1"
export HOME="$prefix/home" XDG_CONFIG_HOME="$prefix/home/config" XDG_DATA_HOME="$prefix/home/data" \
  XDG_CACHE_HOME="$prefix/home/cache"
unset QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS
mkdir -p "$HOME"
"$prefix/usr/bin/quillane" >"$prefix/run.log" 2>&1 &
program=$!
# The main window is the top-level window that gets mapped; a loaded machine may take its time.
for _ in $(seq 240); do
  for window in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ {print $1}'); do
    if xwininfo -id "$window" 2>/dev/null | grep -q 'Map State: IsViewable'; then
      xprop -id "$window" WM_CLASS _NET_WM_ICON 2>/dev/null | sed -n 's/^WM_CLASS(STRING) = /class: /p; s/^_NET_WM_ICON(CARDINAL) = .*/icon: yes/p' | head -n 2
      kill "$program"; wait "$program" 2>/dev/null
      exit 0
    fi
  done
  kill -0 "$program" 2>/dev/null || { echo "exited"; cat "$prefix/run.log"; exit 1; }
  sleep 0.5
done
kill "$program"; echo "no window"; cat "$prefix/run.log"; exit 1
LOOK
seen="$(unshare --net --mount --propagation private -- xvfb-run -a bash "$prefix/look.sh" "$prefix")" || {
  echo "$seen"; echo "FAIL: the installed program showed no window on Xvfb"; exit 1; }
echo "$seen"
class="$(sed -n 's/^class: "[^"]*", "\([^"]*\)"$/\1/p' <<<"$seen")"
[ "$class" = "$wanted" ] || { echo "FAIL: the window's class is \"$class\", the entry's StartupWMClass \"$wanted\""; exit 1; }
grep -q '^icon: yes' <<<"$seen" || { echo "FAIL: the window has no icon"; exit 1; }
echo "the main window's class $class is the entry's StartupWMClass, and it has an icon"
