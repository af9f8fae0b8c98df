#!/usr/bin/env python3
"""Sets each of Quillon's routines beside its peers, from one run of quillon_bench.

    tools/bench-table.py build/bench/last-run.json

Reads Google Benchmark's JSON report (--benchmark_format=json or --benchmark_out=...). Benchmark
names read "<routine>/<workload>/<contender>". With repetitions, the medians are used and the
coefficient of variation shows how steady the run was; without, the single measurement. All
ratios are peer time over our time, so above 1 means we are faster; every number of a row comes
from the same run.

SDL encodes a surface inside its first blit after SDL_SetSurfaceRLE, so its encoding time is
"SDL-encode+blit" less "SDL-blit" (the same surfaces blitted again, already encoded).
"""
import json
import statistics
import sys

UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}

# (routine, workload) -> (peer, least ratio peer time / our time)
GOALS = {
    ("RawKey", "shaped"): ("SDL", 6.0),
    ("RawKey", "noisy"): ("SDL", 6.0),
    ("RleCopy", "shaped"): ("SDL", 1.2),
    ("RleCopy", "noisy"): ("SDL", 1.0),
    ("CompressImage", "shaped"): ("SDL", 2.0),
    ("CompressImage", "noisy"): ("SDL", 2.0),
    ("RawCopy", "sheet"): ("memcpy", 0.9),
}

PEERS = ("SDL", "Allegro", "memcpy")
SDL_ENCODE_AND_BLIT = "SDL-encode+blit"
SDL_BLIT = "SDL-blit"


class Measure:
    """One contender's time in nanoseconds (the median) and, from repetitions, its spread (CV, a
    fraction) and its least time (the repetition least disturbed by the machine's other work)."""

    def __init__(self, ns, cv=None, best=None):
        self.ns = ns
        self.cv = cv
        self.best = best  # None when the run did not repeat

    def __sub__(self, other):
        # Spreads of a difference add up in absolute terms; give it relative to the difference.
        cv = None
        if self.cv is not None and other.cv is not None and self.ns > other.ns:
            cv = (self.cv * self.ns + other.cv * other.ns) / (self.ns - other.ns)
        best = None if self.best is None or other.best is None else self.best - other.best
        return Measure(self.ns - other.ns, cv, best)


def read_measures(report):
    """Maps "<routine>/<workload>/<contender>" to its Measure (CPU time)."""
    medians, cvs, minima, singles = {}, {}, {}, {}
    for b in report.get("benchmarks", []):
        name = b.get("run_name", b["name"])
        if b.get("run_type") == "aggregate":
            if b.get("aggregate_name") == "median":
                medians[name] = b["cpu_time"] * UNIT_NS[b.get("time_unit", "ns")]
            elif b.get("aggregate_name") == "min":
                minima[name] = b["cpu_time"] * UNIT_NS[b.get("time_unit", "ns")]
            elif b.get("aggregate_name") == "cv":
                cvs[name] = b["cpu_time"]  # a fraction, whatever the time unit
        elif "error_occurred" not in b:
            singles.setdefault(name, []).append(b["cpu_time"] * UNIT_NS[b.get("time_unit", "ns")])
    measures = {name: Measure(statistics.median(times), None, min(times) if len(times) > 1 else None)
                for name, times in singles.items()}
    for name, ns in medians.items():
        measures[name] = Measure(ns, cvs.get(name), minima.get(name))
    return measures


def row_order(row):
    """Rows in the order of GOALS, anything else after them by name."""
    key = (row["routine"], row["workload"])
    order = list(GOALS)
    return (order.index(key), "") if key in order else (len(order), "/".join(key))


def build_rows(measures):
    """One row per (routine, workload)."""
    rows, seen = [], {}
    for name, m in measures.items():
        parts = name.split("/")
        if len(parts) != 3:
            continue
        routine, workload, contender = parts
        key = (routine, workload)
        if key not in seen:
            seen[key] = {"routine": routine, "workload": workload, "times": {}}
            rows.append(seen[key])
        seen[key]["times"][contender] = m
    for row in rows:
        times = row["times"]
        if SDL_ENCODE_AND_BLIT in times and SDL_BLIT in times:
            times["SDL"] = times.pop(SDL_ENCODE_AND_BLIT) - times.pop(SDL_BLIT)
        ours = times.get("ours")
        row["ratios"] = {}
        for peer in PEERS:
            if ours is not None and peer in times and ours.ns > 0:
                row["ratios"][peer] = times[peer].ns / ours.ns
        goal = GOALS.get((row["routine"], row["workload"]))
        row["goal"] = goal
        row["met"] = None if goal is None or goal[0] not in row["ratios"] else row["ratios"][goal[0]] >= goal[1]
        row["best_ratio"] = None
        if goal is not None and goal[0] in times and ours is not None:
            peer_best, our_best = times[goal[0]].best, ours.best
            if peer_best is not None and our_best:
                row["best_ratio"] = peer_best / our_best
        spreads = [t.cv for t in times.values() if t.cv is not None]
        row["spread"] = max(spreads) if spreads else None
    return sorted(rows, key=row_order)


def format_table(rows):
    def us(m):
        return "–" if m is None else f"{m.ns / 1e3:.1f}"

    def ratio(r):
        return "–" if r is None else f"{r:.2f}×"

    head = ["routine", "workload", "ours µs", "SDL µs", "Allegro µs", "memcpy µs", "SDL/ours", "Allegro/ours",
            "memcpy/ours", "goal", "met?", "least times", "spread"]
    lines = ["| " + " | ".join(head) + " |", "|" + "---|" * len(head)]
    for row in rows:
        t, r, goal = row["times"], row["ratios"], row["goal"]
        cells = [row["routine"], row["workload"], us(t.get("ours"))]
        cells += [us(t.get(p)) for p in PEERS]
        cells += [ratio(r.get(p)) for p in PEERS]
        cells.append("–" if goal is None else f"≥ {goal[1]:g}× {goal[0]}")
        cells.append({None: "–", True: "yes", False: "NO"}[row["met"]])
        cells.append(ratio(row["best_ratio"]))
        cells.append("–" if row["spread"] is None else f"{100 * row['spread']:.1f} %")
        lines.append("| " + " | ".join(cells) + " |")
    lines.append("")
    lines.append("Times: CPU time per iteration, the median over the repetitions: 16 different 128 × 128 sprites "
                 "drawn unclipped at 16 places of a 640 × 480 page or compressed, or the whole 4096 × 4096 "
                 "sheet copied as one 16 MiB block onto a page of the same pitch (4096).")
    lines.append("Ratios: peer time / our time, from the same run (above 1: ours is faster). SDL's CompressImage "
                 "time is its encode+blit less its plain blit of the same surfaces. Least times: the goal's ratio "
                 "from each contender's fastest repetition instead of the medians. Spread: the largest "
                 "coefficient of variation among the row's measurements.")
    for row in rows:
        if "memcpy-rows" in row["times"]:
            lines.append(f"memcpy row by row ({row['routine']}, {row['workload']}): "
                         f"{us(row['times']['memcpy-rows'])} µs.")
    return "\n".join(lines)


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    try:
        with open(argv[1], encoding="utf-8") as f:
            report = json.load(f)
    except (OSError, ValueError) as e:
        print(f"bench-table: cannot read {argv[1]}: {e}", file=sys.stderr)
        return 1
    rows = build_rows(read_measures(report))
    if not rows:
        print(f"bench-table: no benchmark named <routine>/<workload>/<contender> in {argv[1]}", file=sys.stderr)
        return 1
    print(format_table(rows))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
