#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""qzd-viewer.exe under Wine and Xvfb, read back by the test helper and compared with `qzd json`
on Linux for the same files in the same order:

- the window: class, title, client size, place, fixed size, icon, and every element's class and
  place as the form gives them; display fields are sunken multi-line edits without scroll bars;
- models loaded through the real open dialog by a typed path (every sample, a fill stop, a
  failure in the middle of a file, a missing file, then a good file): every element's text and
  visibility after each load, and the error box's caption, stop icon and text;
- files dropped on the window (two at once are refused, one loads); Tab and Shift+Tab walk the
  form's focus order through the elements in sight;
- the page cycle by clicks on `>>`, on a page's own frame, on a caption and on a picture (which
  do not advance); Ctrl+Q closes the window;
- a file named on the command line in Greek letters, then one in Japanese letters typed into
  the dialog that Ctrl+O opens: the path field shows the full path as Windows writes it;
- a path of more than 300 characters from the command line and a drop, shown whole; messages
  with a byte 0 at the start, in the middle and at the end of the bad value, shown whole in the
  box and copied with Ctrl+C as shown;
- Windows' hazards answered at once as on Linux: a 64 GB file that is all hole, CON, NUL, COM1,
  a pipe, a folder, and a file another program holds open without sharing."""

import argparse
import fcntl
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "window"))
import form_facts  # noqa: E402
import wine_session  # noqa: E402
import xdnd_drop  # noqa: E402

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)
    return condition


def with_final_period(text: str) -> str:
    return text + "." if text and ord(text[-1]) > ord(".") else text


class Expected:
    """What the window must show: the form at start, then every load's actions from qzd json."""

    def __init__(self, facts):
        self.facts = facts
        self.text = {e.name: "" for e in facts.elements if e.kind == "DisplayField"}
        self.visible = {e.name: e.visible for e in facts.elements}
        self.pages = [page.frame for page in facts.pages]

    def show_page(self, number):
        for index, frame in enumerate(self.pages, start=1):
            self.visible[frame] = index == number

    def load(self, line: dict, path: str):
        self.text["FilePath"] = path
        if line["load_error"] is not None:
            # A byte 0 shows as its symbol, since a window's text would end at it.
            return with_final_period(line["load_error"]).replace("\0", "\u2400")
        self.show_page(1)
        for action in line["actions"]:
            if action[0] == "set":
                self.text[action[1]] = action[2]
            else:
                self.visible[action[1]] = action[0] == "show"
        return with_final_period(line["stop"]) if line["stop"] else None

    def differences(self, state) -> list:
        elements = state["elements"]
        out = []
        for name, text in self.text.items():
            if elements[name]["text"] != text:
                out.append(f"{name} shows {elements[name]['text']!r}, not {text!r}")
        for name, visible in self.visible.items():
            if elements[name]["visible"] != visible:
                out.append(f"{name} is {'shown' if elements[name]['visible'] else 'hidden'}")
        return out

    def matches(self, state) -> bool:
        return not self.differences(state)


