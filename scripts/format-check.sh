#!/usr/bin/env bash
# The format check: every C++ file of the tree laid out as .clang-format
# says (clang-format --dry-run -Werror; no file is changed). Exits non-zero
# and names the files that differ.
#
#   scripts/format-check.sh            every tracked C++ file
#   scripts/format-check.sh FILE...    only these
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh clang-format >/dev/null

if (($# > 0)); then
  files=("$@")
elif git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.hpp' '*.h' '*.c')
else
  mapfile -t files < <(find . -path ./build -prune -o -type f \( -name '*.cpp' -o -name '*.hpp' -o -name '*.h' -o -name '*.c' \) -print | sort)
fi

# Files in batches, two processes at once: one process a file spent most of
# its time starting. A file that differs is named in its diagnostics; a run
# that fails with none named has failed for another reason.
status=0
output=$(printf '%s\0' "${files[@]}" | xargs -0 -n 40 -P 2 clang-format --dry-run -Werror 2>&1) || status=$?
mapfile -t differing < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$output" | sort -u)
if ((status != 0 && ${#differing[@]} == 0)); then
  printf '%s\n' "$output" | tail -n 20
  echo "format: clang-format did not run to its end (status $status)"
  exit 1
fi

if ((${#differing[@]} > 0)); then
  printf '  %s\n' "${differing[@]}"
  echo "format: ${#differing[@]} of ${#files[@]} files differ from .clang-format (clang-format -i FILE lays one out)"
  exit 1
fi
echo "format: clean (${#files[@]} files)"
