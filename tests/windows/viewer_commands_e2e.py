#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The commands beyond the form in qzd-viewer.exe under Wine and Xvfb: one table of keys and menu
items (copy, Page Down/Up through a1, a2, a10, B3 with wrap, F5 after a change, the context menu at
the mouse and from Shift+F10), each followed by the clipboard against `qzd.exe show`; Save as (the
window's pixels) and Print, whose pages a helper draws on metafiles at 600 dpi."""

import argparse
import json
import shutil
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import wine_session  # noqa: E402

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)
    return condition


def emf_page(path: Path):
    """The texts and the one picture (its place and bits) of a metafile page."""
    data, at, texts, pictures = path.read_bytes(), 0, [], []
    while at + 8 <= len(data):
        kind, size = struct.unpack_from("<II", data, at)
        record = data[at:at + size]
        if kind == 84:  # EMR_EXTTEXTOUTW
            count, offset = struct.unpack_from("<II", record, 44)
            texts.append(record[offset:offset + 2 * count].decode("utf-16-le"))
        elif kind == 81:  # EMR_STRETCHDIBITS
            x, y = struct.unpack_from("<ii", record, 24)
            width, height = struct.unpack_from("<ii", record, 72)
            offset, length = struct.unpack_from("<II", record, 56)
            pictures.append(((x, y, width, height), record[offset:offset + length]))
        at += max(size, 8)
    return texts, pictures


def rgb(image: Path, crop=None, kind="rgb") -> bytes:
    command = ["convert", str(image)] + (["-crop", crop, "+repage"] if crop else []) + [kind + ":-"]
    return subprocess.run(command, capture_output=True, timeout=60).stdout


def main() -> int:
    parser = argparse.ArgumentParser()
    for name in ("--viewer", "--probe", "--print-probe", "--qzd", "--examples", "--prefix"):
        parser.add_argument(name, required=True, type=Path)
    parser.add_argument("--shots", type=Path, default=Path(tempfile.gettempdir()) / "qzd-commands-shots")
    args = parser.parse_args()
    env = wine_session.boot_prefix(args.prefix)
    try:
        return run_test(args, env)
    finally:
        wine_session.stop_prefix(env)


