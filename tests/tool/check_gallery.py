#!/usr/bin/env python3
"""`pixmill gallery DIR`: the page must show what is in the directory, and each
call's command must make the picture shown under it.

Every picture the page shows is a PNG file in the directory with the size and
depth the page states (from its header: colour type 6 is RGBA, 2 RGB); each
command under a call, run again in the directory, writes the very bytes of
the picture shown after it; every family of exports appears.

usage: check_gallery.py PIXMILL_EXE"""
import re
import shlex
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

FAMILIES = [
    r"BitBlt(24|32)to(24|32)", r"BitBlt24to(24|32)(TColor)?Alpha|BitBlt24to24TColor",
    r"BitBlt.*Mask.*|.*PostProcess", r"StretchBlt(24|32)to(24|32)F?", r"StretchBltBillinear.*", r"DrawBar.*",
    r"DrawRect.*", r"GammaCorrect.*|Contrast.*", r"Invert.*|AlphaAdd32|HorizontalFlip32", r"AjustHLS32", r"Blur.*",
    r"RoundsFromWater.*", r"Rotate.*",
]


def png_header(path):
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit(f"{path.name}: not a PNG file")
    width, height, depth, colour = struct.unpack(">IIBB", data[16:26])
    return width, height, {2: 24, 6: 32}.get(colour) if depth == 8 else None


def main():
    exe = sys.argv[1]
    errors = []
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run([exe, "gallery", "g"], cwd=tmp, check=True, capture_output=True)
        gallery = Path(tmp) / "g"
        page = (gallery / "index.html").read_text()

        figures = re.findall(r'<img src="([^"/]+)" width="(\d+)" height="(\d+)"[^>]*>.*?, (\d+)-bit</span>', page)
        if not figures or len(figures) != page.count("<img "):
            errors.append(f"{len(figures)} figures read of {page.count('<img ')} images")
        for name, width, height, bits in figures:
            if png_header(gallery / name) != (int(width), int(height), int(bits)):
                errors.append(f"{name}: {png_header(gallery / name)}, the page says {width}x{height} {bits}-bit")

        exports = set()
        for words, output in re.findall(r'<code class="run">pixmill (run [^<]+) -o ([^ <]+)</code>', page):
            args = shlex.split(words)
            exports.add(args[1])
            if f'<img src="{output}"' not in page:
                errors.append(f"{output}: made but not shown")
            again = subprocess.run([exe, *args, "-o", "again.png"], cwd=gallery, capture_output=True, text=True)
            if again.returncode != 0 or (gallery / "again.png").read_bytes() != (gallery / output).read_bytes():
                errors.append(f"'{words}' does not remake {output}: {again.stderr.strip()}")
        for family in FAMILIES:
            if not any(re.fullmatch(f"Render_({family})", e) for e in exports):
                errors.append(f"no call of the family {family}")
    for e in errors:
        print("FAIL:", e)
    sys.exit(1 if errors else 0)


if __name__ == "__main__":
    main()
