#!/usr/bin/env python3
"""Prints Pixmill's performance table: for every comparison the throughput of
the Pixmill export and of its peer measured in the same run, their ratio, the
target ratio and whether it is met, then the size sweep.

    table.py BUILD/bench/pixmill_bench      runs the benchmarks, then prints
    table.py --json RESULTS.json            formats a saved Google Benchmark run
"""
import argparse
import datetime
import json
import os
import subprocess
import sys
import tempfile

FULL_HD = "1920x1080"
LARGE = "3840x2160"
SMALL = "64x64"
# At SMALL no export may cost more than this many times per pixel what it
# costs at FULL_HD: reading the surfaces, clipping and choosing kernels
# stay small next to the pixels.
MAX_SMALL_COST = 1.5


def measured_rates(benchmarks):
    """{run name: (rate, unit, target)}: the median of the repetitions where
    there are several, else the single run."""
    single, median = {}, {}
    for b in benchmarks:
        name = b.get("run_name", b["name"])
        if "bytes_per_second" in b:
            rate, unit = b["bytes_per_second"], "bytes"
        elif "items_per_second" in b:
            rate, unit = b["items_per_second"], "pixels"
        else:
            continue
        entry = (rate, unit, b.get("target"))
        if b.get("run_type") == "aggregate":
            if b.get("aggregate_name") == "median":
                median[name] = entry
        else:
            single.setdefault(name, entry)
    single.update(median)
    return single


def comparisons(benchmarks):
    """One dict per comparison and size, in the order the benchmarks ran."""
    rates = measured_rates(benchmarks)
    rows, seen = [], set()
    for name in rates:
        pair, side, size = name.rsplit("/", 2)
        if side != "pixmill" or (pair, size) in seen:
            continue
        seen.add((pair, size))
        pixmill, peer = pair.split(" | ", 1)
        rate, unit, target = rates[name]
        peer_entry = rates.get(f"{pair}/peer/{size}")
        peer_rate = peer_entry[0] if peer_entry else None
        rows.append({
            "pixmill": pixmill, "peer": peer, "size": size, "unit": unit, "target": target,
            "pixmill_rate": rate, "peer_rate": peer_rate,
            "ratio": rate / peer_rate if peer_rate else None,
        })
    return rows


def pixels(size):
    w, h = size.split("x")
    return int(w) * int(h)


def rate_text(rate, unit):
    if rate is None:
        return "-"
    return f"{rate / 1e9:.2f} GB/s" if unit == "bytes" else f"{rate / 1e6:.0f} Mpx/s"


def format_tables(rows, header):
    out = [header, "",
           f"| Pixmill ({FULL_HD}) | peer in the same run | Pixmill | peer | Pixmill / peer | target | met |",
           "|---|---|---:|---:|---:|---:|---|"]
    for r in rows:
        if r["size"] != FULL_HD:
            continue
        ratio = f"{r['ratio']:.2f}x" if r["ratio"] is not None else "-"
        met = "-" if r["ratio"] is None else ("yes" if r["ratio"] >= r["target"] else "no")
        out.append(f"| {r['pixmill']} | {r['peer']} | {rate_text(r['pixmill_rate'], r['unit'])} | "
                   f"{rate_text(r['peer_rate'], r['unit'])} | {ratio} | >= {r['target']:g}x | {met} |")

    by_pair = {}
    for r in rows:
        by_pair.setdefault((r["pixmill"], r["peer"]), {})[r["size"]] = r
    edges = [(k, v) for k, v in by_pair.items() if FULL_HD in v and (LARGE in v or SMALL in v)]
    if edges:
        out += ["", f"At {LARGE}, and the per-call overhead: Pixmill's cost per pixel at {SMALL} over its cost at {FULL_HD}"
                f" (at most {MAX_SMALL_COST:g}):", "",
                f"| Pixmill | peer | Pixmill / peer at {LARGE} | target | met | cost per pixel {SMALL} / {FULL_HD} | met |",
                "|---|---|---:|---:|---|---:|---|"]
        for (pixmill, peer), by_size in edges:
            full = by_size[FULL_HD]
            large = by_size.get(LARGE)
            large_ratio = large["ratio"] if large else None
            ratio = f"{large_ratio:.2f}x" if large_ratio is not None else "-"
            met = "-" if large_ratio is None else ("yes" if large_ratio >= full["target"] else "no")
            small = by_size.get(SMALL)
            cost = full["pixmill_rate"] / small["pixmill_rate"] if small and small["pixmill_rate"] else None
            cost_text = f"{cost:.2f}" if cost is not None else "-"
            cost_met = "-" if cost is None else ("yes" if cost <= MAX_SMALL_COST else "no")
            out.append(f"| {pixmill} | {peer} | {ratio} | >= {full['target']:g}x | {met} | {cost_text} | {cost_met} |")

    swept = {}
    for r in rows:
        swept.setdefault((r["pixmill"], r["peer"]), {})[r["size"]] = r["ratio"]
    swept = {k: v for k, v in swept.items() if len(v) > 1}
    if swept:
        sizes = sorted({s for v in swept.values() for s in v}, key=pixels)
        out += ["", "Size sweep, Pixmill / peer:", "",
                "| Pixmill | peer | " + " | ".join(sizes) + " |",
                "|---|---|" + "---:|" * len(sizes)]
        for (pixmill, peer), by_size in swept.items():
            cells = [f"{by_size[s]:.2f}x" if by_size.get(s) is not None else "-" for s in sizes]
            out.append(f"| {pixmill} | {peer} | " + " | ".join(cells) + " |")
    return "\n".join(out)


def cpu_model():
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "unknown CPU"


def header(context, benchmarks, min_time):
    peers = ", ".join(f"{k} {context[k]}" for k in ("opencv", "pixman") if k in context) or "OpenCV and pixman not built in"
    repetitions = max((b.get("repetitions", 1) for b in benchmarks), default=1)
    runs = f"median of {repetitions} runs" if repetitions > 1 else "one run"
    if min_time is not None:
        runs += f" of at least {min_time:g} s each"
    return (f"Measured on {cpu_model()}, {context.get('num_cpus', '?')} cores, {datetime.date.today().isoformat()}; "
            f"single-threaded, CPU time, {runs}; {peers}.")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("binary", nargs="?", help="the pixmill_bench executable")
    parser.add_argument("--json", help="format this saved run instead of running the benchmarks")
    parser.add_argument("--min-time", type=float, default=0.1, help="seconds per benchmark run (default 0.1)")
    parser.add_argument("--repetitions", type=int, default=3, help="runs per benchmark (default 3)")
    parser.add_argument("--filter", default=".", help="run only the benchmarks matching this regex")
    args = parser.parse_args()
    if not args.json and not args.binary:
        parser.error("give the pixmill_bench executable or --json")

    path = args.json
    if not path:
        fd, path = tempfile.mkstemp(suffix=".json")
        os.close(fd)
        command = [args.binary, f"--benchmark_min_time={args.min_time}",
                   f"--benchmark_repetitions={args.repetitions}", "--benchmark_report_aggregates_only=true",
                   f"--benchmark_filter={args.filter}", f"--benchmark_out={path}", "--benchmark_out_format=json"]
        # The console report goes to stderr as progress; the table alone to stdout.
        subprocess.run(command, check=True, stdout=sys.stderr)
    with open(path) as f:
        data = json.load(f)
    if not args.json:
        os.unlink(path)
    benchmarks = data["benchmarks"]
    min_time = None if args.json else args.min_time
    print(format_tables(comparisons(benchmarks), header(data.get("context", {}), benchmarks, min_time)))


if __name__ == "__main__":
    main()
