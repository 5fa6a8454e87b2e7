"""The ezdxf side of the DXF writing benchmark: the same polylines as
bench_dxf_write, written as R2000. Usage: /usr/bin/python3 ezdxf_write.py OUT.dxf [COUNT]"""

import sys
import time

import ezdxf


def main(path, count):
    start, cpu_start = time.perf_counter(), time.process_time()
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    for i in range(count):
        x = (i % 1000) * 10.0
        y = (i // 1000) * 10.0
        msp.add_lwpolyline([(x, y), (x + 5.0, y), (x + 5.0, y + 5.0), (x, y + 5.0)])
    build = time.perf_counter() - start
    build_cpu = time.process_time() - cpu_start

    start, cpu_start = time.perf_counter(), time.process_time()
    doc.saveas(path)
    write = time.perf_counter() - start
    write_cpu = time.process_time() - cpu_start

    print(f"polylines {count}")
    print(f"build_s {build:.4f}")
    print(f"build_cpu_s {build_cpu:.4f}")
    print(f"write_s {write:.4f}")
    print(f"write_cpu_s {write_cpu:.4f}")


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 100000)
