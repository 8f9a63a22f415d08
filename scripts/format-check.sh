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

differing=()
for file in "${files[@]}"; do
  if ! clang-format --dry-run -Werror "$file" >/dev/null 2>&1; then differing+=("$file"); fi
done

if ((${#differing[@]} > 0)); then
  printf '  %s\n' "${differing[@]}"
  echo "format: ${#differing[@]} of ${#files[@]} files differ from .clang-format (clang-format -i FILE lays one out)"
  exit 1
fi
echo "format: clean (${#files[@]} files)"
