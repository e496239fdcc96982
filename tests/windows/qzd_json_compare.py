#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""qzd.exe under Wine answers as qzd on Linux: `json` for the samples and for generated files
(a fill stop, failures in the middle of a file, a failure then a good file, a missing file, a
name in Greek and Japanese letters, a path of 300 characters and more), parsed and compared field
by field, and `show` and `diff` byte for byte with their exit codes and messages; and Windows'
hazards answered at once as on Linux: files of a terabyte that are all hole or hold a line that
runs into one, a pipe, a folder, and the devices as the Linux qzd answers /dev/null.

Both programs run in the same folder with the same relative names, so that the paths they report
are spelt alike on both systems."""

import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import wine_session  # noqa: E402

TIMEOUT = 120


def model_lines(path: Path) -> list:
    return path.read_bytes().splitlines()[:301]


def write_with(folder: Path, name: str, base: list, changes: dict) -> str:
    lines = list(base)
    for line, value in changes.items():
        lines[line - 1] = value
    (folder / name).write_bytes(b"\r\n".join(lines) + b"\r\n")
    return name


def run(command: list, cwd: Path) -> subprocess.CompletedProcess:
    return wine_session.run_program(command, None, TIMEOUT, cwd=cwd)


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--windows", required=True, help="qzd.exe")
    parser.add_argument("--linux", required=True, help="the Linux qzd")
    parser.add_argument("--examples", required=True, type=Path)
    args = parser.parse_args()
    if not os.access(args.linux, os.X_OK):
        print(f"FAIL: no Linux qzd at {args.linux} (build it with cmake --build --preset debug --target qzd)")
        return 1
    wine = shutil.which("wine") or shutil.which("wine64")
    failures = []
    with tempfile.TemporaryDirectory(prefix="qzd-exe-") as tmp:
        folder = Path(tmp)
        samples = sorted(p.name for p in args.examples.glob("*.qzd"))
        for name in samples:
            shutil.copy(args.examples / name, folder / name)
        heli = model_lines(args.examples / "heli.qzd")
        glider = model_lines(args.examples / "glider.qzd")
        generated = [
            write_with(folder, "stop-overflow.qzd", heli, {97: b"2147483647"}),
            write_with(folder, "stop-range.qzd", heli, {216: b"8"}),
            write_with(folder, "bad-middle.qzd", glider, {150: b"12x"}),
            write_with(folder, "short.qzd", glider[:120], {}),
            write_with(folder, "γλύπτης.qzd", glider, {3: b"1"}),
            write_with(folder, "グライダー.qzd", glider, {4: b"2"}),
        ]
        runs = [
            ["json", *samples],
            ["json", *generated],
            # Successive loads into one store: failures, then good files.
            ["json", "bad-middle.qzd", "glider.qzd", "missing.qzd", "stop-range.qzd", "acro.qzd"],
            ["show", "glider.qzd"],
            ["show", "stop-range.qzd"],
            ["show", "missing.qzd"],
            ["diff", "acro.qzd", "trainer-easy.qzd"],
            ["diff", "glider.qzd", "γλύπτης.qzd"],
            ["frobnicate"],
        ]
        # A reader that read the holes would not end within TIMEOUT.
        (folder / "long-line-hole.qzd").write_bytes(b"1" * 1000)
        for name in ("hole.qzd", "long-line-hole.qzd"):
            with open(folder / name, "ab") as file:
                file.truncate(1 << 40)
        os.mkfifo(folder / "pipe.qzd")
        (folder / "folder.qzd").mkdir()
        deep = Path("d" * 150) / ("e" * 150) / "glider.qzd"
        (folder / deep).parent.mkdir(parents=True)
        shutil.copy(args.examples / "glider.qzd", folder / deep)
        runs.append(["json", "hole.qzd", "long-line-hole.qzd", "pipe.qzd", "folder.qzd", str(deep)])
        devices = ["CON", "NUL", "COM1", "\\\\.\\PhysicalDrive0", "\\\\.\\pipe\\none"]
        runs.append((["json", *["/dev/null"] * len(devices)], ["json", *devices]))
        for qzd_args in runs:
            linux_args, windows_args = qzd_args if isinstance(qzd_args, tuple) else (qzd_args,) * 2
            linux = run([args.linux, *linux_args], folder)
            windows = run([wine, args.windows, *windows_args], folder)
            what = " ".join(windows_args)
            if linux.returncode != windows.returncode:
                failures.append(f"{what}: exit {windows.returncode}, Linux {linux.returncode}")
            if linux.stderr != windows.stderr:
                failures.append(f"{what}: stderr {windows.stderr!r}, Linux {linux.stderr!r}")
            if windows_args[0] != "json":
                if linux.stdout != windows.stdout:
                    failures.append(f"{what}: output differs:\n{windows.stdout!r}\nLinux:\n{linux.stdout!r}")
                continue
            linux_lines = [json.loads(line) for line in linux.stdout.splitlines()]
            windows_lines = [json.loads(line) for line in windows.stdout.splitlines()]
            if len(linux_lines) != len(windows_lines):
                failures.append(f"{what}: {len(windows_lines)} lines, Linux {len(linux_lines)}")
            # Devices are named differently on the two systems.
            skipped = {"file"} if linux_args != windows_args else set()
            for linux_line, windows_line in zip(linux_lines, windows_lines):
                for field in sorted((set(linux_line) | set(windows_line)) - skipped):
                    if linux_line.get(field, "(none)") != windows_line.get(field, "(none)"):
                        failures.append(
                            f"{what}: {linux_line.get('file')}: field {field}: "
                            f"{windows_line.get(field, '(none)')!r}, Linux {linux_line.get(field, '(none)')!r}"
                        )
    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"qzd.exe answers as the Linux qzd in {len(runs)} runs")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
