#!/usr/bin/env python3
"""Sets each of Quillon's routines beside its peers, from one run of quillon_bench.

    tools/bench-table.py build/bench/last-run.json

Reads Google Benchmark's JSON report (--benchmark_out=... --benchmark_out_format=json) holding
every repetition, not only the aggregates. Each benchmark is a row "<routine>/<workload>" and each
of its repetitions one paired trial, in which every contender of the row ran back to back: the
label names the contenders, "ours" first, and a counter named after each holds its time per pass
in nanoseconds.

Each trial gives its own ratio peer time / our time (above 1: ours is faster). The table shows the
median of those ratios and their interquartile range, and a goal counts as met only when the lower
quartile meets it: three trials in four at least as good.

SDL encodes a surface inside its first blit after SDL_SetSurfaceRLE, so its encoding time in a trial
is that trial's "SDL-encode+blit" less its "SDL-blit" (the same surfaces blitted again, encoded).
"""
import json
import sys

OURS = "ours"

# (routine, workload) -> (peer, least ratio peer time / our time). Rows are shown in this order,
# anything else after them by name.
GOALS = {
    ("RawKey", "shaped"): ("SDL", 6.0),
    ("RawKey", "noisy"): ("SDL", 6.0),
    ("RleCopy", "shaped"): ("SDL", 1.2),
    ("RleCopy", "noisy"): ("SDL", 1.0),
    ("CompressImage", "shaped"): ("SDL", 2.0),
    ("CompressImage", "noisy"): ("SDL", 2.0),
    ("RawCopy", "sheet"): ("memcpy", 0.9),
}

# A peer timed as the difference of two contenders of the same trial: name -> (minuend, subtrahend).
DIFFERENCES = {"SDL": ("SDL-encode+blit", "SDL-blit")}


def quantile(values, q):
    """The q-quantile (0 <= q <= 1) of values, linear between the closest ranks."""
    ordered = sorted(values)
    at = q * (len(ordered) - 1)
    low = int(at)
    high = min(low + 1, len(ordered) - 1)
    return ordered[low] + (ordered[high] - ordered[low]) * (at - low)


def read_trials(report):
    """Maps (routine, workload) to its contenders' names and its trials (name -> ns per pass)."""
    rows = {}
    for b in report.get("benchmarks", []):
        if b.get("run_type") == "aggregate" or b.get("error_occurred"):
            continue
        names = b.get("label", "").split()
        parts = b["name"].split("/")
        if len(parts) < 2 or not names or names[0] != OURS or any(n not in b for n in names):
            continue
        row = rows.setdefault((parts[0], parts[1]), {"contenders": names, "trials": []})
        if row["contenders"] == names:
            row["trials"].append({n: float(b[n]) for n in names})
    return rows


def with_differences(contenders, trials):
    """Replaces each pair of DIFFERENCES by its peer, trial by trial, where the row has both."""
    for peer, (minuend, subtrahend) in DIFFERENCES.items():
        if minuend in contenders and subtrahend in contenders:
            contenders = [peer if n == minuend else n for n in contenders if n != subtrahend]
            trials = [dict(t, **{peer: t[minuend] - t[subtrahend]}) for t in trials]
    return contenders, trials


def row_order(row):
    key = (row["routine"], row["workload"])
    order = list(GOALS)
    return (order.index(key), "") if key in order else (len(order), "/".join(key))


def build_rows(trial_rows):
    """One row per (routine, workload), with one entry per peer: its median time per pass and the
    median and quartiles of its per-trial ratios."""
    rows = []
    for (routine, workload), data in trial_rows.items():
        contenders, trials = with_differences(data["contenders"], data["trials"])
        trials = [t for t in trials if t[OURS] > 0]
        if not trials:
            continue
        goal = GOALS.get((routine, workload))
        row = {"routine": routine, "workload": workload, "trials": len(trials), "goal": goal, "met": None,
               "ours_ns": quantile([t[OURS] for t in trials], 0.5), "peers": []}
        for name in contenders[1:]:
            ratios = [t[name] / t[OURS] for t in trials]
            peer = {"name": name, "ns": quantile([t[name] for t in trials], 0.5),
                    "ratio": quantile(ratios, 0.5), "low": quantile(ratios, 0.25), "high": quantile(ratios, 0.75)}
            row["peers"].append(peer)
            if goal is not None and goal[0] == name:
                row["met"] = peer["low"] >= goal[1]
        rows.append(row)
    return sorted(rows, key=row_order)


def format_table(rows):
    head = ["routine", "workload", "trials", "ours µs", "peer", "peer µs", "peer/ours", "quartiles", "goal", "met?"]
    lines = ["| " + " | ".join(head) + " |", "|" + "---|" * len(head)]
    for row in rows:
        goal = row["goal"]
        for peer in row["peers"]:
            judged = goal is not None and goal[0] == peer["name"]
            cells = [row["routine"], row["workload"], str(row["trials"]), f"{row['ours_ns'] / 1e3:.1f}", peer["name"],
                     f"{peer['ns'] / 1e3:.1f}", f"{peer['ratio']:.2f}×", f"{peer['low']:.2f}–{peer['high']:.2f}×",
                     f"≥ {goal[1]:g}×" if judged else "–",
                     {None: "–", True: "yes", False: "NO"}[row["met"]] if judged else "–"]
            lines.append("| " + " | ".join(cells) + " |")
        if goal is not None and row["met"] is None:
            lines.append(f"| {row['routine']} | {row['workload']} | {row['trials']} | {row['ours_ns'] / 1e3:.1f} | "
                         f"{goal[0]} | – | – | – | ≥ {goal[1]:g}× | – |")
    lines.append("")
    lines.append("Each trial times our routine and every peer of its row back to back on the thread's CPU clock, in "
                 "order and then in reverse. Times: the median over the trials of the time per pass: 16 different "
                 "128 × 128 sprites drawn unclipped at 16 places of a 640 × 480 page or compressed, or the whole 4096 × 4096 "
                 "sheet copied as one 16 MiB block (memcpy-rows: row by row) onto a page of the same pitch, or that "
                 "sheet in true colour (24-bit rows as a BMP holds them, or RGBA with transparent pixels) indexed to "
                 "8 bits beside one memcpy of its bytes.")
    lines.append("peer/ours: the median of the trials' own ratios (above 1: ours is faster); quartiles: the lower and "
                 "upper quartile of those ratios. Met: the lower quartile reaches the goal. SDL's CompressImage time "
                 "is its encode+blit less its plain blit of the same surfaces, in the same trial.")
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
    rows = build_rows(read_trials(report))
    if not rows:
        print(f"bench-table: no paired trials (benchmarks named <routine>/<workload>, labelled with their "
              f"contenders, every repetition reported) in {argv[1]}", file=sys.stderr)
        return 1
    print(format_table(rows))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
