"""The ezdxf side of the block benchmark: a block with five attribute
definitions, the same references with add_auto_attribs and the same texts,
saved as R2000. Usage: /usr/bin/python3 ezdxf_blocks.py OUT.dxf [COUNT]"""

import sys
import time

import ezdxf

TAGS = ["Symbol", "Powierzchnia", "Długość", "Przeznaczenie", "Powierzchnia_na_mb"]


def main(path, count):
    start, cpu_start = time.perf_counter(), time.process_time()
    doc = ezdxf.new("R2000")
    block = doc.blocks.new("S_Znaki_OpisPoz")
    for row, tag in enumerate(TAGS):
        block.add_attdef(tag, (0, -1.2 * row), dxfattribs={"height": 1.0, "prompt": tag})
    msp = doc.modelspace()
    for i in range(count):
        text = f"P-{i}"
        ref = msp.add_blockref("S_Znaki_OpisPoz", ((i % 100) * 10.0, (i // 100) * 10.0),
                               dxfattribs={"xscale": 2.0, "yscale": 2.0, "zscale": 2.0, "rotation": 28.6479})
        ref.add_auto_attribs({tag: text for tag in TAGS})
    insert = time.perf_counter() - start
    insert_cpu = time.process_time() - cpu_start

    start, cpu_start = time.perf_counter(), time.process_time()
    doc.saveas(path)
    write = time.perf_counter() - start
    write_cpu = time.process_time() - cpu_start

    print(f"references {count}")
    print(f"insert_s {insert:.4f}")
    print(f"insert_cpu_s {insert_cpu:.4f}")
    print(f"write_s {write:.4f}")
    print(f"write_cpu_s {write_cpu:.4f}")


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 10000)
