"""The console's script path against ezdxf, in one run: `tarvo run` with a
script of D_Koszowa runs and --out (the whole process), then ezdxf writing
the drawing it made (read first, not timed). Wall time and processor time
(the process and its children) are both given, as medians of the runs: on
a busy machine the wall time also holds the waiting for a processor.
Usage: /usr/bin/python3 pipeline.py TARVO SCRIPT WORK_DIR [RUNS]"""

import os
import resource
import statistics
import subprocess
import sys
import time

import ezdxf


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def own_cpu():
    return time.process_time()


def timed(action, cpu_clock, runs):
    walls, cpus = [], []
    for _ in range(runs):
        start, start_cpu = time.perf_counter(), cpu_clock()
        action()
        walls.append(time.perf_counter() - start)
        cpus.append(cpu_clock() - start_cpu)
    return statistics.median(walls), statistics.median(cpus)


def main(tarvo, script, work, runs):
    drawing = os.path.join(work, "curves.dxf")
    command = [tarvo, "run", "--script", script, "--out", drawing]

    def run_tarvo():
        subprocess.run(command, stdout=subprocess.DEVNULL, check=True)

    run_tarvo()  # warm the caches
    t_wall, t_cpu = timed(run_tarvo, children_cpu, runs)

    doc = ezdxf.readfile(drawing)
    target = os.path.join(work, "ezdxf.dxf")
    e_wall, e_cpu = timed(lambda: doc.saveas(target), own_cpu, runs)

    print(f"entities in the drawing:        {len(doc.modelspace())}")
    print(f"tarvo run with --out, median:   {t_wall * 1000:.1f} ms wall, {t_cpu * 1000:.1f} ms processor")
    print(f"ezdxf writing it, median:       {e_wall * 1000:.1f} ms wall, {e_cpu * 1000:.1f} ms processor")
    print(f"tarvo is {e_wall / t_wall:.2f} times as fast as ezdxf's write by wall time, "
          f"{e_cpu / t_cpu:.2f} by processor time (goal: 15)")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]) if len(sys.argv) > 4 else 5)
