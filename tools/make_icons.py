#!/usr/bin/env python3
"""Renders the program's icon, resources/icons/org.example.veltrix.svg, into
the PNGs beside it: one per size the desktop's icon theme asks for.

Needs rsvg-convert (Debian package librsvg2-bin); the same rsvg version
gives the same bytes. Run from anywhere: python3 tools/make_icons.py
"""

import pathlib
import shutil
import subprocess
import sys

SIZES = (16, 32, 48, 64, 128, 256)
HERE = pathlib.Path(__file__).resolve().parent
ICONS = HERE.parent / "resources" / "icons"
SVG = ICONS / "org.example.veltrix.svg"


def main():
    rsvg = shutil.which("rsvg-convert")
    if rsvg is None:
        sys.exit("rsvg-convert is missing: apt-get install librsvg2-bin")
    for size in SIZES:
        out = ICONS / f"org.example.veltrix-{size}.png"
        subprocess.run([rsvg, "--width", str(size), "--height", str(size),
                        "--format", "png", "--output", str(out), str(SVG)], check=True)
        print(f"{out.relative_to(HERE.parent)}: {size} x {size}")


if __name__ == "__main__":
    main()
