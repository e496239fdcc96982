#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The browser edition's audits against the built site on a local port:

- Lighthouse, mobile and desktop presets: performance, accessibility, best practices and SEO
  score 100, but for the shortfalls named in KNOWN_SHORTFALLS;
- axe-core: no violation at start, after a load, with the error box open, and in the phone's
  model sheet (and the phone's window view).

    web_audit_test.py --site build/web/site --audits tests/web/audits [unittest options]

The npm packages come from tests/web/audits (scripts/install-deps runs npm ci there). Exits 77
(skipped) when they, the site or the browser are missing, and fails then under CI. Nothing leaves
this machine: the browser runs with its background networking off.
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import web_page_test as page  # noqa: E402

ARGS = argparse.Namespace(site=None, audits=None)
CATEGORIES = ["performance", "accessibility", "best-practices", "seo"]
QUIET_BROWSER = ["--disable-background-networking", "--disable-component-update",
                 "--disable-default-apps", "--disable-sync", "--no-first-run",
                 "--metrics-recording-only", "--disable-domain-reliability"]

# Audits that may fail, by preset, with the reason. On a desktop screen the page shows the window
# at 1:1 exactly as the desktop does: its display fields are focusable text fields 17 px high on a
# 16 px pitch, below the 24 px that the target-size audit asks of a pointer target.
KNOWN_SHORTFALLS = {"mobile": set(), "desktop": {"target-size"}}


def lighthouse(url, preset, folder):
    output = Path(folder) / f"{preset}.json"
    command = [
        "node", str(ARGS.audits / "node_modules/lighthouse/cli/index.js"), url, "--quiet",
        "--output=json", f"--output-path={output}", f"--only-categories={','.join(CATEGORIES)}",
        "--chrome-flags=" + " ".join(["--headless=new", "--no-sandbox",
                                      f"--user-data-dir={folder}/profile-{preset}",
                                      *QUIET_BROWSER]),
    ] + (["--preset=desktop"] if preset == "desktop" else [])
    subprocess.run(command, check=True, timeout=240,
                   env={**os.environ, "CHROME_PATH": page.CHROMIUM})
    report = json.loads(output.read_text())
    scores = {name: report["categories"][name]["score"] for name in CATEGORIES}
    # The audits that cost each category its marks.
    failing = {
        name: {
            ref["id"]
            for ref in report["categories"][name]["auditRefs"]
            if ref["weight"] > 0 and report["audits"][ref["id"]]["score"] not in (None, 1)
        }
        for name in CATEGORIES
        if scores[name] < 1
    }
    return scores, failing


class LighthouseTest(unittest.TestCase):
    def test_full_marks_with_both_presets(self):
        site = page.Site(ARGS.site)
        try:
            with tempfile.TemporaryDirectory() as folder:
                for preset in ("mobile", "desktop"):
                    with self.subTest(preset=preset):
                        scores, failing = lighthouse(site.url, preset, folder)
                        # Performance is timed on this machine, which others may be sharing:
                        # a busy moment gets two more tries.
                        for _ in range(2):
                            if "performance" not in failing:
                                break
                            scores, failing = lighthouse(site.url, preset, folder)
                        print(f"lighthouse {preset}: {scores}", file=sys.stderr)
                        unexplained = {name: audits - KNOWN_SHORTFALLS[preset]
                                       for name, audits in failing.items()}
                        self.assertEqual({k: v for k, v in unexplained.items() if v}, {},
                                         f"{preset}: {scores}")
        finally:
            site.stop()


class AxeTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.axe = (ARGS.audits / "node_modules/axe-core/axe.min.js").read_text()
        cls.site = page.Site(ARGS.site)
        cls.models = tempfile.TemporaryDirectory()
        page.write_models(cls.models.name)

    @classmethod
    def tearDownClass(cls):
        cls.site.stop()
        cls.models.cleanup()

    def violations(self, browser):
        browser.execute_script(self.axe)
        found = browser.execute_async_script(
            """const done = arguments[arguments.length - 1];
            axe.run(document, {resultTypes: ['violations']})
              .then((r) => done(r.violations.map((v) => [v.id, v.nodes.map((n) => n.target)])),
                    (e) => done([['axe failed', String(e)]]));""")
        return found

    def open(self, browser):
        browser.get(self.site.url)
        browser.execute_async_script(
            """const done = arguments[0];
            window.qzdCommands = 0;
            document.addEventListener('qzd-command-done', () => window.qzdCommands++);
            (function poll() {
              if (document.body.classList.contains('ready')) return done();
              setTimeout(poll, 2);
            })();""")

    def load(self, browser, name):
        count = browser.execute_script("return window.qzdCommands")
        browser.find_element(page.By.ID, "FileOpenDlg").send_keys(
            str(Path(self.models.name) / f"{name}.qzd"))
        return browser.execute_async_script(page.WAIT_SCRIPT, count)

    def test_no_violation_on_a_desktop_screen(self):
        browser = page.start_browser(extra=QUIET_BROWSER)
        try:
            self.open(browser)
            self.assertEqual(self.violations(browser), [], "at start")
            self.assertEqual(self.load(browser, "glider"), "done")
            self.assertEqual(self.violations(browser), [], "after a load")
            self.assertEqual(self.load(browser, "empty"), "box")
            self.assertEqual(self.violations(browser), [], "with the error box open")
        finally:
            browser.quit()

    def test_no_violation_on_a_phone(self):
        browser = page.start_browser(phone=True, extra=QUIET_BROWSER)
        try:
            self.open(browser)
            self.assertEqual(self.violations(browser), [], "sheet at start")
            self.assertEqual(self.load(browser, "acro"), "done")
            self.assertEqual(self.violations(browser), [], "sheet after a load")
            self.assertEqual(self.load(browser, "empty"), "box")
            self.assertEqual(self.violations(browser), [], "the error box on a phone")
            browser.find_element(page.By.ID, "errorOk").click()
            browser.find_element(page.By.ID, "sheetToWindow").click()
            self.assertEqual(self.violations(browser), [], "the window on a phone")
        finally:
            browser.quit()


def main():
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--site", type=Path, required=True)
    parser.add_argument("--audits", type=Path, required=True)
    known, rest = parser.parse_known_args()
    ARGS.site, ARGS.audits = known.site.resolve(), known.audits.resolve()
    needed = [ARGS.site / "index.html", Path(page.CHROMIUM), Path(page.CHROMEDRIVER),
              ARGS.audits / "node_modules/lighthouse/cli/index.js",
              ARGS.audits / "node_modules/axe-core/axe.min.js"]
    missing = [p for p in needed if not p.exists()]
    if page.webdriver is None or missing:
        return page.missing_piece("web_audit_test", missing or "python3-selenium")
    return page.run_tests(rest)


if __name__ == "__main__":
    sys.exit(main())
