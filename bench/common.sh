# What the benchmark scripts share; sourced, not run.
# After sourcing: $work is a scratch folder removed on exit.

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

# From the output of `/usr/bin/time -v`: processor seconds (user and system;
# the machine is shared, so wall time says more about the neighbours), wall
# seconds, and the peak resident memory in KiB.
cpu_seconds() { awk -F': ' '/User time|System time/ { s += $2 } END { print s }' "$1"; }
wall_seconds() { awk -F': ' '/Elapsed \(wall clock\)/ { n = split($2, t, ":"); s = 0; for (i = 1; i <= n; i++) s = s * 60 + t[i]; print s }' "$1"; }
peak_kb() { awk -F': ' '/Maximum resident set size/ { print $2 }' "$1"; }

# The value after key in a benchmark program's "key value" lines.
value() { awk -v key="$1" '$1 == key { print $2 }' "$2"; }
