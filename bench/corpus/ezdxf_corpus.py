"""The ezdxf half of bench/corpus.sh: reads and writes every original with
ezdxf (timed), audits the originals and this project's copies, compares
what each block holds, and prints the summary with bench_corpus's lines.

Usage: python3 ezdxf_corpus.py LIST OUTDIR OURS.tsv
"""

import collections
import io
import os
import re
import sys
import time

import ezdxf
from ezdxf import recover

# Old polylines are written back as lightweight ones: one kind for the count.
SAME_KIND = {"POLYLINE": "LWPOLYLINE"}
LINE = re.compile(r"(file|kept|notice|seconds)\t")
NOT_DRAWN = re.compile(r"^(\d+) entit(?:y|ies) of the kind (\S+)")


def contents(doc):
    """Entity kinds by block (model space, paper space, each named block)."""
    held = {}
    for block in doc.blocks:
        kinds = collections.Counter(SAME_KIND.get(e.dxftype(), e.dxftype()) for e in block)
        held[block.name.upper()] = kinds
    return held


def audit_errors(path):
    try:
        doc, auditor = recover.readfile(path)
    except Exception as e:  # noqa: BLE001 - any failure is the file's
        return None, f"{type(e).__name__}: {e}"
    auditor = doc.audit()
    return doc, len(auditor.errors)


def main():
    list_path, out_dir, ours_path = sys.argv[1:4]
    files = [line.rstrip("\n") for line in open(list_path, encoding="utf-8") if line.strip()]
    ours = collections.defaultdict(list)
    seconds = {}
    for line in open(ours_path, encoding="utf-8"):
        # Notices of the platform (a missing font) may share the line.
        found = LINE.search(line)
        if not found:
            continue
        parts = line[found.start():].rstrip("\n").split("\t")
        if parts[0] == "seconds":
            seconds[parts[1]] = float(parts[2])
        else:
            ours[parts[0]].append(parts[1:])

    failed = []
    for i, status, message in ours["file"]:
        if status != "ok":
            failed.append(f"{files[int(i)]}: {message}")

    # ezdxf reading the originals and writing them to memory, timed on their own.
    ezdxf_seconds = 0.0
    ezdxf_failed = 0
    for path in files:
        start = time.perf_counter()
        try:
            doc = ezdxf.readfile(path)
            doc.write(io.StringIO())
        except Exception:  # noqa: BLE001 - counted, not timed apart
            ezdxf_failed += 1
        ezdxf_seconds += time.perf_counter() - start

    worse_audit, lost = [], []
    for i, path in enumerate(files):
        copy = os.path.join(out_dir, f"{i}.dxf")
        if not os.path.exists(copy):
            continue
        original, original_errors = audit_errors(path)
        written, written_errors = audit_errors(copy)
        if written is None:
            failed.append(f"{path}: ezdxf cannot read the copy: {written_errors}")
            continue
        if original is not None and written_errors > original_errors:
            worse_audit.append(f"{path}: {written_errors} audit errors, the original {original_errors}")
        if original is not None:
            before, after = contents(original), contents(written)
            for name, kinds in before.items():
                if after.get(name, collections.Counter()) != kinds:
                    lost.append(f"{path}: block {name}: {dict(kinds)} became {dict(after.get(name, {}))}")

    def by_kind(rows):
        entities, in_files = collections.Counter(), collections.defaultdict(set)
        for i, kind, count in rows:
            entities[kind] += int(count)
            in_files[kind].add(i)
        return [(k, entities[k], len(in_files[k])) for k in sorted(entities, key=lambda k: (-entities[k], k))]

    not_drawn, notes = [], collections.Counter()
    for i, text in ours["notice"]:
        m = NOT_DRAWN.match(text)
        if m:
            not_drawn.append((i, m.group(2), m.group(1)))
        else:
            notes[text] += 1

    print(f"files: {len(files)}")
    print(f"failed: {len(failed)}")
    for f in failed:
        print(f"  {f}")
    print("kept as read (kind, entities, files):")
    for kind, n, nf in by_kind(ours["kept"]):
        print(f"  {kind}\t{n}\t{nf}")
    print("not drawn (kind, entities, files):")
    for kind, n, nf in by_kind(not_drawn):
        print(f"  {kind}\t{n}\t{nf}")
    print("other notices of the pictures (files):")
    for text, n in sorted(notes.items()):
        print(f"  {text}\t{n}")
    print(f"audit worse than the original's: {len(worse_audit)}")
    for w in worse_audit:
        print(f"  {w}")
    print(f"entities lost or changed in kind: {len(lost)}")
    for item in lost[:50]:
        print(f"  {item}")
    ours_rw = seconds.get("read", 0.0) + seconds.get("write", 0.0)
    print(f"time: read+write {ours_rw:.2f} s (render {seconds.get('render', 0.0):.2f} s); "
          f"ezdxf read+write {ezdxf_seconds:.2f} s ({ezdxf_failed} files it could not read)")
    if ours_rw > 0:
        print(f"ezdxf / this project: {ezdxf_seconds / ours_rw:.1f}")
    return 1 if failed or worse_audit or lost else 0


if __name__ == "__main__":
    sys.exit(main())
