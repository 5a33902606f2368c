#!/usr/bin/env bash
# The layer check on a tree of its own: the model including the platform breaks the layers, whether the
# include is quoted or in angle brackets.
# Usage: check_layers.sh PYTHON CHECK_LAYERS
set -euo pipefail
python="$1" check="$2"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/core" "$tree/app/Model" "$tree/app/Platform"
touch "$tree/app/Model/Seam.h" "$tree/app/Platform/Power.h"
failures=0
for include in '"Platform/Power.h"' '<Platform/Power.h>'; do
  printf '#include "Model/Seam.h"\n#include <string>\n#include %s\n' "$include" >"$tree/app/Model/Seam.cpp"
  if found="$("$python" "$check" "$tree" 2>&1)"; then
    echo "FAIL: the check passes a model that writes #include $include"
    failures=$((failures + 1))
  elif ! grep -q '^app/Model/Seam.cpp: includes Platform/Power.h ' <<<"$found"; then
    echo "FAIL: the check does not name the include $include:"$'\n'"$found"
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] || exit 1
echo "the check names the model's include of the platform, quoted or in angle brackets"
