#!/usr/bin/env bash
# Builds the Debian package once (into BUILD_DIR/package, where the clean-install check picks it up) and
# checks it: its files, that Debian's own checker lintian finds no error in it, that its Depends name the
# package of every library the program links, that each of those packages exists in this Debian release,
# and that apt can resolve the whole dependency list for a system on which nothing is installed yet.
# Usage: debian_package.sh BUILD_DIR DESKTOP_ID
set -euo pipefail
build="$1" id="$2"
out="$(realpath "$build")/package"
rm -rf "$out"
mkdir -p "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
rm -rf "$out/_CPack_Packages"
debs=("$out"/quillane_*.deb)
[ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: expected one quillane_*.deb in $out"; exit 1; }
deb="${debs[0]}"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

dpkg-deb --info "$deb"
contents="$(dpkg -c "$deb" | awk '{print $6}')"
for path in ./usr/bin/quillane "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml" \
            "./usr/share/icons/hicolor/scalable/apps/$id.svg" ./usr/share/doc/quillane/copyright \
            ./usr/share/doc/quillane/changelog.gz ./usr/share/man/man1/quillane.1.gz; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path"
done

# Debian's own checker: no error. Its warnings and notes are shown; no personal lintian settings count.
if ! command -v lintian >/dev/null; then
  fail "lintian is not installed (scripts/common.sh installs it)"
elif ! lintian --no-cfg --color never --fail-on error "$deb" 2>&1; then
  fail "lintian finds errors in the package"
fi

# The names in Depends, alternatives included, without their version bounds.
depends="$(dpkg-deb --field "$deb" Depends)"
[ -n "$depends" ] || fail "the package has no Depends"
mapfile -t names < <(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*)//; s/[[:space:]]//g' | grep -v '^$' | sort -u)

# Every library the packaged program links comes from a package that Depends names.
unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
mapfile -t sonames < <(readelf -d "$unpacked/usr/bin/quillane" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
[ "${#sonames[@]}" -gt 0 ] || fail "the packaged program links no library"
cache="$(ldconfig -p)"
# A package may list a library under /lib or /usr/lib, as the link or as the file: ask dpkg once for all.
declare -A library_of owner_of
candidates=()
for soname in "${sonames[@]}"; do
  library="$(awk -v so="$soname" '$1 == so && /x86-64/ {print $NF; exit}' <<<"$cache")"
  library_of[$soname]="$library"
  [ -n "$library" ] || continue
  for path in "$library" "$(readlink -f "$library")"; do candidates+=("/usr${path#/usr}" "${path#/usr}"); done
done
while IFS= read -r line; do
  owner_of[${line#*: }]="${line%%:*}"
done < <(dpkg -S "${candidates[@]}" 2>/dev/null || true)
for soname in "${sonames[@]}"; do
  library="${library_of[$soname]}"
  [ -n "$library" ] || { fail "$soname: not found on this system"; continue; }
  owner=""
  for path in "$library" "$(readlink -f "$library")"; do
    for candidate in "/usr${path#/usr}" "${path#/usr}"; do
      [ -n "$owner" ] || owner="${owner_of[$candidate]:-}"
    done
  done
  [ -n "$owner" ] || { fail "$soname: no Debian package holds $library"; continue; }
  grep -qxF "$owner" <<<"$(printf '%s\n' "${names[@]}")" || fail "$soname comes from $owner, which Depends does not name"
done

# apt's package lists are needed from here on; a machine that never ran apt-get update has none.
candidate() { apt-cache policy "$1" 2>/dev/null | sed -n 's/^ *Candidate: //p'; }
if [ -z "$(candidate libc6 | grep -v none)" ]; then
  if [ "$(id -u)" -eq 0 ]; then apt-get update -qq; else echo "SKIP: apt has no package lists"; exit 77; fi
fi
# One apt-cache call for all names: "name:" opens a package's block, its "Candidate:" line follows.
available="$(apt-cache policy "${names[@]}" 2>/dev/null \
  | awk '/^[^ ].*:$/ {name = substr($0, 1, length($0) - 1)} /^ *Candidate: / && $2 != "(none)" {print name}')"
for name in "${names[@]}"; do
  grep -qxF "$name" <<<"$available" || fail "Depends names $name, which this Debian release lacks"
done

# What apt would install on a system with no package at all: every dependency must resolve.
empty="$(mktemp)"
if ! apt-get install --simulate -o Dir::State::status="$empty" -o Debug::NoLocking=1 "$deb" >"$out/simulate.log" 2>&1; then
  cat "$out/simulate.log"
  fail "apt cannot resolve the package's dependencies on an empty system"
fi
rm -f "$empty"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "package $(basename "$deb"): ${#names[@]} dependencies, all present in Debian; $(grep -c '^Inst ' "$out/simulate.log") packages on an empty system"
