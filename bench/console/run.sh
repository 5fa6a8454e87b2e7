#!/bin/bash
# The console's own cost: the whole-process time of `tarvo run` with an
# empty script (start, load the plug-in, unload, exit; goal: median under
# 20 ms), the cost of one command from 10,000 REGEN lines in a script, and
# the script path as a user drives it: 20,000 D_Koszowa runs from a script
# and the drawing saved, against ezdxf writing the same drawing (read
# first, not timed), interleaved, by processor time (goal: 15 times faster
# than ezdxf in the median). The start and the command are timed with
# hyperfine when it is installed, else with a loop timed with date.
# Usage: bench/console/run.sh BUILD_DIR [RUNS]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../common.sh"

build=${1:?usage: $0 BUILD_DIR [RUNS]}
runs=${2:-200}
tarvo="$build/bin/tarvo"
need_program "$tarvo"
need_python
: >"$work/empty.scr"
commands=10000
for ((i = 0; i < commands; i++)); do echo REGEN; done >"$work/regen.scr"
curves=20000
for ((i = 0; i < curves; i++)); do
    printf 'D_Koszowa\n8\n%d,0\n%d,0\n%d,-30\n' $((i * 100 - 30)) $((i * 100)) $((i * 100))
done >"$work/curves.scr"

# Median wall time in milliseconds of running the command `runs` times.
median_ms() {
    local n=$1
    shift
    if command -v hyperfine >/dev/null; then
        hyperfine -N --warmup 5 --runs "$n" --export-json "$work/h.json" "$*" >/dev/null 2>"$work/h.err" \
            || { cat "$work/h.err" >&2; exit 1; }
        /usr/bin/python3 -c 'import json,sys; print("%.3f" % (json.load(open(sys.argv[1]))["results"][0]["median"] * 1000))' "$work/h.json"
        return
    fi
    local times=()
    for ((k = 0; k < 5; k++)); do "$@" >/dev/null; done
    for ((k = 0; k < n; k++)); do
        local t0 t1
        t0=$(date +%s%N)
        "$@" >/dev/null
        t1=$(date +%s%N)
        times+=($(((t1 - t0) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { m = (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2; printf "%.3f\n", m / 1000 }'
}

empty=$(median_ms "$runs" "$tarvo" run --script "$work/empty.scr")
many=$(median_ms "$runs" "$tarvo" run --script "$work/regen.scr")
per=$(awk -v a="$many" -v b="$empty" -v n="$commands" 'BEGIN { printf "%.2f", (a - b) * 1000 / n }')

echo "tool:                       $(command -v hyperfine >/dev/null && echo hyperfine || echo 'date loop')"
echo "empty script, median:       $empty ms (goal: under 20 ms)"
echo "$commands REGEN lines, median: $many ms"
echo "per command:                $per us"

# The pipeline: the drawing made once first for ezdxf to read.
"$tarvo" run --script "$work/curves.scr" --out "$work/curves.dxf" >/dev/null
compare --time ezdxf=save_cpu_s --goal ezdxf=15 \
    --what "$curves D_Koszowa from a script and the save (the whole tarvo run) against ezdxf's write alone" \
    :: tarvo "$tarvo" run --script "$work/curves.scr" --out "$work/tarvo.dxf" \
    :: ezdxf /usr/bin/python3 "$here/ezdxf_save.py" "$work/curves.dxf" "$work/ezdxf.dxf"
echo "entities in the drawing: $(value entities "$work/ezdxf.out")"
