#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The browser edition in headless Chromium, driven through the page's real file input.

    web_page_test.py --site build/web/site --single build/web/qzd-viewer.html
                     --qzd build/debug/tools/qzd/qzd [unittest options]

Every sequence of loads (the sample models and generated ones: edge cases, random values, failures
in between) must leave every element of the page with the text and own visibility that `qzd json`
gives for the same sequence, and show the error box with the text `qzd show` reports. Also: the
page cycle, a dropped file, a cancelled picker, the focus chain, and the page working offline after
a first visit. The same for the single file opened from disk (file://); the phone's model sheet
against `qzd show` and `qzd diff`; a launch through the manifest's file handler. Exits 77
(skipped) when the site or the browser is missing, and fails then under CI.
"""

import argparse
import base64
import functools
import http.server
import json
import os
import random
import re
import subprocess
import sys
import tempfile
import threading
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "window"))
import form_facts  # noqa: E402

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
PAGES = ["GroupBox3", "GroupBox5", "GroupBox6", "GroupBox7"]  # MIXER, Servo Connection, Mode, Heli

try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
except ImportError:  # reported as a skip in main()
    webdriver = None

ARGS = argparse.Namespace(site=None, qzd=None, single=None)
FACTS = form_facts.read_form(ROOT / "window" / "form" / "main_window.ui")


# ---- model files -------------------------------------------------------------------------------


def model(values, end=b"\r\n", last_end=True, after=b""):
    lines = [v if isinstance(v, bytes) else str(v).encode() for v in values]
    text = end.join(lines) + (end if last_end else b"")
    return text + after


def with_line(n, text, base=None):
    """A valid model whose line n (counted from 1) is `text`."""
    values = list(base or [i % 100 for i in range(301)])
    values[n - 1] = text
    return model(values)


def random_model(seed, wild):
    """Byte-sized codes as a transmitter writes them; `wild` adds any 32-bit value, which usually
    stops the fill at some field."""
    rng = random.Random(seed)
    special = [0x7FFFFFFF, -0x80000000, 256, -1, 255, 128]

    def value():
        pick = rng.random()
        if pick < 0.6:
            return rng.randint(0, 255)
        if pick < 0.75:
            return rng.randint(-128, 127)
        if pick < 0.85:
            return rng.randint(0, 9)
        if not wild:
            return rng.randint(-100, 100)
        if pick < 0.95:
            return rng.randint(-(2**31), 2**31 - 1)
        return rng.choice(special)

    values = [value() for _ in range(301)]
    values[1] = rng.choice([0, 1, 2, 3, 7, -1]) if wild else seed % 4  # the model type
    if not wild:  # stick mode and the free mixers' channels and switches as their names go
        for slot in (96, 203, 204, 205, 214, 215, 216, 225, 226, 227):
            values[slot] = rng.randint(0, 7)
    written = [
        (b"$%X" % (v & 0xFFFFFFFF)) if rng.random() < 0.1 else str(v).encode() for v in values
    ]
    return model(written, end=rng.choice([b"\n", b"\r\n"]))


def example(name):
    return (ROOT / "examples" / f"{name}.qzd").read_bytes()


MODELS = {
    "trainer-easy": example("trainer-easy"),
    "glider": example("glider"),
    "acro": example("acro"),
    "heli": example("heli"),
    **{f"random-{seed}": random_model(seed, wild=seed >= 4) for seed in range(8)},
    "lf-no-last-end": model(range(301), end=b"\n", last_end=False),
    "extra-lines": model(range(301), after=b"not a number\r\n" * 3),
    "short-300": model(range(300)),
    "empty": b"",
    "empty-line-10": with_line(10, b""),
    "trailing-blank": with_line(5, b"17 "),
    "long-zeros": with_line(3, b"0" * 255 + b"1"),
    "letters-300": with_line(7, b"a" * 300),
    "cr-only": model(range(301), end=b"\r"),
    "ctrl-z": with_line(2, b"12\x1a34"),
    "hex": model([b"$1F", b"x1f", b"X1F", b"0x1F", b"0X1f", b"-$10", b"$FFFFFFFF", b"2147483647",
                  b"-2147483648", b"  +17", b"00017", b"-0"] + [b"3"] * 289),
    "hostile-bold": with_line(2, b"<b>x</b>"),
    "hostile-img": with_line(2, b"<img src=x onerror=window.__xss=1>"),
    "latin1": with_line(4, b"\xe9t\xe9 \xff\x00zz"),
    "overflow": model([2147483647] * 301),
    "unlisted-type": with_line(2, b"7", base=example("glider").splitlines()[:301]),
}

# Loads in a row in one visit; a failure keeps what the lines before it wrote, and the next load
# shows that carry-over.
SEQUENCES = [
    ["trainer-easy", "glider", "acro", "heli", "huge"],
    ["random-0", "empty", "random-1", "short-300", "random-2", "empty-line-10", "glider"],
    ["hex", "ctrl-z", "lf-no-last-end", "extra-lines", "long-zeros", "trailing-blank", "heli"],
    ["random-3", "letters-300", "cr-only", "latin1", "overflow", "unlisted-type", "random-4"],
    ["acro", "hostile-bold", "random-5", "hostile-img", "random-6", "random-7", "trainer-easy"],
]


# A 1 GB file whose first 301 lines are a model: the page streams only what the reader takes.
HUGE_SIZE = 1 << 30


def write_models(folder):
    for name, data in MODELS.items():
        (Path(folder) / f"{name}.qzd").write_bytes(data)
    with open(Path(folder) / "huge.qzd", "wb") as huge:  # sparse: no gigabyte on the disk
        huge.write(MODELS["glider"])
        huge.truncate(HUGE_SIZE)


# ---- what the desktop shows, from qzd ----------------------------------------------------------


def initial_state():
    return {e.name: [e.caption, e.visible] for e in FACTS.elements}


def unescape_terminal(text):
    """qzd's terminal text: \\\\ for a backslash and \\xhh for a byte outside printable ASCII."""
    return re.sub(
        r"\\(\\|x[0-9a-f]{2})", lambda m: "\\" if m[1] == "\\" else chr(int(m[1][1:], 16)), text
    )


def expected_loads(paths):
    """For each load of the sequence: the error box text (or None) and the page's whole state."""
    qzd = [ARGS.qzd]
    report = subprocess.run(qzd + ["json", "--"] + paths, capture_output=True, check=False)
    shown = subprocess.run(qzd + ["show", "--"] + paths, capture_output=True, check=False)
    boxes = shown.stderr.decode("latin-1").splitlines()
    state = initial_state()
    for path, line in zip(paths, report.stdout.decode("ascii").splitlines()):
        result = json.loads(line)
        state["FilePath"][0] = Path(path).name
        box = None
        if result["load_error"] is not None or result["stop"] is not None:
            prefix = f"qzd: {path}: "
            assert boxes and boxes[0].startswith(prefix), boxes
            box = unescape_terminal(boxes.pop(0)[len(prefix):])
        if result["load_error"] is None:
            for page in PAGES:
                state[page][1] = page == "GroupBox3"
            for action in result["actions"]:
                if action[0] == "set":
                    state[action[1]][0] = action[2]
                else:
                    state[action[1]][1] = action[0] == "show"
        yield box, {name: list(v) for name, v in state.items()}


# ---- the page ----------------------------------------------------------------------------------

STATE_SCRIPT = """
return Array.from(document.querySelectorAll('#mainForm [id]')).map((e) => {
  let text = e.textContent;
  if (e instanceof HTMLTextAreaElement) text = e.value;
  else if (e.classList.contains('frame')) {
    const title = e.querySelector(':scope > .frame-title');
    text = title ? title.textContent : '';
  }
  return [e.id, text, !e.hidden];
});
"""

WAIT_SCRIPT = """
const [count, done] = [arguments[0], arguments[arguments.length - 1]];
const box = document.getElementById('errorBox');
(function poll() {
  if (box.open) return done('box');
  if (window.qzdCommands > count) return done('done');
  setTimeout(poll, 2);
})();
"""


class Site:
    """The built site on a local port, as `scripts/web` serves it."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=str(folder))
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = f"http://127.0.0.1:{self.server.server_port}/"
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


# A phone's screen in CSS pixels, and its pixels per CSS pixel.
PHONE = {"width": 390, "height": 844, "pixelRatio": 3, "touch": True}


def start_browser(phone=False, extra=()):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1000,700",
                     "--force-device-scale-factor=1", "--disable-dev-shm-usage", *extra]:
        options.add_argument(argument)
    if phone:
        options.add_experimental_option("mobileEmulation", {"deviceMetrics": PHONE})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site = Site(ARGS.site)
        cls.browser = start_browser()
        cls.models = tempfile.TemporaryDirectory()
        write_models(cls.models.name)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.site.stop()
        cls.models.cleanup()

    def open_page(self):
        self.browser.get(self.site.url)
        self.browser.execute_async_script(
            """const done = arguments[0];
            window.qzdCommands = 0;
            document.addEventListener('qzd-command-done', () => window.qzdCommands++);
            (function poll() {
              if (document.body.classList.contains('ready')) return done();
              setTimeout(poll, 2);
            })();"""
        )

    def path(self, name):
        return str(Path(self.models.name) / f"{name}.qzd")

    def wait(self, count):
        return self.browser.execute_async_script(WAIT_SCRIPT, count)

    def run_command(self, start, box_key=Keys.ENTER):
        """Starts a command; returns the error box's text, or None, once the command is done."""
        count = self.browser.execute_script("return window.qzdCommands")
        start()
        box = None
        if self.wait(count) == "box":
            box, children = self.browser.execute_script(
                "const t = document.getElementById('errorText');"
                "return [t.textContent, t.childNodes.length > 1 || t.children.length > 0];"
            )
            self.assertFalse(children, "the message must stay one text node")
            if box_key is None:
                self.browser.find_element(By.ID, "errorOk").click()
            else:
                ActionChains(self.browser).send_keys(box_key).perform()
            self.assertEqual(self.wait(count), "done")
            self.assertFalse(self.browser.execute_script(
                "return document.getElementById('errorBox').open"))
        return box

    def load(self, name, box_key=Keys.ENTER):
        picker = self.browser.find_element(By.ID, "FileOpenDlg")
        return self.run_command(lambda: picker.send_keys(self.path(name)), box_key)

    def state(self):
        return {name: [text, visible]
                for name, text, visible in self.browser.execute_script(STATE_SCRIPT)}

    def visible_pages(self):
        state = self.state()
        return [page for page in PAGES if state[page][1]]

    def click_at(self, x, y):
        """A click at a point of the window, in the form's coordinates."""
        left, top = self.browser.execute_script(
            "const r = document.getElementById(document.body.dataset.window)"
            ".getBoundingClientRect(); return [r.left, r.top];")
        x, y = x + round(left), y + round(top)
        actions = ActionChains(self.browser)
        actions.w3c_actions.pointer_action.move_to_location(x, y).click()
        actions.perform()

    # ---- the tests ----

    def test_loads_agree_with_qzd(self):
        keys = [Keys.ENTER, Keys.ESCAPE, None]  # the box closes with Enter, Escape and OK alike
        for sequence in SEQUENCES:
            with self.subTest(sequence=sequence):
                self.open_page()
                expected = expected_loads([self.path(name) for name in sequence])
                for step, (name, (box, state)) in enumerate(zip(sequence, expected)):
                    self.assertEqual(self.load(name, keys[step % 3]), box, name)
                    self.assertEqual(self.state(), state, name)
                self.assertIsNone(self.browser.execute_script("return window.__xss"))

    def test_drop_loads_like_choosing(self):
        self.open_page()
        data = list(MODELS["glider"])
        drop = """const file = new File([Uint8Array.from(arguments[0])], 'dropped.qzd');
            const transfer = new DataTransfer();
            transfer.items.add(file);
            document.getElementById('Image1').dispatchEvent(new DragEvent('drop',
                {dataTransfer: transfer, bubbles: true, cancelable: true}));"""
        self.assertIsNone(self.run_command(lambda: self.browser.execute_script(drop, data)))
        [(_, state)] = expected_loads([self.path("glider")])
        state["FilePath"][0] = "dropped.qzd"
        self.assertEqual(self.state(), state)

    def test_a_one_letter_name_loads(self):
        """The dialog's answer for a one-byte name is the length 1, which a read's first wait
        once took for its own: it copied from a chunk the stream had not given yet."""
        self.open_page()
        path = Path(self.models.name) / "g"
        path.write_bytes(MODELS["glider"])
        picker = self.browser.find_element(By.ID, "FileOpenDlg")
        self.assertIsNone(self.run_command(lambda: picker.send_keys(str(path))))
        [(_, state)] = expected_loads([self.path("glider")])
        state["FilePath"][0] = "g"
        self.assertEqual(self.state(), state)

    def test_launch_loads_like_choosing(self):
        """An installed page opened with model files through its manifest's file handler: the
        browser's launch queue hands each over, and it loads as the file input's would, error box
        included; a file that can no longer be had fails as a vanished chosen file does."""
        launches = """window.qzdLaunches = [];
            Object.defineProperty(window, 'launchQueue', {configurable: true,
              value: {setConsumer: (consumer) => { window.qzdLaunch = consumer; }}});"""
        script = self.browser.execute_cdp_cmd(
            "Page.addScriptToEvaluateOnNewDocument", {"source": launches})
        try:
            self.open_page()
        finally:
            self.browser.execute_cdp_cmd(
                "Page.removeScriptToEvaluateOnNewDocument", {"identifier": script["identifier"]})
        launch = """const [data, name, gone] = arguments;
            const file = new File([Uint8Array.from(data)], name);
            window.qzdLaunch({files: [{kind: 'file', name,
              getFile: () => gone ? Promise.reject(new DOMException('gone', 'NotFoundError'))
                                  : Promise.resolve(file)}]});"""
        names = ["glider", "empty", "heli"]
        expected = expected_loads([self.path(name) for name in names])
        for name, (box, state) in zip(names, expected):
            data = list((Path(self.models.name) / f"{name}.qzd").read_bytes())
            self.assertEqual(self.run_command(
                lambda: self.browser.execute_script(launch, data, f"{name}.qzd", False)), box)
            self.assertEqual(self.state(), state, name)
        # Gone since the file manager named it: "File not found", the path field naming it.
        box = self.run_command(
            lambda: self.browser.execute_script(launch, [], "moved.qzd", True))
        self.assertIn("File not found", box)
        self.assertEqual(self.state()["FilePath"][0], "moved.qzd")

    def test_manifest_handles_model_files(self):
        self.open_page()
        parsed = self.browser.execute_cdp_cmd("Page.getAppManifest", {})
        self.assertEqual(parsed["errors"], [])
        manifest = json.loads(parsed["data"])
        [handler] = manifest["file_handlers"]
        self.assertEqual(handler["accept"], {"application/x-qzd-model": [".qzd"]})
        action = self.browser.execute_script(
            "return new URL(arguments[0], arguments[1]).href", handler["action"], parsed["url"])
        self.assertTrue(action.startswith(parsed["parsed"]["scope"]), action)

    def press(self, key, *modifiers):
        chain = ActionChains(self.browser)
        for modifier in modifiers:
            chain.key_down(modifier)
        chain.send_keys(key)
        for modifier in modifiers:
            chain.key_up(modifier)
        return self.run_command(chain.perform)

    def test_commands_take_the_model_away(self):
        """The command bar's commands by their keys and buttons, on files chosen together: print
        (the browser's own, to PDF), copy and download the sheet, reload, and Page Down and Up
        through the files in the order given."""
        self.open_page()
        self.browser.execute_cdp_cmd("Browser.grantPermissions", {
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
        downloads = tempfile.TemporaryDirectory()
        self.addCleanup(downloads.cleanup)
        self.browser.execute_cdp_cmd("Browser.setDownloadBehavior",
                                     {"behavior": "allow", "downloadPath": downloads.name})
        self.browser.execute_script(
            "window.print = () => { window.qzdPrinted = "
            "document.getElementById('printHeader').textContent; };")
        names = ["glider", "heli", "acro"]
        picker = self.browser.find_element(By.ID, "FileOpenDlg")
        self.run_command(lambda: picker.send_keys("\n".join(self.path(n) for n in names)))
        sheet = subprocess.run([ARGS.qzd, "show", "glider.qzd"], cwd=self.models.name,
                               capture_output=True, check=True).stdout.decode()
        read_clipboard = ("navigator.clipboard.readText().then(arguments[0], "
                          "(e) => arguments[0](String(e)))")
        download = lambda: self.run_command(  # noqa: E731
            self.browser.find_element(By.XPATH, "//button[text()='Download sheet']").click)
        path = lambda: self.state()["FilePath"][0]  # noqa: E731
        rows = [
            (lambda: self.press("p", Keys.CONTROL),
             lambda: self.assertTrue(self.browser.execute_script(
                 "return window.qzdPrinted").startswith("glider.qzd  "))),
            (lambda: self.press("C", Keys.CONTROL, Keys.SHIFT),
             lambda: self.assertEqual(self.browser.execute_async_script(read_clipboard), sheet)),
            (download, lambda: self.assertEqual(self.wait_for_file(
                Path(downloads.name) / "glider.txt"), sheet)),
            (lambda: self.press(Keys.F5), lambda: self.assertEqual(path(), "glider.qzd")),
            (lambda: self.press(Keys.PAGE_DOWN), lambda: self.assertEqual(path(), "heli.qzd")),
            (lambda: self.press(Keys.PAGE_DOWN), lambda: self.assertEqual(path(), "acro.qzd")),
            (lambda: self.press(Keys.PAGE_DOWN), lambda: self.assertEqual(path(), "glider.qzd")),
            (lambda: self.press(Keys.PAGE_UP), lambda: self.assertEqual(path(), "acro.qzd")),
        ]
        for number, (act, check) in enumerate(rows):
            self.assertIsNone(act(), f"row {number}: no error box")
            check()
        # The print: one landscape page of the window and the header line, no page controls.
        self.press(Keys.PAGE_DOWN)
        self.press("p", Keys.CONTROL)
        pdf = Path(downloads.name) / "print.pdf"
        pdf.write_bytes(base64.b64decode(self.browser.execute_cdp_cmd(
            "Page.printToPDF", {"preferCSSPageSize": True})["data"]))
        info = subprocess.run(["pdfinfo", str(pdf)], capture_output=True, text=True).stdout
        self.assertRegex(info, r"Pages:\s+1\n")
        width, height = map(float, re.search(r"Page size:\s+([\d.]+) x ([\d.]+)", info).groups())
        self.assertGreater(width, height)
        text = subprocess.run(["pdftotext", str(pdf), "-"], capture_output=True, text=True).stdout
        self.assertRegex(text, r"glider\.qzd\s+\d{4}-\d\d-\d\d \d\d:\d\d")
        for shown in ["GLIDER", "load model", "MIXER"]:
            self.assertIn(shown, text)
        self.assertNotIn("Download sheet", text)

    def wait_for_file(self, path):
        self.browser.execute_async_script(
            "const done = arguments[0]; setTimeout(done, 0);")  # lets the download start
        for _ in range(500):
            if path.exists() and path.stat().st_size:
                return path.read_text(encoding="utf-8")
            self.browser.execute_async_script("setTimeout(arguments[0], 10)")
        return None

    def test_page_cycle(self):
        self.open_page()
        self.assertEqual(self.visible_pages(), PAGES)  # all four, MIXER on top
        advance = lambda: self.browser.find_element(By.ID, "Button1").click()  # noqa: E731
        title = lambda page: lambda: self.browser.find_element(  # noqa: E731
            By.CSS_SELECTOR, f"#{page} > .frame-title").click()
        picture = lambda: self.browser.find_element(By.ID, "Image3").click()  # noqa: E731
        cancel = lambda: self.run_command(  # noqa: E731
            lambda: self.browser.find_element(By.ID, "open").click())
        steps = [
            (advance, "GroupBox5"),  # the first advance skips MIXER, already on top
            (advance, "GroupBox6"),
            (title("GroupBox6"), "GroupBox7"),
            (picture, "GroupBox7"),  # a picture takes the click: no advance
            (advance, "GroupBox3"),
            (advance, "GroupBox5"),
            (lambda: self.load("glider"), "GroupBox3"),
            (advance, "GroupBox5"),
            (lambda: self.load("empty"), "GroupBox5"),  # a failed read leaves the page
            (cancel, "GroupBox3"),  # the headless picker cancels at once
        ]
        for number, (step, page) in enumerate(steps):
            step()
            self.assertEqual(self.visible_pages(), [page], f"step {number}")

    def test_cancel_fills_again_from_the_store(self):
        self.open_page()
        self.load("trainer-easy")
        loaded = self.state()
        hidden = next(e for e in FACTS.children("GroupBox3")
                      if e.kind == "DisplayField" and not loaded[e.name][1])
        # A hidden field takes no click: its place is the frame's, which advances.
        self.click_at(hidden.window_x + hidden.width // 2, hidden.window_y + hidden.height // 2)
        self.assertEqual(self.visible_pages(), ["GroupBox5"])
        self.run_command(lambda: self.browser.find_element(By.ID, "open").click())
        self.assertEqual(self.state(), loaded)

    def test_focus_chain_is_the_desktops(self):
        self.open_page()
        chain = [e.name for e in sorted(FACTS.elements, key=lambda e: e.tab_order)
                 if e.tab_order >= 0]
        self.browser.execute_script(
            "window.qzdFocused = [];"
            "document.addEventListener('focusin', (e) => window.qzdFocused.push(e.target.id));")
        ActionChains(self.browser).send_keys(Keys.TAB * len(chain)).perform()
        seen = self.browser.execute_script("return window.qzdFocused")
        self.assertEqual(seen, chain)

    def test_elements_are_named_as_on_the_desktop(self):
        """The browser's own accessible names: the form's names (a picture's on its image), a
        frame's title where it has none, and a distinct label for every field."""
        self.open_page()
        self.browser.execute_script(
            "document.querySelectorAll('#mainForm [hidden]').forEach((e) => { e.hidden = false; })")
        fields = []  # named by the program, with the labels `qzd diff` prints
        for e in FACTS.elements:
            named = e.properties.get("accessibleName") or (e.caption if e.kind == "Frame" else "")
            if not named and e.kind != "DisplayField":
                continue
            target = self.browser.find_element(
                By.CSS_SELECTOR, f"#{e.name} img" if e.kind == "PictureBox" else f"#{e.name}")
            if named:
                self.assertEqual(target.accessible_name, named, e.name)
            else:
                fields.append(target.accessible_name)
        self.assertNotIn("", fields)
        self.assertEqual(len(set(fields)), len(fields))

    def test_page_stays_on_its_own_origin(self):
        self.open_page()
        self.load("glider")
        foreign = self.browser.execute_script(
            "return performance.getEntriesByType('resource').map((e) => e.name)"
            ".filter((url) => !url.startsWith(location.origin))")
        self.assertEqual(foreign, [])
        problems = [entry for entry in self.browser.get_log("browser")
                    if entry["level"] == "SEVERE"]
        self.assertEqual(problems, [])


class SingleFile:
    """The viewer as one file, opened from disk."""

    def __init__(self, path):
        self.url = Path(path).as_uri()

    def stop(self):
        pass


class SingleFileTest(PageTest):
    """Everything the served page does, the single file does from disk, offline by nature."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.site = SingleFile(ARGS.single)

    def test_manifest_handles_model_files(self):
        self.skipTest("a file from disk installs nothing")

    def test_page_stays_on_its_own_origin(self):
        self.open_page()
        self.load("glider")
        fetched = self.browser.execute_script(
            "return performance.getEntriesByType('resource').map((e) => e.name)"
            ".filter((url) => !url.startsWith('data:'))")
        self.assertEqual(fetched, [])
        # The policy lets every inline script and style through, by its hash, and nothing else.
        problems = [entry for entry in self.browser.get_log("browser")
                    if entry["level"] == "SEVERE"]
        self.assertEqual(problems, [])


SHEET_SCRIPT = """
return Array.from(document.querySelectorAll('#sheet [data-of]')).map((row) => [
  row.dataset.of, row.querySelector('dt') ? row.querySelector('dt').textContent : null,
  (row.querySelector('dd') || row).textContent, !row.hidden]);
"""

SAMPLES = ["trainer-easy", "glider", "acro", "heli"]


def quoted_values(text):
    """The quoted texts of a `qzd show` sheet, in its order, unescaped."""
    return [unescape_terminal(v.replace('\\"', '"'))
            for v in re.findall(r'"((?:[^"\\]|\\.)*)"', text)]


class PhoneTest(unittest.TestCase):
    """The page on a phone's screen: the model sheet, and the window one tap away."""

    @classmethod
    def setUpClass(cls):
        cls.site = Site(ARGS.site)
        cls.browser = start_browser(phone=True)
        cls.models = tempfile.TemporaryDirectory()
        write_models(cls.models.name)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.site.stop()
        cls.models.cleanup()

    open_page = PageTest.open_page
    path = PageTest.path
    wait = PageTest.wait
    load = PageTest.load
    run_command = PageTest.run_command

    def fits(self, element_id):
        """Whether the element lies on the screen, and the page needs no sideways scroll."""
        return self.browser.execute_script(
            """const r = document.getElementById(arguments[0]).getBoundingClientRect();
            return r.width > 0 && r.left >= 0 && r.top >= 0 && r.right <= innerWidth &&
              r.bottom <= innerHeight && document.documentElement.scrollWidth <= innerWidth;""",
            element_id)

    def sheet(self):
        return self.browser.execute_script(SHEET_SCRIPT)

    def test_sheet_shows_what_qzd_show_shows(self):
        self.open_page()
        self.assertTrue(self.fits("sheetOpen"))
        paths = [self.path(name) for name in SAMPLES]
        for count, name in enumerate(SAMPLES, 1):
            # The sheet after the loads so far, in one store, as the page has them.
            text = subprocess.run([ARGS.qzd, "show", "--"] + paths[:count], capture_output=True,
                                  check=True).stdout.decode("latin-1")
            self.assertIsNone(self.load(name))
            rows = self.sheet()
            visible = [value for _, label, value, on in rows if on and label is not None]
            # qzd show's file line has the path, the sheet the name the page has.
            self.assertEqual(visible[0], f"{name}.qzd")
            self.assertEqual(visible[1:], quoted_values(text.split("\n", 1)[1]), name)
            notes = [value for _, label, value, on in rows if on and label is None]
            self.assertEqual(notes, [line for line in text.splitlines()[1:2]
                                     if not line.startswith("list number")], name)
            self.assertTrue(self.fits("sheetOpen"), name)

    def test_sheet_labels_are_qzd_diffs(self):
        self.open_page()
        self.load("glider")
        rows = {label: value for _, label, value, _ in self.sheet() if label is not None}
        self.assertNotIn("", rows)
        self.assertEqual(len(rows), len(self.sheet()) - 1)  # distinct; the one note has none
        diff = subprocess.run([ARGS.qzd, "diff", "--", self.path("glider"), self.path("heli")],
                              capture_output=True, check=False).stdout.decode("latin-1")
        differences = re.findall(r'^(.*): "(.*)" -> ".*"$', diff, re.M)
        self.assertGreater(len(differences), 50)
        for label, value in differences:
            self.assertEqual(rows.get(label), unescape_terminal(value), label)

    def test_one_tap_between_sheet_and_window(self):
        self.open_page()
        self.load("acro")
        for name in ("glider", "heli"):
            self.browser.find_element(By.ID, "sheetToWindow").click()
            # A load in the window's view shows in the sheet once it is back.
            self.load(name)
            self.assertFalse(self.browser.find_element(By.ID, "sheet").is_displayed())
            # The whole window across the screen, as a phone shows a page of its width.
            self.assertEqual(self.browser.execute_script(
                "return [innerWidth, document.documentElement.scrollWidth]"), [FACTS.width] * 2)
            self.assertTrue(self.fits("windowToSheet"))
            self.browser.find_element(By.ID, "windowToSheet").click()
            self.assertTrue(self.fits("sheetToWindow"))
            self.assertFalse(self.browser.find_element(By.ID, FACTS.name).is_displayed())
            rows = {of: (value, on) for of, _, value, on in self.sheet()}
            self.assertEqual(rows["FilePath"][0], f"{name}.qzd")
            self.assertEqual(rows["helivar"][1], name == "heli")


class OfflineTest(unittest.TestCase):
    def test_works_offline_after_a_first_visit(self):
        site = Site(ARGS.site)
        browser = start_browser()
        try:
            browser.get(site.url)
            browser.execute_async_script(
                "const done = arguments[0];"
                "navigator.serviceWorker.ready.then(() => done());")
            site.stop()
            browser.refresh()
            browser.execute_async_script(
                """const done = arguments[0];
                (function poll() {
                  if (document.body.classList.contains('ready')) return done();
                  setTimeout(poll, 2);
                })();""")
            with tempfile.TemporaryDirectory() as folder:
                write_models(folder)
                browser.find_element(By.ID, "FileOpenDlg").send_keys(f"{folder}/heli.qzd")
                browser.execute_async_script(
                    """const done = arguments[0];
                    (function poll() {
                      if (document.getElementById('pos1').value) return done();
                      setTimeout(poll, 2);
                    })();""")
            self.assertEqual(browser.find_element(By.ID, "pos1").get_property("value"), "HELI")
        finally:
            browser.quit()


def main():
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--site", type=Path, required=True)
    parser.add_argument("--qzd", required=True)
    parser.add_argument("--single", type=Path, required=True)
    known, rest = parser.parse_known_args()
    ARGS.site, ARGS.qzd = known.site.resolve(), str(Path(known.qzd).resolve())
    ARGS.single = known.single.resolve()
    missing = [p for p in (ARGS.site / "index.html", ARGS.single, Path(CHROMIUM), Path(CHROMEDRIVER))
               if not p.exists()]
    if webdriver is None or missing:
        return missing_piece("web_page_test", missing or "python3-selenium")
    return run_tests(rest)


def missing_piece(test, missing):
    """Skipped (77) without a piece the test needs; CI installs everything, so there it fails."""
    print(f"{test}: {'failed' if os.environ.get('CI') else 'skipped'}, missing {missing}")
    return 1 if os.environ.get("CI") else 77


def run_tests(argv, **environment):
    """The module's tests, with HOME and the XDG folders (and the browser's profile and caches
    with them) in a folder of their own, never the user's home."""
    with tempfile.TemporaryDirectory() as home:
        os.environ.update(HOME=home, XDG_CONFIG_HOME=f"{home}/.config",
                          XDG_CACHE_HOME=f"{home}/.cache", XDG_DATA_HOME=f"{home}/.local/share",
                          **{name: value.format(home=home) for name, value in environment.items()})
        program = unittest.main(module="__main__", argv=[sys.argv[0]] + argv, exit=False)
    return 0 if program.result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main())
