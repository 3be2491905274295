#!/usr/bin/env python3
"""Checks how table.py pairs and reads Google Benchmark results (no timing)."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import table  # noqa: E402


def run(name, rate, unit="items", target=1.0, aggregate=None):
    entry = {"name": name, "run_name": name, f"{unit}_per_second": rate, "target": target,
             "run_type": "iteration", "repetitions": 3}
    if aggregate:
        entry.update(name=f"{name}_{aggregate}", run_type="aggregate", aggregate_name=aggregate)
    return entry


BENCHMARKS = [
    # Memory-bound: a byte rate exactly at the target counts as met.
    run("Render_BitBlt24to24 | memcpy/pixmill/1920x1080", 8e9, "bytes", 0.8),
    run("Render_BitBlt24to24 | memcpy/peer/1920x1080", 10e9, "bytes", 0.8),
    run("Render_BitBlt24to24 | memcpy/pixmill/64x64", 1e9, "bytes", 0.8),
    run("Render_BitBlt24to24 | memcpy/peer/64x64", 4e9, "bytes", 0.8),
    run("Render_BitBlt24to24 | memcpy/pixmill/640x480", 3e9, "bytes", 0.8),
    run("Render_BitBlt24to24 | memcpy/pixmill/3840x2160", 9e9, "bytes", 0.8),
    run("Render_BitBlt24to24 | memcpy/peer/3840x2160", 10e9, "bytes", 0.8),
    # Below the target at 3840x2160; at 64x64 within the per-pixel bound.
    run("Render_DrawBar32 | memset/pixmill/1920x1080", 30e9, "bytes", 0.9),
    run("Render_DrawBar32 | memset/peer/1920x1080", 30e9, "bytes", 0.9),
    run("Render_DrawBar32 | memset/pixmill/64x64", 25e9, "bytes", 0.9),
    run("Render_DrawBar32 | memset/peer/64x64", 10e9, "bytes", 0.9),
    run("Render_DrawBar32 | memset/pixmill/3840x2160", 20e9, "bytes", 0.9),
    run("Render_DrawBar32 | memset/peer/3840x2160", 25e9, "bytes", 0.9),
    run("Render_BitBlt24to24 | memcpy/peer/640x480", 2e9, "bytes", 0.8),
    # Repeated runs: the median, not the mean or a single repetition.
    run("Render_Blur24 | cv::blur 3x3/pixmill/1920x1080", 100e6, target=0.5),
    run("Render_Blur24 | cv::blur 3x3/pixmill/1920x1080", 900e6, target=0.5, aggregate="mean"),
    run("Render_Blur24 | cv::blur 3x3/pixmill/1920x1080", 150e6, target=0.5, aggregate="median"),
    run("Render_Blur24 | cv::blur 3x3/peer/1920x1080", 300e6, target=0.5, aggregate="median"),
    # The same export against two peers stays two rows.
    run("Render_BitBlt32to24 | pixman OVER onto r8g8b8/pixmill/1920x1080", 400e6),
    run("Render_BitBlt32to24 | pixman OVER onto r8g8b8/peer/1920x1080", 500e6),
    run("Render_BitBlt32to24 | pixman OVER onto x8r8g8b8/pixmill/1920x1080", 420e6),
    run("Render_BitBlt32to24 | pixman OVER onto x8r8g8b8/peer/1920x1080", 2e9),
    # A peer that was filtered out or not built.
    run("Render_Invert24 | cv::bitwise_not/pixmill/1920x1080", 5e9),
]


class TableTest(unittest.TestCase):
    def test_pairs_and_ratios(self):
        rows = {(r["pixmill"], r["peer"], r["size"]): r for r in table.comparisons(BENCHMARKS)}
        expected = [  # (export, peer, size, ratio)
            ("Render_BitBlt24to24", "memcpy", "1920x1080", 0.8),
            ("Render_BitBlt24to24", "memcpy", "64x64", 0.25),
            ("Render_BitBlt24to24", "memcpy", "640x480", 1.5),
            ("Render_BitBlt24to24", "memcpy", "3840x2160", 0.9),
            ("Render_DrawBar32", "memset", "1920x1080", 1.0),
            ("Render_DrawBar32", "memset", "64x64", 2.5),
            ("Render_DrawBar32", "memset", "3840x2160", 0.8),
            ("Render_Blur24", "cv::blur 3x3", "1920x1080", 0.5),
            ("Render_BitBlt32to24", "pixman OVER onto r8g8b8", "1920x1080", 0.8),
            ("Render_BitBlt32to24", "pixman OVER onto x8r8g8b8", "1920x1080", 0.21),
            ("Render_Invert24", "cv::bitwise_not", "1920x1080", None),
        ]
        self.assertEqual(len(rows), len(expected))
        for export, peer, size, ratio in expected:
            with self.subTest(export=export, peer=peer, size=size):
                got = rows[(export, peer, size)]["ratio"]
                if ratio is None:
                    self.assertIsNone(got)
                else:
                    self.assertAlmostEqual(got, ratio, places=6)

    def test_formatted_tables(self):
        text = table.format_tables(table.comparisons(BENCHMARKS), "header")
        lines = text.splitlines()
        expected_lines = [
            "| Render_BitBlt24to24 | memcpy | 8.00 GB/s | 10.00 GB/s | 0.80x | >= 0.8x | yes |",
            "| Render_Blur24 | cv::blur 3x3 | 150 Mpx/s | 300 Mpx/s | 0.50x | >= 0.5x | yes |",
            "| Render_BitBlt32to24 | pixman OVER onto x8r8g8b8 | 420 Mpx/s | 2000 Mpx/s | 0.21x | >= 1x | no |",
            "| Render_Invert24 | cv::bitwise_not | 5000 Mpx/s | - | - | >= 1x | - |",
            # The sweep: sizes by pixel count, only comparisons run at several sizes.
            "| Pixmill | peer | 64x64 | 640x480 | 1920x1080 | 3840x2160 |",
            "| Render_BitBlt24to24 | memcpy | 0.25x | 1.50x | 0.80x | 0.90x |",
            "| Render_DrawBar32 | memset | 2.50x | - | 1.00x | 0.80x |",
            # At 3840x2160 against the target; 64x64 per pixel against 1920x1080.
            "| Render_BitBlt24to24 | memcpy | 0.90x | >= 0.8x | yes | 8.00 | no |",
            "| Render_DrawBar32 | memset | 0.80x | >= 0.9x | no | 1.20 | yes |",
        ]
        for line in expected_lines:
            with self.subTest(line=line):
                self.assertIn(line, lines)
        self.assertFalse(any(l.startswith("| Render_Blur24") and "64x64" in l for l in lines))
        self.assertEqual(sum(l.startswith("| Render_") for l in lines), 10)


if __name__ == "__main__":
    unittest.main()
