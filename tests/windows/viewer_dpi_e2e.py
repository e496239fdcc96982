#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""qzd-viewer.exe showing a model under Wine with LogPixels set in the test's own prefix (the Wine
server restarted after each change): at 144 and 192 dpi the client area and every element's place
(and size, but a caption's) are the form's times the scale within a pixel, the fields' font is
11 px times the scale, every picture in sight is drawn from the nearest copy at or above the scale;
a window started at 96 dpi that is told of 192 dpi by WM_DPICHANGED lays itself out as the window
started at 192 dpi, element for element. Screenshots go to --shots, to be looked at."""

import argparse
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "window"))
import form_facts  # noqa: E402
import wine_session  # noqa: E402
from viewer_e2e import check, failures  # noqa: E402

# The DPI, the fields' font heights that 11 px times its scale may round to, the pictures' copy.
SCALES = [(144, {16, 17}, 2), (192, {22}, 2)]


def pictures_drawn(state):  # those in sight: the glider's picture at least
    return any(e["look"]["picture_scale"] for e in state["elements"].values())


def check_layout(state, facts, dpi, fonts, picture_scale):
    scale = dpi / 96
    client = (state["client"]["width"], state["client"]["height"])
    check(client == (int(facts.width * scale + 0.5), int(facts.height * scale + 0.5)),
          f"{dpi} dpi: client area {client}")
    for element in facts.elements:
        seen = state["elements"][element.name]
        form = {"x": element.window_x, "y": element.window_y, "width": element.width,
                "height": element.height}
        sides = ("x", "y") if element.kind == "Caption" else form.keys()
        check(all(abs(seen["place"][side] - form[side] * scale) <= 1 for side in sides),
              f"{dpi} dpi: {element.name} at {seen['place']}, not the form's {form} times {scale}")
        if element.kind == "DisplayField":
            check(seen["look"]["font"] in fonts, f"{dpi} dpi: {element.name}'s font {seen['look']}")
        if seen["look"]["picture_scale"]:
            check(seen["look"]["picture_scale"] == picture_scale,
                  f"{dpi} dpi: {element.name} drawn from {seen['look']}")


def main() -> int:
    parser = argparse.ArgumentParser()
    for name in ("viewer", "probe", "examples", "form", "prefix", "shots"):
        parser.add_argument(f"--{name}", required=True, type=Path)
    args = parser.parse_args()
    facts = form_facts.read_form(args.form)
    env = wine_session.boot_prefix(args.prefix)
    probe = wine_session.Probe(args.probe, env)
    args.shots.mkdir(parents=True, exist_ok=True)
    try:
        with tempfile.TemporaryDirectory(prefix="qzd-viewer-dpi-") as tmp, \
                wine_session.x_server(Path(tmp), "2048x1536x24") as display:
            env["DISPLAY"] = display

            def show(dpi):
                subprocess.run([wine_session.wine_program(), "reg", "add",
                                r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                                "/d", str(dpi), "/f"], env=env, timeout=120, check=False,
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
                wine_session.stop_prefix(env)
                wine_session.wait_for_wineserver(env)
                probe.run("gone", 0)
                viewer = subprocess.Popen([wine_session.wine_program(), str(args.viewer),
                                           wine_session.windows_path(args.examples / "glider.qzd")],
                                          env=env, stdin=subprocess.DEVNULL,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                state, drawn = probe.wait_window(pictures_drawn, seconds=60)
                check(drawn, f"{dpi} dpi: the window or its pictures did not show")
                return viewer, state

            def close(viewer, shot):
                subprocess.run(["import", "-window", "root", str(args.shots / f"{shot}.png")],
                               check=False, timeout=60)
                probe.run("key", "ctrl+q")
                check(viewer.wait(timeout=60) == 0, "the viewer did not exit with 0")

            started = {}
            for dpi, fonts, picture_scale in SCALES:
                viewer, started[dpi] = show(dpi)
                if started[dpi]:
                    check_layout(started[dpi], facts, dpi, fonts, picture_scale)
                close(viewer, f"dpi-{dpi}")

            viewer, state = show(96)
            wanted = started[192]
            if state and wanted:
                # The rectangle around the client area of 192 dpi, with the frame this Wine draws.
                outer, client, size = state["outer"], state["client"], wanted["client"]
                probe.run("dpichanged", 192, outer["x"], outer["y"],
                          outer["x"] + outer["width"] + size["width"] - client["width"],
                          outer["y"] + outer["height"] + size["height"] - client["height"])
                moved, ok = probe.wait_window(lambda s: pictures_drawn(s) and s["client"] == {
                    **s["client"], "width": size["width"], "height": size["height"]})
                check(ok, f"after WM_DPICHANGED the client area is {moved and moved['client']}")
                for name, element in wanted["elements"].items() if ok else ():
                    now = moved["elements"][name]
                    if not now["look"]["picture_scale"]:  # out of sight, drawn when in sight
                        now["look"]["picture_scale"] = element["look"]["picture_scale"]
                    check((now["place"], now["look"]) == (element["place"], element["look"]),
                          f"after WM_DPICHANGED {name} is {now['place']} {now['look']}, started "
                          f"at 192 dpi {element['place']} {element['look']}")
            close(viewer, "dpi-changed-192")
    finally:
        wine_session.stop_prefix(env)
    if not failures:
        print("qzd-viewer.exe lays itself out at 144 and 192 dpi and follows WM_DPICHANGED")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
