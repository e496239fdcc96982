#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the whole viewer as one self-contained HTML file that works opened from disk.

    write_single_file.py SITE_DIR SINGLE_QZD_JS OUTPUT_HTML

From the built site's page: its styles, the window font and the pictures inline (data: URLs), the
program (SINGLE_QZD_JS, whose WebAssembly is inside it) and the page's script inline at the end of
the body. The Content Security Policy allows exactly these: each inline script and style by its
hash, fonts and pictures from data: URLs, nothing from anywhere else. Without a server there is
no manifest to install and no offline copy to keep: the file itself is the copy.
"""

import base64
import hashlib
import re
import sys
from pathlib import Path


def data_url(path: Path, kind: str) -> str:
    return f"data:{kind};base64," + base64.b64encode(path.read_bytes()).decode("ascii")


def digest(text: str) -> str:
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def replace_once(text: str, pattern: str, replacement, what: str) -> str:
    result, count = re.subn(pattern, replacement, text)
    if count != 1:
        raise ValueError(f"the page has {count} {what}, expected one")
    return result


def single_file(site: Path, program: str) -> str:
    page = (site / "index.html").read_text(encoding="utf-8")
    font = site / "fonts" / "LiberationSans-Regular-subset.woff2"
    style = (site / "page.css").read_text(encoding="utf-8") + (site / "layout.css").read_text(
        encoding="utf-8"
    )
    style = replace_once(
        style, r'url\("fonts/[^"]+\.woff2"\)', f'url("{data_url(font, "font/woff2")}")', "fonts"
    )
    script = (site / "page.js").read_text(encoding="utf-8")
    for text in (program, script, style):
        if re.search(r"</(script|style)", text, re.I):
            raise ValueError("an inline script or style would end early")
    policy = "; ".join(
        [
            "default-src 'none'",
            f"script-src {digest(program)} {digest(script)} 'wasm-unsafe-eval'",
            f"style-src {digest(style)}",
            "img-src data:",
            "font-src data:",
            # The program fetches its WebAssembly from the data: URL inside it.
            "connect-src data:",
            "object-src 'none'",
            "base-uri 'none'",
            "form-action 'none'",
        ]
    )
    page = replace_once(
        page,
        r'<meta http-equiv="Content-Security-Policy" content="[^"]*">',
        lambda _: f'<meta http-equiv="Content-Security-Policy" content="{policy}">',
        "policies",
    )
    page = replace_once(page, r'<link rel="manifest"[^>]*>\n', "", "manifests")
    page = replace_once(page, r'<link rel="preload"[^>]*>\n', "", "preloads")
    page = replace_once(
        page,
        r'<link rel="icon" href="([^"]+)">',
        lambda m: f'<link rel="icon" href="{data_url(site / m[1], "image/png")}">',
        "icons",
    )
    page = replace_once(
        page,
        r'<link rel="stylesheet" href="page.css">\n<link rel="stylesheet" href="layout.css">',
        lambda _: f"<style>{style}</style>",
        "style sheets",
    )
    page = replace_once(
        page,
        r'<script src="qzd.js" defer></script>\n<script src="page.js" defer></script>\n',
        "",
        "scripts",
    )
    # The pictures at their own size only: the finer ones would more than double the file.
    page, pictures = re.subn(
        r'src="(pictures/[^"]+\.jpg)" srcset="[^"]*"',
        lambda m: f'src="{data_url(site / m[1], "image/jpeg")}"',
        page,
    )
    if pictures == 0 or "pictures/" in page:
        raise ValueError("the page's pictures were not all taken in")
    return replace_once(
        page,
        r"</body>",
        lambda _: f"<script>{program}</script>\n<script>{script}</script>\n</body>",
        "bodies",
    )


def main(argv) -> int:
    if len(argv) != 4:
        print("usage: write_single_file.py SITE_DIR SINGLE_QZD_JS OUTPUT_HTML", file=sys.stderr)
        return 2
    site, program, output = Path(argv[1]), Path(argv[2]), Path(argv[3])
    text = single_file(site, program.read_text(encoding="utf-8"))
    output.write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
