#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The page beside the desktop window for the same model: both screenshots, the share of pixels
that differ (ImageMagick `compare -metric AE`), and a difference picture, to be looked at.

    compare_screenshots.py BUILD_DIR SITE_DIR OUT_DIR [MODEL.qzd ...]

BUILD_DIR is a desktop build with app/qzd-viewer. The page's path field is given the
desktop's full path, which a page never learns, so that the two show the same texts. Text is drawn
by two different engines; places, sizes, pictures and texts must agree.
"""

import functools
import http.server
import os
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "window"))
import form_facts  # noqa: E402

FACTS = form_facts.read_form(ROOT / "window" / "form" / "main_window.ui")
WIDTH, HEIGHT = FACTS.width, FACTS.height
# The client area's place on a screen without a window manager: the window's place in the form.
ORIGIN = (FACTS.x, FACTS.y)


def desktop_shot(build, model, out):
    display = f":{90 + os.getpid() % 100}"
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    env = dict(os.environ, DISPLAY=display)
    try:
        time.sleep(1)
        viewer = subprocess.Popen([str(build / "app/qzd-viewer"), str(model)],
                                  env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(2)
        subprocess.run(["import", "-window", "root", "-crop",
                        f"{WIDTH}x{HEIGHT}+{ORIGIN[0]}+{ORIGIN[1]}", "+repage", str(out)],
                       env=env, check=True)
        viewer.kill()
        viewer.wait()
    finally:
        xvfb.kill()
        xvfb.wait()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def page_shots(site, models, outs):
    handler = functools.partial(QuietHandler, directory=str(site))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ["--headless=new", "--no-sandbox", "--disable-gpu",
                     "--window-size=1000,700", "--force-device-scale-factor=1"]:
        options.add_argument(argument)
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    try:
        for model, out in zip(models, outs):
            driver.get(f"http://127.0.0.1:{server.server_port}/")
            driver.execute_async_script(
                """const done = arguments[0];
                document.fonts.ready.then(function poll() {
                  if (document.body.classList.contains('ready')) return done();
                  setTimeout(poll, 5);
                });""")
            driver.execute_script(
                """window.qzdLoaded = new Promise((resolve) =>
                  document.addEventListener('qzd-command-done', resolve, {once: true}));""")
            driver.find_element(By.ID, "FileOpenDlg").send_keys(str(model))
            driver.execute_async_script(
                """const [path, done] = arguments;
                window.qzdLoaded.then(() => {
                  document.getElementById('FilePath').value = path;
                  requestAnimationFrame(() => setTimeout(done, 50));
                });""", str(model))
            driver.find_element(By.ID, "mainForm").screenshot(str(out))
    finally:
        driver.quit()
        server.shutdown()


def main(argv):
    if len(argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    build, site, out = Path(argv[1]).resolve(), Path(argv[2]).resolve(), Path(argv[3])
    out.mkdir(parents=True, exist_ok=True)
    models = [Path(m).resolve() for m in argv[4:]] or [ROOT / "examples" / "glider.qzd"]
    page_outs = [out / f"page-{m.stem}.png" for m in models]
    with tempfile.TemporaryDirectory() as home:
        os.environ.update(HOME=home, XDG_CONFIG_HOME=f"{home}/.config",
                          XDG_CACHE_HOME=f"{home}/.cache", XDG_RUNTIME_DIR=home)
        page_shots(site, models, page_outs)
        for model, page in zip(models, page_outs):
            desktop = out / f"desktop-{model.stem}.png"
            desktop_shot(build, model, desktop)
            diff = out / f"diff-{model.stem}.png"
            result = subprocess.run(["compare", "-metric", "AE", str(desktop), str(page), str(diff)],
                                    capture_output=True, text=True)
            differing = float(result.stderr.split()[0])
            print(f"{model.name}: {differing:.0f} of {WIDTH * HEIGHT} pixels differ "
                  f"({100 * differing / (WIDTH * HEIGHT):.2f} %); see {desktop}, {page}, {diff}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
