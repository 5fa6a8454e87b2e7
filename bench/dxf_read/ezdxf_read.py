"""Reads a DXF file with ezdxf and prints the time it took, for the
comparison in run.sh. Usage: /usr/bin/python3 ezdxf_read.py FILE.dxf"""

import sys
import time

import ezdxf


def main(path):
    start = time.perf_counter()
    cpu_start = time.process_time()
    doc = ezdxf.readfile(path)
    cpu = time.process_time() - cpu_start
    wall = time.perf_counter() - start
    polylines = len(doc.modelspace().query("LWPOLYLINE"))
    print(f"polylines {polylines}")
    print(f"read_s {wall:.4f}")
    print(f"read_cpu_s {cpu:.4f}")


if __name__ == "__main__":
    main(sys.argv[1])
