#!/usr/bin/env bash
# Checks the layout of the C++ lines changed since a base commit against
# .clang-format. The files are not reformatted all at once: what a change
# touches is checked. The base is the argument, else the commit before
# .clang-format was added.
set -euo pipefail
cd "$(dirname "$0")/.."
base="${1:-$(git log --diff-filter=A --format=%H -- .clang-format | tail -n 1)^}"
out=$(git clang-format-14 --binary clang-format-14 --diff --extensions cpp,h "$base" -- . 2>&1)
case "$out" in
  "" | "no modified files to format" | "clang-format did not modify any files") exit 0 ;;
esac
printf '%s\n' "$out"
echo "Lines changed since ${base} differ from .clang-format (fix with: git clang-format ${base})." >&2
exit 1
