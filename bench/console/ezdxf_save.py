"""The ezdxf side of the console pipeline: reads the drawing tarvo made (not
timed) and writes it, printing the processor time of the write.
Usage: /usr/bin/python3 ezdxf_save.py IN.dxf OUT.dxf"""

import sys
import time

import ezdxf


def main(source, target):
    doc = ezdxf.readfile(source)
    start = time.process_time()
    doc.saveas(target)
    print(f"entities {len(doc.modelspace())}")
    print(f"save_cpu_s {time.process_time() - start:.4f}")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
