#!/usr/bin/env python3
"""Tests of tools/bench-table.py on small, made-up Google Benchmark reports."""
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


def aggregate(name, kind, cpu, unit="ns"):
    return {"name": f"{name}_{kind}", "run_name": name, "run_type": "aggregate", "aggregate_name": kind,
            "cpu_time": cpu, "real_time": cpu, "time_unit": unit}


def repeated(name, median, best, cv=0.02, unit="ns"):
    return [aggregate(name, "mean", median, unit), aggregate(name, "median", median, unit),
            aggregate(name, "min", best, unit), aggregate(name, "cv", cv)]


def single(name, cpu, unit="ns"):
    return {"name": name, "run_name": name, "run_type": "iteration", "cpu_time": cpu, "real_time": cpu,
            "time_unit": unit}


def rows_of(benchmarks):
    return bench_table.build_rows(bench_table.read_measures({"benchmarks": benchmarks}))


class RatiosAndGoals(unittest.TestCase):
    def test_medians_give_the_ratios_and_minima_the_least_times_ratio(self):
        rows = rows_of(repeated("RleCopy/shaped/ours", 10_000, 8_000, cv=0.05)
                       + repeated("RleCopy/shaped/SDL", 11_000, 10_400, cv=0.12)
                       + repeated("RleCopy/shaped/Allegro", 20, 18, unit="us"))
        self.assertEqual(len(rows), 1)
        row = rows[0]
        self.assertAlmostEqual(row["ratios"]["SDL"], 1.1)
        self.assertAlmostEqual(row["ratios"]["Allegro"], 2.0)  # microseconds read as such
        self.assertFalse(row["met"])  # the goal is 1.2x SDL
        self.assertAlmostEqual(row["best_ratio"], 1.3)
        self.assertAlmostEqual(row["spread"], 0.12)

    def test_goal_met_at_exactly_the_least_ratio(self):
        row = rows_of(repeated("RawCopy/sheet/ours", 1000, 1000) + repeated("RawCopy/sheet/memcpy", 900, 900))[0]
        self.assertAlmostEqual(row["ratios"]["memcpy"], 0.9)
        self.assertTrue(row["met"])

    def test_sdl_encoding_is_its_encode_and_blit_less_its_blit(self):
        row = rows_of(repeated("CompressImage/shaped/ours", 50, 40)
                      + repeated("CompressImage/shaped/SDL-encode+blit", 460, 400)
                      + repeated("CompressImage/shaped/SDL-blit", 10, 9))[0]
        self.assertEqual(row["times"]["SDL"].ns, 450)
        self.assertEqual(row["times"]["SDL"].best, 391)
        self.assertNotIn("SDL-blit", row["times"])
        self.assertAlmostEqual(row["ratios"]["SDL"], 9.0)
        self.assertTrue(row["met"])

    def test_single_runs_are_used_as_they_are_and_rows_keep_a_fixed_order(self):
        rows = rows_of([single("RawCopy/sheet/ours", 5), single("RawCopy/sheet/memcpy", 6),
                        single("RawKey/noisy/ours", 1), single("RawKey/noisy/SDL", 5),
                        single("RawKey/shaped/ours", 1), single("RawKey/shaped/SDL", 7)])
        self.assertEqual([(r["routine"], r["workload"]) for r in rows],
                         [("RawKey", "shaped"), ("RawKey", "noisy"), ("RawCopy", "sheet")])
        self.assertEqual([r["met"] for r in rows], [True, False, True])
        self.assertIsNone(rows[0]["spread"])
        self.assertIsNone(rows[0]["best_ratio"])  # nothing repeated, no least time

    def test_a_row_without_its_goal_peer_has_no_verdict(self):
        row = rows_of(repeated("RleCopy/noisy/ours", 10, 9) + repeated("RleCopy/noisy/Allegro", 30, 29))[0]
        self.assertIsNone(row["met"])
        self.assertIsNone(row["best_ratio"])
        self.assertIn("| – |", bench_table.format_table([row]))

    def test_failed_runs_and_other_names_are_left_out(self):
        failed = dict(single("RawKey/shaped/SDL", 1), error_occurred=True)
        rows = rows_of([single("RawKey/shaped/ours", 2), failed, single("BM_Something", 3)])
        self.assertEqual(len(rows), 1)
        self.assertEqual(rows[0]["ratios"], {})


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

    def test_prints_a_table_with_the_verdict(self):
        report = {"benchmarks": repeated("RawKey/shaped/ours", 10, 9) + repeated("RawKey/shaped/SDL", 70, 65)}
        code, out, _ = self.run_on(json.dumps(report))
        self.assertEqual(code, 0)
        self.assertIn("| RawKey | shaped | 0.0 | 0.1 |", out)
        self.assertIn("| 7.00× |", out)
        self.assertIn("| ≥ 6× SDL | yes |", out)

    def test_refuses_a_report_without_our_benchmarks_or_not_json(self):
        code, _, err = self.run_on(json.dumps({"benchmarks": [single("BM_Other", 1)]}))
        self.assertEqual(code, 1)
        self.assertIn("no benchmark named", err)
        code, _, err = self.run_on("Benchmark  Time  CPU\n")
        self.assertEqual(code, 1)
        self.assertIn("cannot read", err)


if __name__ == "__main__":
    unittest.main()
