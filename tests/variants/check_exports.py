#!/usr/bin/env python3
"""The one check of every list of exports against the functions pixmill.h declares.

The header is the list; everything else must follow it:
--so:    the shared library's dynamic symbol table defines exactly the declared
         functions (its version script lets nothing else out);
--dll:   the 32-bit DLL exports each declared function exactly once as _Name@N
         with N = 4 x its argument count, nothing else, and imports nothing
         from OLEAUT32 (its names come from exports/Pixmill.def);
--dll64: the same for the 64-bit DLL under the plain names (Pixmill64.def);
--module: the Visual Basic declarations. Each conditional branch (64-bit
         Office, 32-bit VBA7, Visual Basic 6) declares every export exactly
         once, its Alias an export of the matching DLL, PtrSafe in the VBA7
         branches only, LongPtr never in the Visual Basic 6 one, every argument
         passed as the C type needs (records by reference with the Surface
         flavour the export's name gives, int32_t by value As Long, float by
         value As Single, int32_t* by reference As Long, ...), the result type
         matching (Sub for void); the Surface types have the record's layout;
--example: every call of an export in the example module passes the
         declared number of arguments.
(The tool's table of callable exports is generated from the header itself.)
"""
import argparse
import re
import subprocess
import sys

HEADER_DECL = re.compile(r"PIXMILL_API\s+([\w\s\*]+?)\s*\bPIXMILL_CALL\s+(\w+)\s*\(([^)]*)\)\s*;", re.S)


def header_functions(path):
    """name -> (result type, [argument types]) for every declared export."""
    text = re.sub(r"/\*.*?\*/", "", open(path, encoding="utf-8").read(), flags=re.S)
    funcs = {}
    for ret, name, args in HEADER_DECL.findall(text):
        if name in funcs:
            sys.exit(f"{path}: {name} declared twice")
        types = []
        for arg in args.split(",") if args.strip() not in ("", "void") else []:
            arg = re.sub(r"\s+", " ", arg).strip()
            types.append(re.match(r"(.*?)\s*\w+$", arg).group(1).replace(" *", "*"))
        funcs[name] = (ret.strip(), types)
    if not funcs:
        sys.exit(f"{path}: no declarations found")
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
        expected = {f"_{name}@{4 * len(types)}" for name, (_, types) in funcs.items()}
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


VB_DECL = re.compile(
    r"^(?:Public\s+|Private\s+)?Declare\s+(PtrSafe\s+)?(Function|Sub)\s+(\w+)\s+Lib\s+\"([^\"]+)\""
    r"(?:\s+Alias\s+\"([^\"]+)\")?\s*\((.*)\)\s*(?:As\s+(\w+))?$", re.I)
VB_PARAM = re.compile(r"^(?:(ByVal|ByRef)\s+)?(\w+)(\(\))?\s+As\s+(\w+)$", re.I)

# Branch label: (PtrSafe required, pointer-sized integer type, 64-bit DLL).
BRANCHES = {
    "Win64": (True, "LongPtr", True),
    "VBA7": (True, "LongPtr", False),
    "VB6": (False, "Long", False),
}


def logical_lines(path):
    """Lines with continuations joined and comments removed."""
    joined, pending = [], ""
    for raw in open(path, encoding="utf-8").read().splitlines():
        line = pending + raw.strip()
        if line.endswith(" _"):
            pending = line[:-1]
            continue
        pending = ""
        out, in_string = [], False
        for ch in line:
            if ch == '"':
                in_string = not in_string
            elif ch == "'" and not in_string:
                break
            out.append(ch)
        line = "".join(out).strip()
        if line:
            joined.append(line)
    return joined


def surface_flavours(name):
    """Surface type of each record argument, from the formats in the name."""
    flavours, rest = {}, name
    if rest.endswith("Mask24"):
        flavours["mask"] = "Surface24"
        rest = rest[: -len("Mask24")]
    pair = re.search(r"(24|32)(?:Mask)?to(24|32)", rest)
    if pair:
        flavours["src"], flavours["dest"] = f"Surface{pair.group(1)}", f"Surface{pair.group(2)}"
    else:
        single = re.search(r"(24|32)", rest)
        if single:
            flavours["dest"] = f"Surface{single.group(1)}"
    return flavours


