#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The single file opened from disk (file://) in headless Firefox with no network, driven over
WebDriver BiDi through the page's real file input.

    web_firefox_test.py --single build/web/qzd-viewer.html --qzd build/debug/tools/qzd/qzd

The sample models one after another, an empty file among them, must leave every element with the
text and own visibility that `qzd json` gives for the same sequence, and the empty file must show
the error box with the text `qzd show` reports; the page must fetch nothing and break none of its
Content Security Policy. Exits 77 (skipped) when Firefox or the websockets module is missing, and
fails then under CI.
"""

import argparse
import asyncio
import itertools
import json
import os
import queue
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest
from pathlib import Path

import web_page_test as page

try:
    import websockets
except ImportError:  # reported as a skip in main()
    websockets = None

FIREFOX = "/usr/bin/firefox-esr"
WAIT = 30  # seconds any one step may take before the test fails
SEQUENCE = page.SAMPLES + ["empty", "glider"]

# No network: every connection goes to a proxy on a port nobody listens on, and nothing of the
# browser's own (updates, telemetry, safe browsing) is asked for.
PREFERENCES = {
    "network.proxy.type": 1,
    **{f"network.proxy.{kind}": "127.0.0.1" for kind in ("http", "ssl", "socks")},
    **{f"network.proxy.{kind}_port": 9 for kind in ("http", "ssl", "socks")},
    "network.proxy.no_proxies_on": "",
    "network.proxy.allow_hijacking_localhost": True,
    "app.update.disabledForTesting": True,
    "datareporting.policy.dataSubmissionEnabled": False,
    "toolkit.telemetry.server": "",
    "browser.safebrowsing.update.enabled": False,
    "browser.shell.checkDefaultBrowser": False,
}

# Before the page's own scripts: count finished commands, and keep any policy violation.
PRELOAD = """() => {
  window.qzdCommands = 0;
  window.qzdViolations = [];
  document.addEventListener('qzd-command-done', () => window.qzdCommands++);
  document.addEventListener('securitypolicyviolation',
    (e) => window.qzdViolations.push(e.violatedDirective + ' ' + e.blockedURI));
}"""

READY = "() => document.body.classList.contains('ready')"


class Firefox:
    """Headless Firefox on a profile of its own, spoken to over WebDriver BiDi."""

    def __init__(self, home):
        self.profile = Path(home) / "profile"
        self.profile.mkdir()
        (self.profile / "user.js").write_text(
            "".join(f"user_pref({json.dumps(k)}, {json.dumps(v)});\n"
                    for k, v in PREFERENCES.items()))
        env = dict(os.environ, MOZ_HEADLESS="1")
        self.process = subprocess.Popen(
            [FIREFOX, "--headless", "--no-remote", "--remote-debugging-port=0",
             "-profile", str(self.profile), "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
            env=env, start_new_session=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._drain, daemon=True).start()
        self.loop = asyncio.new_event_loop()
        asyncio.set_event_loop(self.loop)
        self.ids = itertools.count(1)
        self.socket = None
        try:
            self.socket = self._run(websockets.connect(self._address() + "/session",
                                                       max_size=None))
            self.call("session.new", capabilities={})
            self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]
            self.call("script.addPreloadScript", functionDeclaration=PRELOAD)
        except BaseException:
            self.quit()
            raise

    def _drain(self):
        for line in self.process.stderr:
            self.lines.put(line.decode(errors="replace"))
        self.lines.put(None)

    def _address(self):
        deadline = time.monotonic() + WAIT
        seen = []
        while time.monotonic() < deadline:
            try:
                line = self.lines.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                break
            if line is None:
                break
            seen.append(line)
            found = re.search(r"WebDriver BiDi listening on (ws://\S+)", line)
            if found:
                return found[1]
        raise RuntimeError("Firefox did not start its WebDriver BiDi server:\n" + "".join(seen))

    def _run(self, step):
        return self.loop.run_until_complete(asyncio.wait_for(step, WAIT))

    async def _exchange(self, message):
        await self.socket.send(json.dumps(message))
        while True:
            reply = json.loads(await self.socket.recv())
            if reply.get("id") == message["id"]:
                return reply

    def call(self, method, **params):
        reply = self._run(self._exchange({"id": next(self.ids), "method": method,
                                          "params": params}))
        if reply["type"] == "error":
            raise RuntimeError(f"{method}: {reply['error']}: {reply.get('message')}")
        return reply["result"]

    def run(self, function, *args):
        """The page's function called with JSON arguments; its (awaited) result through JSON."""
        result = self.call(
            "script.callFunction", target={"context": self.context}, awaitPromise=True,
            functionDeclaration=f"async (...a) => JSON.stringify(await ({function})(...a))",
            arguments=[{"type": "string", "value": json.dumps(a)} for a in args])
        if result["type"] == "exception":
            raise RuntimeError(result["exceptionDetails"]["text"])
        value = result["result"]  # undefined for a function that returns nothing
        return json.loads(value["value"]) if value["type"] == "string" else None

    def until(self, condition):
        """Waits, within WAIT, for the page's condition to hold."""
        self.run(f"""async () => {{
            const deadline = performance.now() + {WAIT * 1000 - 1000};
            while (!({condition})()) {{
              if (performance.now() > deadline)
                throw new Error('never: ' + {json.dumps(condition)} +
                                '; the policy refused: ' + window.qzdViolations.join(', '));
              await new Promise((r) => setTimeout(r, 2));
            }}
        }}""")

    def element(self, element_id):
        found = self.call("script.evaluate", target={"context": self.context},
                          expression=f"document.getElementById({json.dumps(element_id)})",
                          awaitPromise=False, resultOwnership="root")
        return {"sharedId": found["result"]["sharedId"]}

    def open(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url, wait="complete")

    def quit(self):
        """Closes the browser, or ends its processes when it does not close in time."""
        if self.socket is not None:
            try:
                self.call("browser.close")
                self._run(self.socket.close())
            except Exception:  # noqa: BLE001 - its processes are ended below either way
                pass
        self.loop.close()
        try:
            self.process.wait(timeout=WAIT)
        except subprocess.TimeoutExpired:
            pass
        try:  # whatever of its own process group is left
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self.process.wait(timeout=WAIT)


