#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The installer under Wine, in a Wine prefix of its own made afresh: a silent install puts both
programs, the licence, the README and the uninstaller in the user's programs folder, a
Start-menu entry and the registry keys of the .qzd file type; `wine start` on a model opens it in
the viewer through that file type; a silent uninstall leaves none of it behind."""

import argparse
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import wine_session  # noqa: E402

failures = []
PROGID = "QzdViewer.Model"


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)
    return condition


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--setup", required=True, type=Path)
    parser.add_argument("--probe", required=True, type=Path)
    parser.add_argument("--examples", required=True, type=Path)
    parser.add_argument("--prefix", required=True, type=Path)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory(prefix="qzd-setup-") as tmp, wine_session.x_server(Path(tmp)):
        return run_test(args, Path(tmp))


def run_test(args, work: Path) -> int:
    wine = wine_session.wine_program()
    env = wine_session.boot_prefix(args.prefix, fresh=True)
    try:
        return check_installer(args, work, wine, env)
    finally:
        wine_session.stop_prefix(env)


def check_installer(args, work: Path, wine: str, env: dict) -> int:
    probe = wine_session.Probe(args.probe, env)

    def run(*command, timeout=300):
        return wine_session.run_program([wine, *map(str, command)], env, timeout)

    def reg_value(key, value=None):
        result = run("reg", "query", key, *(["/v", value] if value else ["/ve"]))
        if result.returncode != 0:
            return None
        text = result.stdout.decode("utf-8", "replace")
        for line in text.splitlines():
            if "REG_SZ" in line:
                return line.split("REG_SZ", 1)[1].strip()
        return ""

    def installed_files():
        users = args.prefix / "drive_c" / "users"
        return sorted(p.relative_to(users) for p in users.glob("*/AppData/Local/Programs/qzd-viewer/*"))

    def shortcuts():
        users = args.prefix / "drive_c" / "users"
        return list(users.glob("*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/QZ Model Viewer.lnk"))

    result = run(args.setup, "/S")
    wine_session.wait_for_wineserver(env)
    check(result.returncode == 0, f"the silent install exited with {result.returncode}")
    names = sorted(p.name for p in installed_files())
    check(names == ["LICENSE", "README.txt", "qzd-viewer.exe", "qzd.exe", "uninstall.exe"],
          f"installed files: {names}")
    check(len(shortcuts()) == 1, "no Start-menu entry")
    check(reg_value(r"HKCU\Software\Classes\.qzd") == PROGID, ".qzd does not name the viewer's file type")
    command = reg_value(rf"HKCU\Software\Classes\{PROGID}\shell\open\command") or ""
    check(command.endswith(r'\qzd-viewer.exe" "%1"') and command.startswith('"'),
          f"open command {command!r}")
    icon = reg_value(rf"HKCU\Software\Classes\{PROGID}\DefaultIcon") or ""
    check(icon.endswith(r"\qzd-viewer.exe,0"), f"file type icon {icon!r}")
    check(reg_value(r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\qzd-viewer",
                    "UninstallString") is not None, "no uninstall entry")

    # A double-click, as Windows makes it: the file type's open command. Windows reads a user's
    # file types in HKCU\Software\Classes through HKEY_CLASSES_ROOT; Wine 8 reads only the
    # machine's, so the installer's values are copied there for the look-up, as they stand.
    mirrored = [".qzd", rf"{PROGID}\DefaultIcon", rf"{PROGID}\shell\open\command"]
    for key in mirrored:
        value = reg_value(rf"HKCU\Software\Classes\{key}")
        if value is not None:
            run("reg", "add", rf"HKLM\Software\Classes\{key}", "/ve", "/d", value, "/f")
    if True:
        model = work / "glider.qzd"
        model.write_bytes((args.examples / "glider.qzd").read_bytes())
        # start hands the file to the shell and returns; the viewer it starts would hold pipes
        # open, so its output goes nowhere.
        started = subprocess.run([wine, "start", "/unix", str(model)], env=env, timeout=120,
                                 stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        check(started.returncode == 0, f"wine start exited with {started.returncode}")
        expected = wine_session.windows_path(model)
        probe.window(wait_ms=120000)
        state, ok = probe.wait_window(
            lambda s: s["elements"]["FilePath"]["text"] == expected and s["elements"]["pos1"]["text"] == "GLIDER",
            seconds=60)
        check(ok, f"wine start on a model did not open it in the viewer: "
              f"{state['elements']['FilePath']['text'] if state else 'no window'}")
        probe.run("key", "ctrl+q")
        probe.run("gone", 20000)
        wine_session.wait_for_wineserver(env)

    for key in (".qzd", PROGID):
        run("reg", "delete", rf"HKLM\Software\Classes\{key}", "/f")

    uninstaller = [p for p in installed_files() if p.name == "uninstall.exe"]
    if check(uninstaller, "no uninstaller to run"):
        users = args.prefix / "drive_c" / "users"
        result = run(users / uninstaller[0], "/S")
        # The uninstaller runs a copy of itself and returns at once; the copy ends last.
        wine_session.wait_for_wineserver(env)
        deadline = time.monotonic() + 30
        while installed_files() and time.monotonic() < deadline:
            time.sleep(0.2)
    check(installed_files() == [], f"left after uninstalling: {installed_files()}")
    folders = list((args.prefix / "drive_c" / "users").glob("*/AppData/Local/Programs/qzd-viewer"))
    check(folders == [], "the install folder is left")
    check(shortcuts() == [], "the Start-menu entry is left")
    for key in (r"HKCU\Software\Classes\.qzd", rf"HKCU\Software\Classes\{PROGID}",
                r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\qzd-viewer"):
        check(run("reg", "query", key).returncode != 0, f"{key} is left")
    if not failures:
        print("the installer installs, opens models and uninstalls leaving nothing")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