def expected_param(ctype, pname, name, ptr_type):
    """(passing, VB type, is array) the C type needs; passing None = array."""
    if ctype == "Surface*":
        return ("ByRef", surface_flavours(name).get(pname, "?"), False)
    return {
        "int32_t": ("ByVal", "Long", False),
        "float": ("ByVal", "Single", False),
        "int32_t*": ("ByRef", "Long", False),
        "char*": ("ByVal", "String", False),
        "void*": ("ByRef", "Any", False),
        "const void*": ("ByRef", "Any", False),
        "SAFEARRAY*": ("ByVal", ptr_type, False),
        "SAFEARRAY**": (None, "Any", True),
    }.get(ctype, ("?", "?", False))


def expected_result(ctype, ptr_type):
    return {"void": None, "int32_t": "Long", "intptr_t": ptr_type}.get(ctype, "?")


def parse_module(lines):
    """Declares by branch, and the Type blocks."""
    branches, types = {}, {}
    branch, current_type = None, None
    for line in lines:
        directive = re.match(r"#(If|ElseIf|Else|End If)\b\s*(\w*)", line, re.I)
        if directive:
            kind, cond = directive.group(1).lower(), directive.group(2)
            branch = {"if": cond, "elseif": cond, "else": "VB6", "end if": None}[kind]
            continue
        if current_type is not None:
            if re.match(r"End\s+Type$", line, re.I):
                current_type = None
            else:
                types[current_type].append(line)
            continue
        t = re.match(r"(?:Public\s+|Private\s+)?Type\s+(\w+)$", line, re.I)
        if t:
            current_type = t.group(1)
            types[current_type] = []
            continue
        m = VB_DECL.match(line)
        if m:
            branches.setdefault(branch, []).append(m.groups())
        elif re.search(r"\bDeclare\b", line):
            branches.setdefault(branch, []).append(("unparsed", line))
    return branches, types


def check_branch(label, decls, funcs, exports):
    errors = []
    ptrsafe_needed, ptr_type, _ = BRANCHES[label]
    seen = {}
    for decl in decls:
        if decl[0] == "unparsed":
            errors.append(f"{label}: cannot read: {decl[1]}")
            continue
        ptrsafe, kind, name, lib, alias, params, result = decl
        where = f"{label} {name}"
        seen[name] = seen.get(name, 0) + 1
        if name not in funcs:
            errors.append(f"{where}: not a function of pixmill.h")
            continue
        if lib != "Pixmill":
            errors.append(f'{where}: Lib "{lib}" instead of "Pixmill"')
        if bool(ptrsafe) != ptrsafe_needed:
            errors.append(f"{where}: PtrSafe {'missing' if ptrsafe_needed else 'not allowed here'}")
        plist = [p.strip() for p in params.split(",")] if params.strip() else []
        if ptr_type == "Long" and re.search(r"\bLongPtr\b", params + " " + (result or ""), re.I):
            errors.append(f"{where}: LongPtr does not exist in Visual Basic 6")
        wanted_alias = name if label == "Win64" else f"_{name}@{4 * len(plist)}"
        if alias != wanted_alias:
            errors.append(f"{where}: Alias {alias!r}, expected {wanted_alias!r}")
        if (alias or name) not in exports:
            errors.append(f"{where}: {alias or name} is not exported by the DLL")
        ret, ctypes = funcs[name]
        if len(plist) != len(ctypes):
            errors.append(f"{where}: {len(plist)} arguments declared, the header has {len(ctypes)}")
            continue
        for i, (param, ctype) in enumerate(zip(plist, ctypes)):
            pm = VB_PARAM.match(param)
            if not pm:
                errors.append(f"{where}: cannot read argument {i + 1}: {param}")
                continue
            passing, pname, is_array, vbtype = pm.groups()
            want_pass, want_type, want_array = expected_param(ctype, pname, name, ptr_type)
            got = (passing if not is_array else None, vbtype, bool(is_array))
            if want_array:
                ok = bool(is_array) and passing in (None, "ByRef") and vbtype.lower() == "any"
            else:
                ok = passing is not None and got[0].lower() == want_pass.lower() \
                    and vbtype.lower() == want_type.lower() and not is_array
            if not ok:
                shown = f"{want_pass or ''} {pname}{'()' if want_array else ''} As {want_type}".strip()
                errors.append(f"{where}: argument {i + 1} ({ctype}) is '{param}', expected '{shown}'")
        want_result = expected_result(ret, ptr_type)
        if want_result is None:
            if kind.lower() != "sub":
                errors.append(f"{where}: returns nothing, so it is a Sub")
        elif kind.lower() != "function" or (result or "").lower() != want_result.lower():
            errors.append(f"{where}: result should be Function ... As {want_result}")
    for name in sorted(funcs):
        if seen.get(name, 0) == 0:
            errors.append(f"{label}: {name} is not declared")
        elif seen[name] > 1:
            errors.append(f"{label}: {name} declared {seen[name]} times")
    return errors