# The page's wait for the next command's end (or its error box), as a promise.
WAIT_FOR_COMMAND = (
    "(count) => new Promise((done) => (function () {" + page.WAIT_SCRIPT + "})(count, done))")


class SingleFileInFirefoxTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.home = tempfile.mkdtemp()
        cls.browser = Firefox(cls.home)

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        shutil.rmtree(cls.home, ignore_errors=True)

    def path(self, name):
        return str(Path(self.home) / f"{name}.qzd")

    def load(self, name):
        """Chooses the file through the file input; the error box's text, or None, once the load
        is done (the box closed with its OK button)."""
        browser = self.browser
        count = browser.run("() => window.qzdCommands")
        browser.call("input.setFiles", context=browser.context,
                     element=browser.element("FileOpenDlg"), files=[self.path(name)])
        if browser.run(WAIT_FOR_COMMAND, count) != "box":
            return None
        box, children = browser.run(
            "() => { const t = document.getElementById('errorText');"
            " return [t.textContent, t.childNodes.length > 1 || t.children.length > 0]; }")
        self.assertFalse(children, "the message must stay one text node")
        browser.run("() => document.getElementById('errorOk').click()")
        self.assertEqual(browser.run(WAIT_FOR_COMMAND, count), "done")
        self.assertFalse(browser.run("() => document.getElementById('errorBox').open"))
        return box

    def test_loads_agree_with_qzd(self):
        for name in set(SEQUENCE):
            (Path(self.home) / f"{name}.qzd").write_bytes(page.MODELS[name])
        self.browser.open(Path(page.ARGS.single).as_uri())
        self.browser.until(READY)
        expected = list(page.expected_loads([self.path(name) for name in SEQUENCE]))
        self.assertIsNotNone(expected[SEQUENCE.index("empty")][0], "qzd reports the empty file")
        for name, (box, state) in zip(SEQUENCE, expected):
            self.assertEqual(self.load(name), box, name)
            shown = self.browser.run("() => (function () {" + page.STATE_SCRIPT + "})()")
            self.assertEqual({n: [text, visible] for n, text, visible in shown}, state, name)
        # Everything came from inside the file: nothing fetched, nothing the policy refused.
        self.assertEqual(self.browser.run(
            "() => performance.getEntriesByType('resource').map((e) => e.name)"
            ".filter((url) => !url.startsWith('data:'))"), [])
        self.assertEqual(self.browser.run("() => window.qzdViolations"), [])


def main():
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--qzd", required=True)
    parser.add_argument("--single", type=Path, required=True)
    known, rest = parser.parse_known_args()
    page.ARGS.qzd, page.ARGS.single = str(Path(known.qzd).resolve()), known.single.resolve()
    missing = [p for p in (page.ARGS.single, Path(FIREFOX)) if not p.exists()]
    if websockets is None or missing:
        return page.missing_piece("web_firefox_test", missing or "python3-websockets")
    return page.run_tests(rest, TMPDIR="{home}")


if __name__ == "__main__":
    sys.exit(main())
