#!/usr/bin/env python3
"""Tests of tools/bench-table.py on small, made-up Google Benchmark reports of paired trials."""
import importlib.util
import io
import json
import os
import tempfile
import unittest
from contextlib import redirect_stderr, redirect_stdout

_HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("bench_table", os.path.join(_HERE, "bench-table.py"))
bench_table = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(bench_table)


def trial(row, **times):
    """One repetition of a row as quillon_bench reports it: contenders in the label, in the order
    given, and each one's time per pass as a counter."""
    names = list(times)
    entry = {"name": f"{row}/iterations:1", "run_name": f"{row}/iterations:1", "run_type": "iteration",
             "repetitions": 9, "iterations": 1, "real_time": 1e6, "cpu_time": 1e6, "time_unit": "ns",
             "label": " ".join(names)}
    entry.update({n: float(t) for n, t in times.items()})
    return entry


def aggregate(row, kind, **times):
    return dict(trial(row, **times), run_type="aggregate", aggregate_name=kind, name=f"{row}/iterations:1_{kind}")


def rows_of(benchmarks):
    return bench_table.build_rows(bench_table.read_trials({"benchmarks": benchmarks}))


def peer(row, name):
    return next(p for p in row["peers"] if p["name"] == name)


class Quantiles(unittest.TestCase):
    def test_between_closest_ranks_whatever_the_order(self):
        self.assertEqual(bench_table.quantile([4, 1, 3, 2, 5], 0.5), 3)
        self.assertEqual(bench_table.quantile([4, 1, 3, 2, 5], 0.25), 2)
        self.assertEqual(bench_table.quantile([1, 2, 3, 4], 0.5), 2.5)
        self.assertEqual(bench_table.quantile([1, 2, 3, 4], 0.75), 3.25)
        self.assertEqual(bench_table.quantile([7], 0.25), 7)


