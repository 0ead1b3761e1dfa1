#!/usr/bin/env python3
"""Renders the program's icon, resources/icons/org.example.veltrix.svg, into
the PNGs beside it: one per size the desktop's icon theme asks for. The
Windows icon file (.ico) holds the same PNGs, as Windows takes them since
Vista.

Needs rsvg-convert (Debian package librsvg2-bin); the same rsvg version
gives the same bytes. Run from anywhere: python3 tools/make_icons.py
"""

import pathlib
import shutil
import struct
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
    write_ico()


def write_ico():
    """One directory entry per size, each pointing at a whole PNG file."""
    images = [(size, (ICONS / f"org.example.veltrix-{size}.png").read_bytes()) for size in SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        side = 0 if size >= 256 else size  # 0 stands for 256
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    ico = ICONS / "org.example.veltrix.ico"
    ico.write_bytes(bytes(out))
    print(f"{ico.relative_to(HERE.parent)}: {len(images)} sizes")


if __name__ == "__main__":
    main()
