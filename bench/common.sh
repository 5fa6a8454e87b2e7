# What the benchmark scripts share; sourced, not run.
# After sourcing: $work is a scratch folder removed on exit, $bench_dir
# this folder.

bench_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Stops with a hint when the program is not built.
need_program() {
    [ -x "$1" ] || { echo "$1 not found: ${2:-build first}" >&2; exit 1; }
}

# Stops when Debian's ezdxf (and any further Python modules named) is missing.
need_python() {
    local modules
    modules=$(IFS=,; echo "ezdxf${*:+,$*}")
    /usr/bin/python3 -c "import $modules" 2>/dev/null \
        || { echo "python3 modules missing ($modules): Debian's python3-ezdxf and friends" >&2; exit 1; }
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs the sides interleaved, $BENCH_RUNS times each (5 unless set), and
# prints each side's times and peak memory, the median ratios with their
# range and the goals met or not; the first side is this project's.
#   compare [--time cpu|wall|KEY[+KEY]] [--goal NAME=R] [--memory-goal NAME=R] \
#       :: NAME ARGV... :: NAME ARGV...
# The machine is shared: processor time read from wait4 and interleaving
# keep the ratios fair when the neighbours are busy. The last run's output
# of each side is in $work/NAME.out and $work/NAME.err.
compare() {
    /usr/bin/python3 "$bench_dir/compare.py" --runs "${BENCH_RUNS:-5}" --work "$work" "$@"
}

# The value after key in a benchmark program's "key value" lines.
value() { awk -v key="$1" '$1 == key { print $2 }' "$2"; }
