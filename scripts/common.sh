#!/usr/bin/env bash
# Shared by scripts/run and scripts/test: the Debian packages Quillane needs,
# their installation when missing, and the configure + build step.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libicu-dev libssl-dev nlohmann-json3-dev libpugixml-dev libcurl4-openssl-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev libjpeg62-turbo-dev
  libqrencode-dev libblkid-dev libudev-dev libcanberra-dev
  libgtest-dev libgmock-dev libbenchmark-dev libxxhash-dev
  ffmpeg xxhash e2fsprogs exfatprogs exfat-fuse fuse3 util-linux
  zbar-tools python3-dbusmock dbus-daemon
  desktop-file-utils appstream lintian debootstrap xvfb xauth x11-utils qt6-qpa-plugins libxcb-cursor0
  qt6-translations-l10n
)

missing_packages() {
  local p
  for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      printf '%s\n' "$p"
    fi
  done
}

install_dependencies() {
  local missing
  mapfile -t missing < <(missing_packages)
  if [ "${#missing[@]}" -eq 0 ]; then
    return 0
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "Quillane needs these Debian packages, which are not installed:" >&2
    printf '  %s\n' "${missing[@]}" >&2
    echo "Install them as root: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure_tree DIR [extra cmake args…]: configures the tree when it is new or was configured
# with other options. Our own trees fail on a compiler warning.
configure_tree() {
  export CCACHE_BASEDIR="$ROOT"
  local dir="$1"; shift
  local own=(-DQUILLANE_WERROR=ON)
  if command -v ccache >/dev/null 2>&1; then
    own+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  local options="${own[*]} $*"
  if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$dir/.quillane-options" 2>/dev/null)" != "$options" ]; then
    cmake -S "$ROOT" -B "$dir" -G Ninja "${own[@]}" "$@"
    printf '%s' "$options" > "$dir/.quillane-options"
  fi
}

# build_tree DIR [extra cmake args…]: configures and builds everything.
build_tree() {
  configure_tree "$@"
  cmake --build "$1"
}
