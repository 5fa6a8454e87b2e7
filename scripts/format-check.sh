#!/usr/bin/env bash
# Checks the layout of the C++ lines changed since a base commit against
# .clang-format. The files are not reformatted all at once: what a change
# touches is checked. A moved file's lines count as changed only where the
# move changed them. The base is the argument, else the commit before
# .clang-format was added. With --fix the changed lines are reformatted.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(--dry-run --Werror)
if [ "${1:-}" = "--fix" ]; then
  mode=(-i)
  shift
fi
base="${1:-$(git log --diff-filter=A --format=%H -- .clang-format | tail -n 1)^}"
status=0
# The changed lines of each file as clang-format's --lines ranges.
while IFS=$'\t' read -r file ranges; do
  [ -f "$file" ] || continue
  args=()
  for r in $ranges; do args+=("--lines=$r"); done
  clang-format-14 "${mode[@]}" "${args[@]}" "$file" || status=1
done < <(git diff -M -U0 --no-color --diff-filter=AMR "$base" -- '*.cpp' '*.h' | awk '
  /^\+\+\+ / { if (file != "" && ranges != "") print file "\t" ranges; file = substr($2, 3); ranges = ""; next }
  /^@@ / {
    split($3, plus, ","); start = substr(plus[1], 2); count = (length(plus) > 1) ? plus[2] : 1
    if (count > 0) ranges = ranges " " start ":" (start + count - 1)
  }
  END { if (file != "" && ranges != "") print file "\t" ranges }')
if [ "$status" -ne 0 ]; then
  echo "Lines changed since ${base} differ from .clang-format (fix with: scripts/format-check.sh --fix)." >&2
fi
exit "$status"