class PairedRatios(unittest.TestCase):
    def test_ratios_are_taken_within_each_trial(self):
        # The machine slows both contenders alike from trial to trial: the ratio holds at 2, while
        # ratios of the contenders' own medians or least times would not.
        rows = rows_of([trial("RleCopy/shaped", ours=10, SDL=20, Allegro=15),
                        trial("RleCopy/shaped", ours=30, SDL=60, Allegro=45),
                        trial("RleCopy/shaped", ours=12, SDL=24, Allegro=18),
                        trial("RleCopy/shaped", ours=50, SDL=100, Allegro=75),
                        trial("RleCopy/shaped", ours=11, SDL=22, Allegro=16.5)])
        self.assertEqual(len(rows), 1)
        row = rows[0]
        self.assertEqual(row["trials"], 5)
        sdl = peer(row, "SDL")
        self.assertEqual((sdl["low"], sdl["ratio"], sdl["high"]), (2, 2, 2))
        self.assertEqual(sdl["ns"], 24)  # the median time per pass
        self.assertEqual(row["ours_ns"], 12)
        self.assertAlmostEqual(peer(row, "Allegro")["ratio"], 1.5)
        self.assertEqual([p["name"] for p in row["peers"]], ["SDL", "Allegro"])  # the label's order
        self.assertTrue(row["met"])

    def test_met_only_when_the_lower_quartile_reaches_the_goal(self):
        # Median 1.3 but a quarter of the trials below 1.2: not met.
        ratios = [1.1, 1.15, 1.3, 1.3, 1.3, 1.4, 1.5]
        row = rows_of([trial("RleCopy/shaped", ours=100, SDL=100 * r) for r in ratios])[0]
        self.assertAlmostEqual(peer(row, "SDL")["ratio"], 1.3)
        self.assertAlmostEqual(peer(row, "SDL")["low"], 1.225)
        self.assertTrue(row["met"])
        ratios[2] = 1.19
        row = rows_of([trial("RleCopy/shaped", ours=100, SDL=100 * r) for r in ratios])[0]
        self.assertAlmostEqual(peer(row, "SDL")["ratio"], 1.3)
        self.assertFalse(row["met"])
        # Exactly at the goal counts as met.
        row = rows_of([trial("RawCopy/sheet", ours=1000, memcpy=900)] * 3)[0]
        self.assertTrue(row["met"])

    def test_sdl_encoding_is_its_encode_and_blit_less_its_blit_of_the_same_trial(self):
        rows = rows_of([trial("CompressImage/shaped", ours=50, **{"SDL-encode+blit": 460, "SDL-blit": 10}),
                        trial("CompressImage/shaped", ours=100, **{"SDL-encode+blit": 920, "SDL-blit": 20}),
                        trial("CompressImage/shaped", ours=50, **{"SDL-encode+blit": 460, "SDL-blit": 10})])
        row = rows[0]
        self.assertEqual([p["name"] for p in row["peers"]], ["SDL"])
        self.assertEqual(peer(row, "SDL")["ns"], 450)
        self.assertEqual((peer(row, "SDL")["low"], peer(row, "SDL")["high"]), (9, 9))
        self.assertTrue(row["met"])

    def test_rows_keep_a_fixed_order_and_unknown_rows_come_last(self):
        rows = rows_of([trial("Zeta/x", ours=1, floor=1), trial("RawCopy/sheet", ours=5, memcpy=6),
                        trial("RawKey/noisy", ours=1, SDL=5), trial("Alpha/y", ours=1, floor=2),
                        trial("RawKey/shaped", ours=1, SDL=7)])
        self.assertEqual([(r["routine"], r["workload"]) for r in rows],
                         [("RawKey", "shaped"), ("RawKey", "noisy"), ("RawCopy", "sheet"),
                          ("Alpha", "y"), ("Zeta", "x")])
        self.assertEqual([r["met"] for r in rows], [True, False, True, None, None])

    def test_a_row_without_its_goal_peer_has_no_verdict_and_says_so(self):
        row = rows_of([trial("RleCopy/noisy", ours=10, Allegro=30)])[0]
        self.assertIsNone(row["met"])
        table = bench_table.format_table([row])
        self.assertIn("| RleCopy | noisy | 1 | 0.0 | Allegro | 0.0 | 3.00× | 3.00–3.00× | – | – |", table)
        self.assertIn("| RleCopy | noisy | 1 | 0.0 | SDL | – | – | – | ≥ 1× | – |", table)

    def test_aggregates_failed_runs_unlabelled_and_incomplete_entries_are_left_out(self):
        failed = dict(trial("RawKey/shaped", ours=1, SDL=100), error_occurred=True)
        incomplete = trial("RawKey/shaped", ours=1, SDL=100)
        del incomplete["SDL"]
        unlabelled = dict(trial("RawKey/shaped", ours=1, SDL=100), label="")
        rows = rows_of([trial("RawKey/shaped", ours=1, SDL=3), aggregate("RawKey/shaped", "mean", ours=1, SDL=100),
                        failed, incomplete, unlabelled, {"name": "BM_Other", "run_type": "iteration", "cpu_time": 3}])
        self.assertEqual(len(rows), 1)
        self.assertEqual(rows[0]["trials"], 1)
        self.assertEqual(peer(rows[0], "SDL")["ratio"], 3)
        self.assertFalse(rows[0]["met"])


class CommandLine(unittest.TestCase):
    def run_on(self, text):
        with tempfile.NamedTemporaryFile("w", suffix=".json", delete=False) as f:
            f.write(text)
        out, err = io.StringIO(), io.StringIO()
        try:
            with redirect_stdout(out), redirect_stderr(err):
                code = bench_table.main(["bench-table.py", f.name])
        finally:
            os.unlink(f.name)
        return code, out.getvalue(), err.getvalue()

    def test_prints_a_line_per_peer_with_the_verdict_on_the_goal_peer(self):
        report = {"benchmarks": [trial("RawKey/shaped", ours=10_000, SDL=70_000, Allegro=90_000),
                                 trial("RawKey/shaped", ours=10_000, SDL=80_000, Allegro=90_000)]}
        code, out, _ = self.run_on(json.dumps(report))
        self.assertEqual(code, 0)
        self.assertIn("| RawKey | shaped | 2 | 10.0 | SDL | 75.0 | 7.50× | 7.25–7.75× | ≥ 6× | yes |", out)
        self.assertIn("| RawKey | shaped | 2 | 10.0 | Allegro | 90.0 | 9.00× | 9.00–9.00× | – | – |", out)

    def test_refuses_a_report_without_paired_trials_or_not_json(self):
        aggregates_only = {"benchmarks": [aggregate("RawKey/shaped", "median", ours=1, SDL=7)]}
        code, _, err = self.run_on(json.dumps(aggregates_only))
        self.assertEqual(code, 1)
        self.assertIn("no paired trials", err)
        code, _, err = self.run_on("Benchmark  Time  CPU\n")
        self.assertEqual(code, 1)
        self.assertIn("cannot read", err)


if __name__ == "__main__":
    unittest.main()