def check_window(state, facts):
    check(state["class"] == facts.form_class, f"window class {state['class']}")
    check(state["title"] == facts.title, f"title {state['title']!r}")
    client = state["client"]
    check((client["width"], client["height"]) == (facts.width, facts.height),
          f"client area {client['width']} x {client['height']}")
    check((state["outer"]["x"], state["outer"]["y"]) == (facts.x, facts.y),
          f"window at {state['outer']}, not ({facts.x}, {facts.y})")
    check(not state["sizable"], "the window can be resized or maximized")
    classes = {"Caption": "drawn", "Separator": "drawn", "DisplayField": "Edit",
               "Frame": "QzdFrame", "PictureBox": "QzdPicture", "Button": "Button"}
    for element in facts.elements:
        seen = state["elements"].get(element.name)
        if not check(seen is not None, f"no window for {element.name}"):
            continue
        place = seen["place"]
        check((place["x"], place["y"]) == (element.window_x, element.window_y),
              f"{element.name} at ({place['x']}, {place['y']}), not ({element.window_x}, {element.window_y})")
        check(seen["class"] == classes[element.kind], f"{element.name} is a {seen['class']}")
        # Captions are as large as their text; every other element keeps the form's size.
        if element.kind != "Caption":
            check((place["width"], place["height"]) == (element.width, element.height),
                  f"{element.name} is {place['width']} x {place['height']}")
        else:
            check(place["width"] > 0 and place["height"] > 0, f"caption {element.name} has no size")
        if element.kind == "DisplayField":
            check(seen["multi_line"] and seen["sunken"] and not seen["scroll_bars"],
                  f"{element.name} is not a sunken multi-line edit without scroll bars")


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--viewer", required=True, type=Path)
    parser.add_argument("--probe", required=True, type=Path)
    parser.add_argument("--linux-qzd", required=True)
    parser.add_argument("--examples", required=True, type=Path)
    parser.add_argument("--form", required=True, type=Path)
    parser.add_argument("--prefix", required=True, type=Path)
    parser.add_argument("--shots", type=Path)
    args = parser.parse_args()
    facts = form_facts.read_form(args.form)
    env = wine_session.boot_prefix(args.prefix)
    try:
        return run_test(args, facts, env)
    finally:
        # Ends every program of the test's own prefix, the viewer too when a check failed.
        wine_session.stop_prefix(env)