def run_test(args, env) -> int:
    wine = wine_session.wine_program()
    probe = wine_session.Probe(args.probe, env)
    with tempfile.TemporaryDirectory(prefix="qzd-commands-") as tmp, wine_session.x_server(Path(tmp)):
        env["DISPLAY"] = wine_session.os.environ["DISPLAY"]
        work = Path(tmp)
        names = {"a1.qzd": "glider.qzd", "a2.qzd": "acro.qzd", "a10.qzd": "heli.qzd", "B3.qzd": "trainer-easy.qzd"}
        path = {name: wine_session.windows_path(shutil.copy(args.examples / sample, work / name))
                for name, sample in names.items()}
        (work / "a5.txt").write_text("not a model")

        # What the window has loaded, in order: visibility carries over from fill to fill, as
        # qzd show's does through the same files.
        history = ["a1.qzd"]

        def shown_sheet():
            return wine_session.run_program([wine, str(args.qzd), "show", *map(path.get, history)],
                                            env, 120).stdout.decode("utf-8")

        def shot(name):
            args.shots.mkdir(parents=True, exist_ok=True)
            subprocess.run(["import", "-window", "root", str(args.shots / f"commands-{name}.png")], timeout=60)

        def copied():
            probe.run("key", "ctrl+shift+c")
            return json.loads(probe.run("clipboard").stdout or '""').replace("\r\n", "\n")

        def change_a2():  # a new list number
            (work / "a2.qzd").write_bytes(b"7" + (work / "a2.qzd").read_bytes()[1:])

        probe.run("gone", 0)
        viewer = subprocess.Popen([wine, str(args.viewer), "a1.qzd"], env=env, cwd=work,
                                  stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        if not check(probe.window(wait_ms=60000) is not None, "the window did not appear"):
            return 1
        # Each row: what the user does, and the file whose sheet the window then shows.
        steps = [(["key", key], None, name) for key, name in (
            ("ctrl+shift+c", None), ("pgdn", "a2.qzd"), ("pgdn", "a10.qzd"), ("pgdn", "B3.qzd"),
            ("pgdn", "a1.qzd"), ("pgup", "B3.qzd"), ("pgup", "a10.qzd"), ("pgup", "a2.qzd"))]
        # The menu's seventh item is Next model.
        steps += [(["key", "f5"], change_a2, "a2.qzd"), (["rclick", 450, 540], None, False),
                  (["key", "shift+f10"], None, "a10.qzd")]
        for number, (action, before, expected) in enumerate(steps, start=1):
            if before:
                before()
            probe.run(*action)
            if action[0] == "rclick" or action[1] == "shift+f10":
                place = json.loads(probe.run("menu", 10000).stdout or "null")
                shot(f"menu-{number}")
                check(place is not None and (action[0] == "key" or [place["x"], place["y"]] == action[1:]),
                      f"{action}: the context menu is at {place}")
                for key in ["escape"] if action[0] == "rclick" else ["down"] * 7 + ["enter"]:
                    probe.run("key", key)
            if expected is not False:
                history += [expected] if expected else []
                check(copied() == shown_sheet(), f"step {number} ({action}): the sheet is not {history[-1]}'s")

        # Save as: the dialog offers a1's name with .png; the PNG is the window's pixels.
        probe.run("key", "ctrl+s")
        box = probe.box()
        if check(box is not None and box["title"] == "Save As", f"Ctrl+S opened {box}"):
            probe.run("key", "ctrl+a")
            probe.run("type", wine_session.windows_path(work / "saved.png"))
            probe.run("key", "enter")
            probe.run("gone", 2000)
        state = probe.window()
        shot("saved")
        saved = work / "saved.png"
        if check(saved.exists(), "Save as wrote no file"):
            client = state["client"]
            window = rgb(args.shots / "commands-saved.png",
                         f"{client['width']}x{client['height']}+{client['x']}+{client['y']}")
            png = rgb(saved)
            check(len(png) == len(window) == client["width"] * client["height"] * 3,
                  "the PNG is not the window's size")
            differing = sum(png[i:i + 3] != window[i:i + 3] for i in range(0, len(png), 3))
            check(differing == 0, f"{differing} pixels of the PNG differ from the window's")
        check(not list(work.glob(".qzd-viewer-*")), "Save as left a temporary file behind")

        # Print: the system's dialog, or the box that says there is no printer.
        probe.run("key", "ctrl+p")
        box = probe.box()
        check(box is not None and (box["title"] == "Print" or box["text"] == "No printer is installed."),
              f"Ctrl+P opened {box}")
        shot("print")
        probe.run("key", "escape")
        probe.run("key", "ctrl+q")
        check(viewer.wait(timeout=60) == 0, "the viewer did not exit with 0")

        # The print of what the window showed when saved: the shown sheet alone, then all four.
        pages = work / "pages"
        pages.mkdir()
        out = wine_session.run_program([wine, str(args.print_probe), wine_session.windows_path(pages),
                                        *map(path.get, history)], env, 180)
        if check(out.returncode == 0, f"the print helper failed: {out.stderr!r}"):
            job = json.loads(out.stdout)
            check(job["header"].startswith("a10.qzd  " + path["a10.qzd"] + "  "), f"header {job['header']!r}")
            sheets = {}
            for page in sorted(pages.glob("*.emf")):
                texts, pictures = emf_page(page)
                check(texts == [job["header"]] and len(pictures) == 1, f"{page.name}: {texts}")
                (x, y, width, height), sheets[page.stem] = pictures[0] if pictures else ((0,) * 4, b"")
                check(min(x, y) >= 240 and x + width <= 7016 - 240 and y + height <= 4961 - 240
                      and abs(width / max(height, 1) - 916 / 547) < 0.01, f"{page.name}: window at {x, y, width, height}")
            check(sorted(sheets) == ["all-1", "all-2", "all-3", "all-4", "shown-1"]
                  and len(set(sheets.values())) == 4, f"the print's pages are {sorted(sheets)}, not 1 and 4 others")
            check(sheets.get("shown-1") == sheets.get(f"all-{job['shown_sheet'] + 1}"),
                  "the shown sheet is not the page on top")
            colour = rgb(saved, kind="bgra") if saved.exists() else b""
            bits = sheets.get("shown-1", b"")
            check([bits[i::4] for i in range(3)] == [colour[i::4] for i in range(3)],
                  "the printed sheet is not the saved window")
    if not failures:
        print("every command of the window did what it says")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
