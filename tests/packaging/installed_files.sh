#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks what a desktop finds there: the program, its
# desktop entry, icon and AppStream metadata, each valid, and the entry's names resolving to installed files.
# Usage: installed_files.sh BUILD_DIR DESKTOP_ID
set -euo pipefail
build="$1" id="$2"
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/common.sh installs it)"; exit 77; }
done

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix/usr" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

entry="$prefix/usr/share/applications/$id.desktop"
metainfo="$prefix/usr/share/metainfo/$id.metainfo.xml"
icon="$prefix/usr/share/icons/hicolor/scalable/apps/$id.svg"
for file in "$entry" "$metainfo" "$icon"; do
  [ -s "$file" ] || fail "not installed: ${file#"$prefix"}"
done
[ "$failures" -eq 0 ] || exit 1

# Only the program, these three files, and the licences, changelog and manual page Debian asks for.
expected="$(printf '%s\n' usr/bin/quillane "${entry#"$prefix/"}" "${metainfo#"$prefix/"}" "${icon#"$prefix/"}" \
  usr/share/doc/quillane/copyright usr/share/doc/quillane/changelog.gz usr/share/man/man1/quillane.1.gz | sort)"
installed="$(cd "$prefix" && find . -type f -printf '%P\n' | sort)"
[ "$installed" = "$expected" ] || fail "installed files differ from the expected ones:"$'\n'"$(diff <(echo "$expected") <(echo "$installed"))"

desktop-file-validate "$entry" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metadata"
# The tree check also follows the metadata's launchable to the desktop entry and its icon.
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli rejects the installed tree"

key() { sed -n "s/^$1=//p" "$entry" | head -n 1; }
exec_name="$(key Exec | cut -d' ' -f1)"
[ -x "$prefix/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not the installed program"
[ "$(key Icon)" = "$id" ] || fail "Icon=$(key Icon) is not the installed icon $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
  || fail "the metadata does not launch $id.desktop"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "installed files hold together: $(echo "$installed" | wc -l) files under $prefix"