def run_test(args, facts, env) -> int:
    wine = wine_session.wine_program()
    probe = wine_session.Probe(args.probe, env)

    with tempfile.TemporaryDirectory(prefix="qzd-viewer-exe-") as tmp, \
            wine_session.x_server(Path(tmp)):
        env["DISPLAY"] = wine_session.os.environ["DISPLAY"]
        work = Path(tmp)
        for sample in args.examples.glob("*.qzd"):
            shutil.copy(sample, work / sample.name)
        glider = (work / "glider.qzd").read_bytes().splitlines()
        heli = (work / "heli.qzd").read_bytes().splitlines()

        def write(name, lines, changes):
            lines = list(lines)
            for line, value in changes.items():
                lines[line - 1] = value
            (work / name).write_bytes(b"\r\n".join(lines))
            return name

        write("stop.qzd", heli, {97: b"2147483647"})
        write("bad-middle.qzd", glider, {150: b"12x"})
        write("γλύπτης.qzd", glider, {3: b"1"})
        write("グライダー.qzd", heli, {4: b"2"})

        def shot(name):
            if args.shots:
                args.shots.mkdir(parents=True, exist_ok=True)
                subprocess.run(["import", "-window", "root", str(args.shots / f"{name}.png")],
                               check=False, timeout=60)

        def start(*viewer_args):
            log = open(work / "viewer.log", "ab")
            return subprocess.Popen([wine, str(args.viewer), *viewer_args], env=env, cwd=work,
                                    stdin=subprocess.DEVNULL, stdout=log, stderr=log)

        def loads(names):
            linux = subprocess.run([args.linux_qzd, "json", *names], cwd=work, capture_output=True,
                                   timeout=60)
            return [json.loads(line) for line in linux.stdout.splitlines()]

        def expect_load(expected, line, name, how, shown=None, copy=False):
            box_text = expected.load(line, shown or wine_session.windows_path(work / name))
            if box_text is not None:
                box = probe.box()
                if copy:
                    probe.run("key", "ctrl+c")
                    copied = json.loads(probe.run("clipboard").stdout or '""')
                    check(box_text in copied, f"{name}: Ctrl+C copied {copied!r}")
                if check(box is not None, f"{how} {name}: no error box"):
                    check(box["title"] == "DODeruzudevir", f"{name}: box caption {box['title']!r}")
                    check(box["text"] == box_text, f"{name}: box says {box['text']!r}, not {box_text!r}")
                    check(box["icon"], f"{name}: the box shows no icon")
                    check(box["owned_by_main"], f"{name}: the box does not belong to the window")
                    shot(f"box-{Path(name).stem}")
                    probe.run("key", "enter")
            state, ok = probe.wait_window(expected.matches)
            check(ok, f"after {how} {name}: " + "; ".join(expected.differences(state)[:8]))
            return state

        def open_in_dialog(name, by_key=False):
            # The load command: a click on "load model" (or Ctrl+O), a typed path, Enter.
            button = facts.element("open")
            if by_key:
                probe.run("key", "ctrl+o")
            else:
                probe.run("click", button.window_x + button.width // 2,
                          button.window_y + button.height // 2)
            box = probe.box()
            if not check(box is not None and box["text"] == "", "no open dialog after a click on load model"):
                return False
            probe.run("key", "ctrl+a")
            probe.run("type", wine_session.windows_path(work / name))
            # A completion list that opens as the path is typed takes an Enter of its own.
            for _ in range(3):
                probe.run("key", "enter")
                deadline = time.monotonic() + 3
                while time.monotonic() < deadline:
                    box = probe.box(wait_ms=500)
                    if box is None or box["title"] != "Open":
                        return True
            return check(False, f"the open dialog did not take {name}")

        # Wine's server and services start once, on this display, before the viewer and the
        # helper would race to start them.
        probe.run("gone", 0)
        # The window as it opens, then loads through the dialog.
        viewer = start()
        state = probe.window(wait_ms=60000)
        if not check(state is not None, "the window did not appear or does not answer"):
            shot("no-window")
            print((work / "viewer.log").read_text(errors="replace"), "exit:", viewer.poll())
            return 1
        check_window(state, facts)
        expected = Expected(facts)
        check(expected.matches(state), "at start: " + "; ".join(expected.differences(state)[:8]))
        shot("start")
        sequence = ["trainer-easy.qzd", "glider.qzd", "acro.qzd", "heli.qzd", "stop.qzd",
                    "bad-middle.qzd", "missing.qzd", "glider.qzd"]
        *lines, dropped = loads(sequence + ["acro.qzd"])
        for number, (name, line) in enumerate(zip(sequence, lines), start=1):
            if open_in_dialog(name):
                expect_load(expected, line, name, "the dialog's")
                shot(f"load-{number}-{Path(name).stem}")
        shot("loaded")

        # Files dropped as a file manager drops them: several at once are refused (both would
        # stop with an error box), one loads.
        def drop(names):
            spot = facts.element("FilePath")
            return xdnd_drop.drop_files(facts.title, [work / n for n in names],
                                        state["client"]["x"] + spot.window_x + 8,
                                        state["client"]["y"] + spot.window_y + 8)

        check(drop(["stop.qzd", "bad-middle.qzd"]), "the window did not take two dropped files")
        if check(drop(["acro.qzd"]), "the window did not take a dropped file"):
            expect_load(expected, dropped, "acro.qzd", "a drop of")
            check(probe.box(wait_ms=1000) is None, "an error box is open after the drops")

        # Tab walks the form's focus order through the elements in sight, and back.
        state, _ = probe.wait_window(expected.matches)
        chain = [e.name for e in sorted(facts.elements, key=lambda e: e.tab_order)
                 if e.tab_order >= 0 and state["elements"][e.name]["shown"]]
        walked = json.loads(probe.run("tabs", len(chain) + 1).stdout or "[]")
        back = json.loads(probe.run("tabs", 3, "back").stdout or "[]")
        if check(len(walked) == len(chain) + 1 and walked[0] in chain, f"Tab walked {walked[:3]}"):
            first = chain.index(walked[0])
            check(walked == [chain[(first + i) % len(chain)] for i in range(len(chain) + 1)],
                  f"Tab walks {walked}, not the form's order")
            end = chain.index(walked[-1])
            check(back == [chain[(end - i) % len(chain)] for i in range(1, 4)],
                  f"Shift+Tab walks {back}")

        # The page cycle: `>>`, then a page's frame where none of its elements lies, a picture,
        # then the frame again and `>>`.
        def click_element(name, dx=None, dy=None):
            element = facts.element(name)
            x = element.window_x + (element.width // 2 if dx is None else dx)
            y = element.window_y + (element.height // 2 if dy is None else dy)
            probe.run("click", x, y)

        def empty_spot(frame):
            element = facts.element(frame)
            return {"dx": 4, "dy": element.height - 4}

        # A caption inside a page takes its click.
        steps = [("Label19", {}, 1), ("Button1", {}, 2), (facts.pages[1].frame, empty_spot(facts.pages[1].frame), 3),
                 ("Image2", {}, 3), (facts.pages[2].frame, empty_spot(facts.pages[2].frame), 4),
                 ("Button1", {}, 1)]
        for number, (target, where, page) in enumerate(steps, start=1):
            click_element(target, **where)
            expected.show_page(page)
            state, ok = probe.wait_window(expected.matches, seconds=10)
            check(ok, f"a click on {target} did not leave page {page} on top: "
                  + "; ".join(expected.differences(state)[:4]))
            shot(f"click-{number}-page-{page}")
        probe.run("key", "ctrl+q")
        check(probe.run("gone", 20000).returncode == 0, "Ctrl+Q did not close the window")
        check(viewer.wait(timeout=60) == 0, "the viewer did not exit with 0")

        # A file named on the command line, in Greek letters; one in Japanese letters typed into
        # the dialog.
        viewer = start("γλύπτης.qzd")
        expected = Expected(facts)
        first, second = loads(["γλύπτης.qzd", "グライダー.qzd"])
        expect_load(expected, first, "γλύπτης.qzd", "the command line's")
        if open_in_dialog("グライダー.qzd", by_key=True):
            expect_load(expected, second, "グライダー.qzd", "the dialog's")
        shot("japanese")
        probe.run("key", "ctrl+q")
        check(viewer.wait(timeout=60) == 0, "the viewer did not exit with 0")

        # A path of 300 characters and more from the command line and a drop; byte 0 in bad values.
        deep = Path(("d" * 150)) / ("e" * 150)
        (work / deep).mkdir(parents=True)
        for sample in ("glider.qzd", "acro.qzd"):
            shutil.copy(work / sample, work / deep / sample)
        nuls = [write(f"nul-{where}.qzd", glider, {150: value})
                for where, value in (("start", b"\x0017"), ("middle", b"1x\x0017"), ("end", b"17x\x00"))]
        viewer = start(wine_session.windows_path(work / deep / "glider.qzd"))
        expected = Expected(facts)
        first, dropped, *bad = loads([str(deep / "glider.qzd"), str(deep / "acro.qzd"), *nuls])
        expect_load(expected, first, str(deep / "glider.qzd"), "the command line's")
        state, _ = probe.wait_window(expected.matches)
        if check(drop([deep / "acro.qzd"]), "the window did not take a dropped long path"):
            expect_load(expected, dropped, str(deep / "acro.qzd"), "a drop of")
        for name, line in zip(nuls, bad):
            if open_in_dialog(name):
                expect_load(expected, line, name, "the dialog's", copy=True)
        shot("nul-end")
        probe.run("key", "ctrl+q")
        check(viewer.wait(timeout=60) == 0, "the viewer did not exit with 0")

        # Windows' hazards from the command line, against Linux's answer for the same file (for a
        # device, for /dev/null).
        with open(work / "hole.qzd", "wb") as hole:
            hole.truncate(64 << 30)
        os.mkfifo(work / "pipe.qzd")
        (work / "folder.qzd").mkdir()
        write("held.qzd", glider, {})
        hazards = {"hole.qzd": "hole.qzd", "pipe.qzd": "pipe.qzd", "folder.qzd": "folder.qzd",
                   "held.qzd": "held.qzd", "CON": "/dev/null", "NUL": "/dev/null", "COM1": "/dev/null"}
        with open(work / "held.qzd", "r+b") as locked:  # as a writer holds it on Linux
            fcntl.lockf(locked, fcntl.LOCK_EX)
            linux = loads(list(hazards.values()))
        holder = subprocess.Popen([wine, str(args.probe), "hold",
                                   wine_session.windows_path(work / "held.qzd"), "600000"],
                                  env=env, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL)
        check(holder.stdout.readline().strip() == b"held", "the helper did not hold held.qzd")
        for (name, like), line in zip(hazards.items(), linux):
            viewer = start(name)
            expect_load(Expected(facts), line, name, "the command line's",
                        None if like == name else "\\\\.\\" + name)
            probe.run("key", "ctrl+q")
            check(viewer.wait(timeout=60) == 0, f"the viewer did not exit with 0 after {name}")
        holder.kill()
    if not failures:
        print("qzd-viewer.exe shows what qzd json says, in every case")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
