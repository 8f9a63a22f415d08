#!/usr/bin/env bash
# Prints how many lines of C++ test code there are for each line of product
# code. Lines count when they are neither blank nor comment.
#
#   tests: tests/**/*.cpp|hpp (GoogleTest and the Wine C++ checks)
#   product: core/, the class folders (fleet/ too), platform/, com/,
#            automation/ and docs/generator/
#
# The lab, the fuzz targets, the benchmarks, the stress programs of hardening/
# and the script-client tests are counted apart: they are not in either number.
#
#   scripts/test-ratio.sh            the two counts and the ratio
#   QV_RATIO_DETAIL=1                also the count of each folder
set -euo pipefail
cd "$(dirname "$0")/.."

product_folders=(core services iis inventory processes eventlog terminal tools fleet platform com automation docs/generator)

# Lines of C++ source that are neither blank nor inside a comment.
code_lines() {
  awk '
    {
      line = $0; out = ""
      while (length(line) > 0) {
        if (in_block) {
          end = index(line, "*/")
          if (end == 0) { line = ""; break }
          line = substr(line, end + 2); in_block = 0
        } else {
          start = index(line, "/*"); slash = index(line, "//")
          if (slash > 0 && (start == 0 || slash < start)) { out = out substr(line, 1, slash - 1); line = ""; break }
          if (start == 0) { out = out line; line = ""; break }
          out = out substr(line, 1, start - 1); line = substr(line, start + 2); in_block = 1
        }
      }
      if (out ~ /[^ \t\r]/) count++
    }
    END { print count + 0 }
  ' "$@" </dev/null
}

sources_in() {
  find "$@" -type f \( -name '*.cpp' -o -name '*.hpp' \) -not -path '*/bench/*' | sort
}

ratio() { awk -v t="$1" -v p="$2" 'BEGIN { printf "%.3f", p ? t / p : 0 }'; }

count_of() {
  local files
  mapfile -t files < <(sources_in "$@")
  if ((${#files[@]} == 0)); then echo 0; else code_lines "${files[@]}"; fi
}

tests=$(count_of tests)
product=$(count_of "${product_folders[@]}")

if [[ ${QV_RATIO_DETAIL:-0} == 1 ]]; then
  for folder in "${product_folders[@]}"; do printf '  product %-12s %6d\n' "$folder" "$(count_of "$folder")"; done
  for folder in tests/*/; do printf '  tests   %-12s %6d\n' "$(basename "$folder")" "$(count_of "$folder")"; done
  wine=$(count_of tests/wine)
  printf '  GoogleTest %d (%s), Wine checks %d (%s)\n' \
    "$((tests - wine))" "$(ratio "$((tests - wine))" "$product")" "$wine" "$(ratio "$wine" "$product")"
fi
printf 'test lines %d, product lines %d, ratio %s\n' "$tests" "$product" "$(ratio "$tests" "$product")"
