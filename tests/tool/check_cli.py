#!/usr/bin/env python3
"""`pixmill info` and `pixmill demo` end to end.

info: the version and description, the level the exports run at
(PIXMILL_ISA lowers it; a value naming no level, or one above the CPU's, is
reported as ignored), and every export with its arguments, each of which
`run EXPORT --help` lists. demo: one timed line per step, numbered, and the
scene written under the default name or the one given (BMP or PNG by its
extension) with the same pixels; nothing else is left in the directory.

usage: check_cli.py PIXMILL_EXE"""
import os
import re
import subprocess
import sys
import tempfile

LEVELS = ["scalar", "sse2", "ssse3", "avx2", "avx512"]
errors = []


def run(exe, args, cwd, isa=None):
    env = dict(os.environ)
    env.pop("PIXMILL_ISA", None)
    if isa:
        env["PIXMILL_ISA"] = isa
    r = subprocess.run([exe, *args], cwd=cwd, env=env, capture_output=True, text=True)
    if r.returncode != 0:
        errors.append(f"pixmill {' '.join(args)}: exit {r.returncode}: {r.stderr.strip()}")
    return r.stdout


def check(condition, message):
    if not condition:
        errors.append(message)


def main():
    exe = sys.argv[1]
    with tempfile.TemporaryDirectory() as tmp:
        head = "Pixmill version 100: Pixmill v1.01 based. Alpha Edition.\nInstruction set: "
        plain = run(exe, ["info"], tmp)
        check(plain.startswith(head), f"info begins:\n{plain[:200]}")
        cpu = plain[len(head):].split("\n", 1)[0]
        check(cpu in LEVELS, f"level '{cpu}'")
        expect = {
            "scalar": "scalar\n" if cpu == "scalar" else f"scalar (lowered by PIXMILL_ISA from {cpu})\n",
            "bogus": f"{cpu}\nPIXMILL_ISA=bogus ignored: not one of scalar, sse2, ssse3, avx2, avx512\n",
            "avx512": "avx512\n" if cpu == "avx512"
            else f"{cpu}\nPIXMILL_ISA=avx512 ignored: above what this CPU supports\n",
        }
        for isa, level in expect.items():
            out = run(exe, ["info"], tmp, isa)
            check(out.startswith(head + level), f"PIXMILL_ISA={isa}: info says\n{out[:300]}")

        listed = re.findall(r"^  (Render_\w+) +(.*)$", plain, re.M)
        count = re.search(r"^(\d+) exports reachable with pixmill run:$", plain, re.M)
        check(count and int(count.group(1)) == len(listed) > 60, f"{len(listed)} exports listed, count {count}")
        for name, args in listed:
            helptext = run(exe, ["run", name, "--help"], tmp)
            for arg in args.split():
                check(re.search(rf"^  (--|  ){arg} ", helptext, re.M), f"{name} --help lacks {arg}")

        demo = run(exe, ["demo"], tmp)
        steps = re.findall(r"^ *(\d+)\. .* ms$", demo, re.M)
        check(len(steps) > 10 and steps == [str(i + 1) for i in range(len(steps))], f"demo steps: {steps}")
        check("wrote pixmill-demo.bmp (680x344, 24-bit)" in demo, demo[-200:])
        run(exe, ["demo", "scene.PNG"], tmp)
        rgb = [subprocess.run(["convert", os.path.join(tmp, f), "-depth", "8", "rgb:-"], capture_output=True,
                              check=True).stdout for f in ("pixmill-demo.bmp", "scene.PNG")]
        check(len(rgb[0]) == 680 * 344 * 3 and rgb[0] == rgb[1], "scene.PNG holds other pixels than the bitmap")
        with open(os.path.join(tmp, "scene.PNG"), "rb") as f:
            check(f.read(8) == b"\x89PNG\r\n\x1a\n", "scene.PNG is not a PNG file")
        check(sorted(os.listdir(tmp)) == ["pixmill-demo.bmp", "scene.PNG"], f"left: {os.listdir(tmp)}")
    for e in errors:
        print("FAIL:", e)
    sys.exit(1 if errors else 0)


if __name__ == "__main__":
    main()
