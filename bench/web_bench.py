#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Benchmarks of the browser edition, each reported as a median beside its aim:

- the site's size, gzip -9: WebAssembly and JavaScript (aim: 150 KB), everything but the pictures
  (aim: 250 KB);
- headless Chromium on localhost: navigation to the window's first paint (aim: 300 ms);
- a file chosen in the page's file input to all fields set (aim: 2 ms) and laid out (the layout
  forced after the last write; aim: 5 ms), 20 loads, each of another file than the one before, and to the first frame painted after that, which waits
  for the display's next refresh (up to 16.7 ms at 60 Hz) and so can meet the aim only by chance;
- the reader in WebAssembly (node) against the native reader, on the same bytes (aim: 3x).

    scripts/build-web
    cmake --preset release && cmake --build --preset release --target reader_timing
    cmake --build --preset web --target reader_timing
    bench/web_bench.py
"""

import argparse
import functools
import gzip
import http.server
import re
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

ROOT = Path(__file__).resolve().parents[1]
RUNS = 20


def report(what, value, unit, aim):
    verdict = "ok" if value <= aim else "OVER"
    print(f"{what:<58} {value:9.2f} {unit:<3} (aim {aim} {unit}: {verdict})")


def site_sizes(site):
    def gzipped(paths):
        return sum(len(gzip.compress(p.read_bytes(), 9)) for p in paths) / 1024

    files = [p for p in site.rglob("*") if p.is_file() and not p.name.startswith(".")]
    program = [site / "qzd.wasm", site / "qzd.js", site / "page.js", site / "sw.js"]
    report("site: WebAssembly + JavaScript, gzip", gzipped(program), "KB", 150)
    report("site: everything but the pictures, gzip",
           gzipped([p for p in files if p.parent.name != "pictures"]), "KB", 250)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def browser_timings(site, model_paths):
    handler = functools.partial(QuietHandler, directory=str(site))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_port}/"
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1000,700"]:
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        paints, contentful = [], []
        for _ in range(RUNS):
            driver.get(url)
            first, text = driver.execute_async_script(
                """const done = arguments[0];
                (function poll() {
                  const fp = performance.getEntriesByName('first-paint')[0];
                  const fcp = performance.getEntriesByName('first-contentful-paint')[0];
                  if (fp && fcp && document.body.classList.contains('ready'))
                    return done([fp.startTime, fcp.startTime]);
                  setTimeout(poll, 5);
                })();""")
            paints.append(first)
            contentful.append(text)
        report("navigation to first paint, median", statistics.median(paints), "ms", 300)
        report("navigation to first contentful paint (text), median",
               statistics.median(contentful), "ms", 300)

        driver.execute_script(
            """window.qzdTimes = [];
            let chosen = 0;
            window.addEventListener('change', () => { chosen = performance.now(); }, true);
            document.addEventListener('qzd-command-done', () => {
              const filled = performance.now() - chosen;
              // Reading a size makes the browser lay out the new texts now.
              document.body.offsetHeight;
              const laidOut = performance.now() - chosen;
              requestAnimationFrame(() => {
                // Runs once the frame with the new texts has been painted.
                const channel = new MessageChannel();
                channel.port1.onmessage = () =>
                  window.qzdTimes.push([filled, laidOut, performance.now() - chosen]);
                channel.port2.postMessage(0);
              });
            });""")
        picker = driver.find_element(By.ID, "FileOpenDlg")

        def loads(paths, runs):
            start = driver.execute_script("return window.qzdTimes.length")
            for run in range(runs):
                picker.send_keys(str(paths[run % len(paths)]))
                while driver.execute_script("return window.qzdTimes.length") <= start + run:
                    time.sleep(0.005)
            return driver.execute_script("return window.qzdTimes")[start:]

        def load_times(what, times):
            report(f"{what} chosen to all fields set", statistics.median(t[0] for t in times),
                   "ms", 2)
            report(f"{what} chosen to all fields set and laid out",
                   statistics.median(t[1] for t in times), "ms", 5)
            report(f"{what} chosen to the first frame painted after",
                   statistics.median(t[2] for t in times), "ms", 5)

        load_times(f"a file, median of {RUNS}:", loads(model_paths, RUNS))
        with tempfile.TemporaryDirectory() as folder:
            huge = Path(folder) / "huge.qzd"
            with open(huge, "wb") as out:  # sparse: the model, then zeros up to 1 GB
                out.write(model_paths[0].read_bytes())
                out.truncate(1 << 30)
            load_times("1 GB, median of 5:", loads([huge], 5))
    finally:
        driver.quit()
        server.shutdown()


def reader_ratio(native, wasm):
    def nanoseconds(command):
        output = subprocess.run(command, capture_output=True, text=True, check=True).stdout
        return float(re.match(r"(\d+) ns", output).group(1))

    with tempfile.TemporaryDirectory() as folder:
        long_lines = Path(folder) / "long-lines.qzd"
        line = b"0" * 250 + b"17" + b"5" * 3846 + b"\r\n"
        long_lines.write_bytes(line * 301)
        for name, path in [("glider.qzd", ROOT / "examples" / "glider.qzd"),
                           ("301 lines of 4 KB", long_lines)]:
            native_ns = nanoseconds([str(native), str(path)])
            wasm_ns = nanoseconds(["node", "--no-experimental-fetch", str(wasm), str(path)])
            print(f"reader, {name}: native {native_ns / 1000:.1f} us, "
                  f"WebAssembly {wasm_ns / 1000:.1f} us")
            report(f"reader WebAssembly / native, {name}", wasm_ns / native_ns, "x", 3)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--site", type=Path, default=ROOT / "build/web/site")
    parser.add_argument("--native", type=Path, default=ROOT / "build/release/bench/reader_timing")
    parser.add_argument("--wasm", type=Path, default=ROOT / "build/web/web/reader_timing.js")
    args = parser.parse_args()
    site_sizes(args.site)
    browser_timings(args.site, [ROOT / "examples" / "glider.qzd", ROOT / "examples" / "acro.qzd"])
    reader_ratio(args.native, args.wasm)
    return 0


if __name__ == "__main__":
    sys.exit(main())
