#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the reader's fuzzing
# and the demo need; with --bench also what the benchmarks compare against
# and LibreCAD, whose drawings bench/corpus.sh reads.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  ccache lld libreadline-dev libfreetype-dev libcairo2-dev libpng-dev fonts-dejavu-core
  libxlsxwriter-dev python3-openpyxl qt6-base-dev
  python3-ezdxf python3-shapely clang libclang-rt-dev clang-format git
)
[ "${1:-}" = "--bench" ] && packages+=(libdxflib-dev python3-matplotlib time librecad)
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
