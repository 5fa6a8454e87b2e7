#!/usr/bin/env bash
# Installs the Debian packages a step needs, and only those, so that the
# demo does not wait for the tests' Qt and clang:
#   scripts/deps.sh             building and running the demo
#   scripts/deps.sh --tests     also the tests (GoogleTest, Qt 6 and DejaVu Sans
#                               Condensed for the window and its dialogs, ezdxf
#                               and shapely, which check our files)
#   scripts/deps.sh --sanitize  also clang and its sanitizer runtime, and the
#                               format check's clang-format
#   scripts/deps.sh --bench     also what the benchmarks compare against and
#                               LibreCAD, whose drawings bench/corpus.sh reads
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config ccache lld
  libreadline-dev libfreetype-dev libcairo2-dev libpng-dev fonts-dejavu-core libxlsxwriter-dev
  libgtest-dev
)
tests=(libgmock-dev qt6-base-dev fonts-dejavu-extra python3-ezdxf python3-shapely python3-openpyxl git)
sanitize=(clang libclang-rt-dev clang-format)
case "${1:-}" in
  "") ;;
  --tests) packages+=("${tests[@]}") ;;
  --sanitize) packages+=("${tests[@]}" "${sanitize[@]}") ;;
  --bench) packages+=("${tests[@]}" libbenchmark-dev libdxflib-dev python3-matplotlib time librecad) ;;
  *) echo "usage: scripts/deps.sh [--tests | --sanitize | --bench]" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
