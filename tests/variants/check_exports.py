#!/usr/bin/env python3
"""Checks a built library's export table against the functions pixmill.h declares.

--dll: every declared function is exported exactly once as _Name@N with
N = 4 x its argument count, nothing else is exported, and nothing is imported
from OLEAUT32.
--dll64: the same for the 64-bit DLL, whose exports carry the plain names.
--so:  the dynamic symbol table defines exactly the declared functions.
"""
import argparse
import re
import subprocess
import sys

DECL = re.compile(r"PIXMILL_API\s+[\w\s\*]+?\bPIXMILL_CALL\s+(\w+)\s*\(([^)]*)\)\s*;", re.S)


def declared(header):
    text = open(header, encoding="utf-8").read()
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    funcs = {}
    for name, args in DECL.findall(text):
        args = args.strip()
        count = 0 if args in ("", "void") else args.count(",") + 1
        if name in funcs:
            sys.exit(f"{header}: {name} declared twice")
        funcs[name] = count
    if not funcs:
        sys.exit(f"{header}: no declarations found")
    return funcs


def dll_exports(dll, objdump):
    """The export name table of a PE file and the DLLs it imports from."""
    out = subprocess.run([objdump, "-p", dll], check=True, capture_output=True, text=True).stdout
    table = out.split("[Ordinal/Name Pointer] Table", 1)
    if len(table) != 2:
        sys.exit(f"{dll}: no export name table")
    exported = re.findall(r"^\s*\[\s*\d+\]\s+(\S+)\s*$", table[1].split("\n\n", 1)[0], re.M)
    return exported, re.findall(r"DLL Name:\s*(\S+)", out)


def check_dll(funcs, dll, objdump, decorated):
    exported, imports = dll_exports(dll, objdump)
    errors = []
    if decorated:
        expected = {f"_{name}@{4 * n}" for name, n in funcs.items()}
    else:
        expected = set(funcs)
    for sym in sorted(set(exported)):
        if exported.count(sym) > 1:
            errors.append(f"exported more than once: {sym}")
    for sym in sorted(expected - set(exported)):
        errors.append(f"missing export: {sym}")
    for sym in sorted(set(exported) - expected):
        errors.append(f"unexpected export: {sym}")
    for dllname in imports:
        if dllname.lower().startswith("oleaut32"):
            errors.append(f"imports from {dllname}")
    print(f"{dll}: {len(exported)} exports checked against {len(funcs)} declarations")
    return errors


def check_so(funcs, so):
    out = subprocess.run(["nm", "-D", "--defined-only", so], check=True, capture_output=True, text=True).stdout
    defined = [line.split()[-1] for line in out.splitlines() if line.strip()]
    errors = [f"missing export: {n}" for n in sorted(set(funcs) - set(defined))]
    errors += [f"unexpected export: {n}" for n in sorted(set(defined) - set(funcs))]
    print(f"{so}: {len(defined)} symbols checked against {len(funcs)} declarations")
    return errors


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--header", required=True)
    ap.add_argument("--dll")
    ap.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    ap.add_argument("--dll64")
    ap.add_argument("--objdump64", default="x86_64-w64-mingw32-objdump")
    ap.add_argument("--so")
    args = ap.parse_args()
    funcs = declared(args.header)
    errors = []
    if args.dll:
        errors += check_dll(funcs, args.dll, args.objdump, decorated=True)
    if args.dll64:
        errors += check_dll(funcs, args.dll64, args.objdump64, decorated=False)
    if args.so:
        errors += check_so(funcs, args.so)
    for e in errors:
        print(e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
