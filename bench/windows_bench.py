#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The Windows edition's figures, from the windows build tree (scripts/build-windows):

- sizes of qzd-viewer.exe and qzd.exe (aim: each under 2 MB), of the zip (aim: under 1.5 MB) and
  of the installer;
- start-up to the first painted frame under Wine and Xvfb, against a bare Win32 window of the same
  size in the same run (aim: at most 1.3 times), as medians of alternating starts;
- the load command in the real window under Wine (glider and acro in turn: read, page reset,
  fill, repaint of what changed), beside the Linux viewer's same case (bench/load_bench
  glider_acro_changed, offscreen) when the Linux release build has it.

    bench/windows_bench.py [--build build/windows] [--rounds 15]"""

import argparse
import json
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

root = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(root / "tests" / "windows"))
import wine_session  # noqa: E402

MB = 1024 * 1024


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", type=Path, default=root / "build" / "windows")
    parser.add_argument("--rounds", type=int, default=15)
    args = parser.parse_args()
    build = args.build.resolve()
    version = next(build.glob("qzd-viewer-*-windows-x64.zip")).name.split("-")[2]
    files = {
        "qzd-viewer.exe": (build / "windows" / "qzd-viewer.exe", 2 * MB),
        "qzd.exe": (build / "tools" / "qzd" / "qzd.exe", 2 * MB),
        "zip": (build / f"qzd-viewer-{version}-windows-x64.zip", 1.5 * MB),
        "installer": (build / f"qzd-viewer-{version}-setup.exe", None),
    }
    print("size")
    for name, (path, aim) in files.items():
        size = path.stat().st_size
        verdict = "" if aim is None else ("  (aim met)" if size < aim else "  (OVER AIM)")
        print(f"  {name:15} {size / MB:6.2f} MB{verdict}")

    env = wine_session.boot_prefix(build / "wine" / "bench")
    viewer = wine_session.windows_path(build / "windows" / "qzd-viewer.exe")
    minimal = wine_session.windows_path(build / "bench" / "windows" / "minimal_window.exe")
    launcher = build / "bench" / "windows" / "launch_timing.exe"
    loader = build / "bench" / "windows" / "load_timing.exe"
    samples = [wine_session.windows_path(root / "examples" / s) for s in ("glider.qzd", "acro.qzd")]
    with tempfile.TemporaryDirectory(prefix="qzd-bench-") as tmp, wine_session.x_server(Path(tmp)):
        env["DISPLAY"] = wine_session.os.environ["DISPLAY"]
        # One start of each first, so that Wine's own start-up is not in the first round.
        commands = [minimal, viewer]
        wine = wine_session.wine_program()
        wine_session.run_program([wine, str(launcher), "1", *commands], env, 600)
        result = wine_session.run_program([wine, str(launcher), str(args.rounds), *commands], env,
                                          1800)
        loads = [wine_session.run_program([wine, str(loader), "41", *samples], env, 600)
                 for _ in range(args.rounds // 3 or 1)]
        wine_session.stop_prefix(env)
    medians = [float(line.split("\t")[1]) for line in result.stdout.decode().splitlines()
               if "\t" in line]
    if len(medians) != len(commands) or min(medians) < 0:
        print("launch_timing failed:", result.stdout, result.stderr)
        return 1
    base, window = medians
    print(f"start-up to first painted frame under Wine, median of {args.rounds}")
    print(f"  minimal Win32 window  {base:7.1f} ms")
    print(f"  qzd-viewer.exe        {window:7.1f} ms   ratio {window / base:.2f} (aim <= 1.3)")
    load_ms = statistics.median(float(run.stdout.decode().split()[0]) for run in loads
                                if run.returncode == 0 and run.stdout.strip())
    print("a load, glider and acro in turn (median of 41 loads; median of "
          f"{len(loads)} runs)")
    print(f"  Windows window under Wine  {load_ms:7.2f} ms")

    load_bench = root / "build" / "release" / "bench" / "load_bench"
    if load_bench.exists():
        out = subprocess.run([str(load_bench), "--benchmark_repetitions=9",
                              "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
                             capture_output=True, text=True, timeout=600, env={"QT_QPA_PLATFORM": "offscreen"})
        for run in json.loads(out.stdout)["benchmarks"]:
            if run.get("aggregate_name") == "median":
                print(f"  Linux viewer {run['name']}: {run['real_time']:.3f} {run['time_unit']}")
                if run["name"].startswith("Load/glider_acro_changed") and run["time_unit"] == "ms":
                    print(f"  Windows under Wine / Linux: {load_ms / run['real_time']:.0f}x")
    else:
        print("  (no build/release/bench/load_bench: the Linux viewer's load is not measured)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
