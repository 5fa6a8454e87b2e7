"""Runs two or more programs interleaved (A B A B ...) and prints the
median ratio of each to the first, with the range of the per-run ratios,
and whether each goal is met.

Each run is one process; its processor time (user + system) and peak
resident memory come from wait4, its wall time from a monotonic clock.
A time may also be a figure the program prints itself as a "key value"
line on stdout or stderr (`--time write_s`, or a sum `insert_s+write_s`).
The last run's output of each side stays in WORK/NAME.out and NAME.err.

The medians go to WORK/compare.json for the calling script.

Usage: compare.py [options] :: NAME ARGV... [:: NAME ARGV...]...
  --runs N          runs of each side (default 5, at least 5 for a verdict)
  --time WHAT       cpu (default), wall, or a printed key (a+b sums keys);
                    NAME=WHAT for one side only
  --goal NAME=R     the time of NAME over the first side's, at least R
  --memory-goal NAME=R  the first side's peak memory over NAME's, at most R
  --under NAME=S    NAME's median time under S seconds
  --work DIR        where outputs go (default: the current folder)
  --what TEXT       a line saying what is measured, printed first
Exit status 0 whether or not goals are met; 1 when a run fails."""

import json
import os
import statistics
import subprocess
import sys
import time


def parse(argv):
    options = {"runs": 5, "time": "cpu", "times": {}, "goals": {}, "memory_goals": {}, "under": {}, "work": ".",
               "what": None}
    parts, current = [], None
    head = []
    for arg in argv:
        if arg == "::":
            current = []
            parts.append(current)
        elif current is None:
            head.append(arg)
        else:
            current.append(arg)
    it = iter(head)
    for arg in it:
        value = next(it, None)
        if value is None:
            sys.exit(f"compare.py: {arg} needs a value")
        if arg == "--runs":
            options["runs"] = int(value)
        elif arg == "--time":
            name, _, what = value.rpartition("=")
            if name:
                options["times"][name] = what
            else:
                options["time"] = what
        elif arg in ("--goal", "--memory-goal", "--under"):
            name, _, figure = value.partition("=")
            options[{"--goal": "goals", "--memory-goal": "memory_goals", "--under": "under"}[arg]][name] = float(figure)
        elif arg == "--work":
            options["work"] = value
        elif arg == "--what":
            options["what"] = value
        else:
            sys.exit(f"compare.py: unknown option {arg}")
    sides = [(p[0], p[1:]) for p in parts if len(p) >= 2]
    if not sides or len(sides) != len(parts):
        sys.exit("compare.py: give each side as :: NAME ARGV...")
    return options, sides


def run_once(name, argv, work):
    """One run: (wall s, processor s, peak KiB, printed values)."""
    out_path, err_path = os.path.join(work, name + ".out"), os.path.join(work, name + ".err")
    with open(out_path, "wb") as out, open(err_path, "wb") as err:
        start = time.perf_counter()
        child = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=out, stderr=err)
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.perf_counter() - start
        child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        sys.stderr.write(f"{name} failed (exit {child.returncode}): {' '.join(argv)}\n")
        with open(err_path, encoding="utf-8", errors="replace") as err:
            sys.stderr.write("".join(err.readlines()[-10:]))
        sys.exit(1)
    values = {}
    for path in (out_path, err_path):
        with open(path, encoding="utf-8", errors="replace") as text:
            for line in text:
                words = line.split()
                if len(words) == 2:
                    try:
                        values[words[0]] = float(words[1])
                    except ValueError:
                        pass
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss, values


def chosen_time(what, wall, cpu, values, name):
    if what == "cpu":
        return cpu
    if what == "wall":
        return wall
    total = 0.0
    for key in what.split("+"):
        if key not in values:
            sys.exit(f"compare.py: {name} printed no '{key} VALUE' line")
        total += values[key]
    return total


def ratio_text(r):
    """87×, 4.6×, 0.21×: as many digits as a reader can use."""
    if r >= 10:
        return f"{r:.0f}×"
    if r >= 1:
        return f"{r:.1f}×"
    if r >= 0.01:
        return f"{r:.2f}×"
    return f"{r:.2g}×"


def summary(ratios):
    return f"{ratio_text(statistics.median(ratios))} (range {ratio_text(min(ratios))}–{ratio_text(max(ratios))})"


def load_note():
    try:
        with open("/proc/loadavg", encoding="ascii") as f:
            return f.read().split()[0]
    except OSError:
        return "?"


def unit_of(what):
    return {"cpu": "processor time", "wall": "wall time"}.get(what, f"its own '{what}'")


def main(argv):
    options, sides = parse(argv)
    runs = options["runs"]
    what = {name: options["times"].get(name, options["time"]) for name, _ in sides}
    load_before = load_note()
    results = {name: [] for name, _ in sides}
    for _ in range(runs):
        for name, command in sides:
            wall, cpu, peak, values = run_once(name, command, options["work"])
            results[name].append((chosen_time(what[name], wall, cpu, values, name), wall, cpu, peak))

    if options["what"]:
        print(options["what"])
    units = sorted({unit_of(w) for w in what.values()})
    if len(units) == 1:
        print(f"{runs} interleaved runs of each side; time is {units[0]}", end="")
    else:
        print(f"{runs} interleaved runs of each side; time is " + ", ".join(f"{n}: {unit_of(w)}" for n, w in what.items()),
              end="")
    print(f"; {os.cpu_count()} processors shared with other work, load average {load_before} before, {load_note()} after")
    print(f"{'':10} {'time s':>9} {'range s':>17} {'cpu s':>8} {'wall s':>8} {'peak MB':>9}")
    medians = {}
    for name, _ in sides:
        rows = results[name]
        times = [r[0] for r in rows]
        medians[name] = {"time": statistics.median(times), "wall": statistics.median(r[1] for r in rows),
                         "cpu": statistics.median(r[2] for r in rows), "peak_kb": statistics.median(r[3] for r in rows)}
        m = medians[name]
        print(f"{name:10} {m['time']:9.4f} {min(times):8.4f}–{max(times):<8.4f} "
              f"{m['cpu']:8.3f} {m['wall']:8.3f} {m['peak_kb'] / 1024:9.1f}")
        limit = options["under"].get(name)
        if limit is not None:
            print(f"{name}: median {m['time']:.3f} s; goal under {limit:g} s: {'met' if m['time'] < limit else 'not met'}")

    ours_name = sides[0][0]
    ours = results[ours_name]
    for name, _ in sides[1:]:
        theirs = results[name]
        speed = [t[0] / o[0] if o[0] > 0 else float("inf") for o, t in zip(ours, theirs)]
        memory = [o[3] / t[3] for o, t in zip(ours, theirs)]
        medians[name]["speed_ratio"] = statistics.median(speed)
        medians[name]["memory_ratio"] = statistics.median(memory)
        line = f"time: {ours_name} is {summary(speed)} as fast as {name}"
        goal = options["goals"].get(name)
        if goal is not None:
            line += f"; goal {ratio_text(goal)}: {'met' if statistics.median(speed) >= goal else 'not met'}"
        print(line)
        line = f"memory: {ours_name} peaks at {summary(memory)} of {name}'s"
        goal = options["memory_goals"].get(name)
        if goal is not None:
            line += f"; goal {ratio_text(goal)}: {'met' if statistics.median(memory) <= goal else 'not met'}"
        print(line)
    if runs < 5:
        print(f"only {runs} runs of each side: too few to decide a goal")
    with open(os.path.join(options["work"], "compare.json"), "w", encoding="utf-8") as out:
        json.dump(medians, out)


if __name__ == "__main__":
    main(sys.argv[1:])
