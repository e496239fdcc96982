#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the site's service worker from its template.

    write_service_worker.py TEMPLATE SITE_DIR

The worker names every file of the site (the page itself as "./") and, as its cache's version, a
hash of all their contents, so that any change to the site makes browsers take the whole new site.
"""

import hashlib
import json
import sys
from pathlib import Path

# The worker itself, which the browser checks for updates on its own.
SKIPPED = {"sw.js"}


def main(argv) -> int:
    if len(argv) != 3:
        print("usage: write_service_worker.py TEMPLATE SITE_DIR", file=sys.stderr)
        return 2
    template = Path(argv[1]).read_text(encoding="utf-8")
    site = Path(argv[2])
    files = sorted(
        p.relative_to(site).as_posix()
        for p in site.rglob("*")
        if p.is_file() and p.name not in SKIPPED
    )
    digest = hashlib.sha256()
    for name in files:
        digest.update(name.encode() + b"\0" + (site / name).read_bytes())
    # The page is asked for by its folder's address as often as by its own name.
    urls = ["./"] + files
    worker = template.replace("@VERSION@", "qzd-" + digest.hexdigest()[:16]).replace(
        "@FILES@", json.dumps(urls)
    )
    (site / "sw.js").write_text(worker, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