def check_types(types):
    want = {
        "Surface24": ["Width As Long", "Reserved As Long", "Pixels() As Byte"],
        "Surface32": ["Width As Long", "Reserved As Long", "Pixels() As Long"],
    }
    errors = []
    for name, fields in want.items():
        got = [re.sub(r"\s+", " ", f) for f in types.get(name, [])]
        if [g.lower() for g in got] != [f.lower() for f in fields]:
            errors.append(f"Type {name} is {got}, expected {fields}")
    return errors


def split_args(text):
    args, depth, cur = [], 0, ""
    for ch in text:
        if ch == "(":
            depth += 1
        elif ch == ")":
            depth -= 1
        if ch == "," and depth == 0:
            args.append(cur)
            cur = ""
        else:
            cur += ch
    if cur.strip():
        args.append(cur)
    return args


def check_example(path, declared):
    """Every call of an export passes as many arguments as its Declare."""
    errors, calls = [], 0
    for line in logical_lines(path):
        line = re.sub(r'"[^"]*"', '""', line)
        if re.search(r"\bDeclare\b", line):
            continue
        for name, count in declared.items():
            for m in re.finditer(rf"\b{name}\b(\s*\(|\s+)(.*)$", line):
                before = line[: m.start()].strip()
                if m.group(1).strip() == "(":
                    inner, depth = "", 1
                    for ch in m.group(2):
                        depth += {"(": 1, ")": -1}.get(ch, 0)
                        if depth == 0:
                            break
                        inner += ch
                    args = split_args(inner)
                elif before == "" or before.endswith(":"):
                    args = split_args(m.group(2))
                else:
                    continue
                calls += 1
                if len(args) != count:
                    errors.append(f"{path}: {name} called with {len(args)} arguments, declared with {count}")
    if calls == 0:
        errors.append(f"{path}: calls no export")
    return errors, calls


def check_module(funcs, module, example, exports32, exports64):
    branches, types = parse_module(logical_lines(module))
    errors = check_types(types)
    for label, (_, _, is64) in BRANCHES.items():
        decls = branches.pop(label, [])
        errors += check_branch(label, decls, funcs, exports64 if is64 else exports32)
    for label, decls in branches.items():
        errors.append(f"{len(decls)} Declare statements outside the Win64 / VBA7 / else branches ({label})")
    if example:
        declared = {d[2]: len([p for p in d[5].split(",") if p.strip()])
                    for d in parse_module(logical_lines(module))[0].get("VB6", []) if d[0] != "unparsed"}
        example_errors, calls = check_example(example, declared)
        errors += example_errors
        print(f"{example}: {calls} calls of exports checked")
    print(f"{module}: {len(funcs)} exports checked in {len(BRANCHES)} branches "
          f"against {len(exports32)} + {len(exports64)} DLL exports")
    return errors


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--header", required=True)
    ap.add_argument("--so")
    ap.add_argument("--dll")
    ap.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    ap.add_argument("--dll64")
    ap.add_argument("--objdump64", default="x86_64-w64-mingw32-objdump")
    ap.add_argument("--module")
    ap.add_argument("--example")
    args = ap.parse_args()
    funcs = header_functions(args.header)
    errors = []
    if args.so:
        errors += check_so(funcs, args.so)
    if args.dll:
        errors += check_dll(funcs, args.dll, args.objdump, decorated=True)
    if args.dll64:
        errors += check_dll(funcs, args.dll64, args.objdump64, decorated=False)
    if args.module:
        if not (args.dll and args.dll64):
            sys.exit("--module needs --dll and --dll64")
        errors += check_module(funcs, args.module, args.example, set(dll_exports(args.dll, args.objdump)[0]),
                               set(dll_exports(args.dll64, args.objdump64)[0]))
    for e in errors:
        print(e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
