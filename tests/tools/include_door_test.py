"""The host's API is the one door between the plug-in and the platform.

The compilers' include paths keep the plug-in from naming the platform's
headers (it sees only host/, plugin/ and the resource ids). The platform has
the repository root on its path, so only this check keeps it from the
plug-in's folders. The plug-in's tests may reach the platform's inner parts,
but through tests/support/PlatformInternals.h alone, which says why.

Usage: python3 include_door_test.py SOURCE_ROOT   (run by ctest)
"""

import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.MULTILINE)
PLUGIN_FOLDERS = ("frame", "services", "geometry", "signs", "markings", "lights", "islands", "ui")
PLATFORM_DOOR = "tests/support/PlatformInternals.h"


def sources(root, folder):
    for base, _, names in os.walk(os.path.join(root, folder)):
        for name in sorted(names):
            if name.endswith((".h", ".cpp")):
                path = os.path.join(base, name)
                yield os.path.relpath(path, root), path


def includes(path):
    with open(path, encoding="utf-8") as f:
        return INCLUDE.findall(f.read())


def names_plugin(header):
    return header.startswith("plugin/") or header.split("/", 1)[0] in PLUGIN_FOLDERS


def faults(root):
    found = []
    for folder in ("platform", "host"):
        for name, path in sources(root, folder):
            found += [f"{name}: includes the plug-in's {h}" for h in includes(path) if names_plugin(h)]
    for name, path in sources(root, "plugin"):
        found += [f"{name}: includes the platform's {h}" for h in includes(path) if h.startswith("platform/")]
    for name, path in sources(root, "tests/plugin"):
        found += [
            f"{name}: includes the platform's {h} (use {PLATFORM_DOOR})"
            for h in includes(path)
            if h.startswith("platform/")
        ]
    return found


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    found = faults(sys.argv[1])
    for line in found:
        print(line)
    if found:
        sys.exit(1)
    print("the door holds: platform and plug-in include each other's headers nowhere")


if __name__ == "__main__":
    main()
