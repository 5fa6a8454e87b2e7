#!/usr/bin/env bash
# Reads, writes, audits and renders every DXF file under a folder (by
# default LibreCAD's, which `scripts/deps.sh --bench` installs) and prints
# the files that failed, the entities kept as read and those not drawn, by
# kind, and the time of reading and writing against ezdxf's in the same run.
# Needs a build with -DTARVO_BENCH=ON (BUILD, default build/).
# Usage: bench/corpus.sh [FOLDER]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
folder="${1:-/usr/share/librecad}"
build="${BUILD:-$here/../build}"
[ -d "$folder" ] || { echo "no folder $folder (scripts/deps.sh --bench installs LibreCAD's)" >&2; exit 2; }
[ -x "$build/bin/bench_corpus" ] || { echo "no $build/bin/bench_corpus: configure with -DTARVO_BENCH=ON" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
find "$folder" -type f -iname '*.dxf' | LC_ALL=C sort > "$work/list"
mkdir -p "$work/out"
"$build/bin/bench_corpus" "$work/out" < "$work/list" > "$work/ours.tsv"
/usr/bin/python3 "$here/corpus/ezdxf_corpus.py" "$work/list" "$work/out" "$work/ours.tsv"
