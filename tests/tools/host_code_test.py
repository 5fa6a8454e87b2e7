"""An application module holds no code of the host's classes.

Objects an application makes (entities, records, dictionaries) stay in the
drawing after it is unloaded. Their vtables, type information and the
allocator that frees them must therefore be the host's: a copy in the
module would be unmapped with it. Reads `nm` output of each module.

Usage: python3 host_code_test.py HOST_HEADER_DIR MODULE...   (run by ctest)
"""

import os
import re
import subprocess
import sys

# What must never be defined by a module for a host class.
CLASS_DATA = re.compile(r"^(vtable|VTT|typeinfo|typeinfo name|construction vtable) for (.*)$")
# The allocator of the C++ run-time: defined by a module, it would also be unmapped.
# The placement forms allocate nothing (an unoptimised build emits them
# out of line), so they are not the allocator.
ALLOCATOR = re.compile(r"^operator (new|delete)(\[\])?\((?!unsigned long, void\*\)|void\*, void\*\))")


def host_classes(header_dir):
    names = set()
    for name in sorted(os.listdir(header_dir)):
        if name.endswith(".h"):
            with open(os.path.join(header_dir, name), encoding="utf-8") as f:
                names.update(re.findall(r"^(?:class|struct)\s+(?:ZRX_EXPORT\s+)?(\w+)\s*[:{]", f.read(), re.MULTILINE))
    return names


def defined_symbols(module):
    out = subprocess.run(["nm", "-C", "--defined-only", module], check=True, capture_output=True, text=True).stdout
    # "address type name"; names keep their spaces.
    return [line.split(" ", 2)[2] for line in out.splitlines() if line.count(" ") >= 2]


def leaks(module, classes):
    found = []
    for symbol in defined_symbols(module):
        m = CLASS_DATA.match(symbol)
        # A class's own data, not that of a function type that names one
        # (clang's sanitizers emit type information for those).
        owner = re.fullmatch(r"(\w+)(::\w+)*(<.*>)?", m.group(2)) if m else None
        if owner and owner.group(1) in classes:
            found.append(symbol)
        elif ALLOCATOR.match(symbol):
            found.append(symbol)
    return found


def main():
    header_dir, modules = sys.argv[1], sys.argv[2:]
    classes = host_classes(header_dir)
    # The check itself must see the classes it guards.
    for known in ("ZcDbObject", "ZcDbTextStyleTableRecord", "ZcDbDictionary", "CZcUiDialog", "CComboBox"):
        if known not in classes:
            print(f"host class {known} not found in {header_dir}")
            return 1
    failed = False
    for module in modules:
        found = leaks(module, classes)
        for symbol in found:
            print(f"{os.path.basename(module)} defines {symbol}")
        failed = failed or bool(found)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
