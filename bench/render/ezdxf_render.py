"""The ezdxf side of the picture benchmark: what `ezdxf draw -o OUT.png`
does (read the file, draw model space with matplotlib), but on a canvas of
exactly WIDTH x HEIGHT pixels, the size tarvo drew, so that both sides
fill the same pixels.
Usage: /usr/bin/python3 ezdxf_render.py IN.dxf OUT.png WIDTH HEIGHT"""

import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

import ezdxf  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402

DPI = 100


def main(source, target, width, height):
    doc = ezdxf.readfile(source)
    figure = plt.figure(figsize=(width / DPI, height / DPI), dpi=DPI)
    axes = figure.add_axes([0, 0, 1, 1])
    # Left alone, the backend would resize the figure to the drawing's shape.
    backend = MatplotlibBackend(axes, adjust_figure=False)
    Frontend(RenderContext(doc), backend).draw_layout(doc.modelspace(), finalize=True)
    figure.savefig(target, dpi=DPI)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
