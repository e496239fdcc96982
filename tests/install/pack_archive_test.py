#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A release archive is the same bytes whatever the files' dates and modes: the entries sorted,
dated SOURCE_DATE_EPOCH, root's, 0755 for folders and programs and 0644 for the rest."""

import calendar
import os
import subprocess
import sys
import tarfile
import tempfile
import unittest
import zipfile
from pathlib import Path

PACK = [sys.executable, Path(__file__).resolve().parents[2] / "packaging" / "pack_archive.py"]
# Name: (mode on disk, mode in the archive); folders are 0755.
FILES = {"top/b.txt": (0o664, 0o644), "top/a/z.exe": (0o700, 0o755), "top/a/c.txt": (0o600, 0o644)}
SORTED = ["top/", "top/a/", "top/a/c.txt", "top/a/z.exe", "top/b.txt"]
READERS = {
    ".zip": lambda path: [
        (i.filename, i.external_attr >> 16 & 0o777, calendar.timegm(i.date_time + (0,) * 3), 0)
        for i in zipfile.ZipFile(path).infolist()
    ],
    ".tar.gz": lambda path: [
        (m.name + "/" * m.isdir(), m.mode, m.mtime, m.uid + m.gid) for m in tarfile.open(path)
    ],
}


class PackArchiveTest(unittest.TestCase):
    def test_same_bytes_from_other_dates_and_modes(self):
        for suffix, read in READERS.items():
            with self.subTest(suffix), tempfile.TemporaryDirectory() as scratch:
                Path(scratch, "top/a").mkdir(parents=True)
                packed, out = [], Path(scratch, "out" + suffix)
                for shift, epoch in ((0, 1765000000), (86400, 1765000000), (0, 1765000002)):
                    for name, (mode, _) in FILES.items():
                        Path(scratch, name).write_text(name)
                        Path(scratch, name).chmod(mode ^ (0o020 if shift else 0))
                        os.utime(Path(scratch, name), (1e9 + shift, 1e9 + shift))
                    env = {**os.environ, "SOURCE_DATE_EPOCH": str(epoch)}
                    subprocess.run(PACK + [out, f"{scratch}/top"], check=True, env=env)
                    packed.append(out.read_bytes())
                self.assertEqual(packed[0], packed[1])
                self.assertNotEqual(packed[0], packed[2], "SOURCE_DATE_EPOCH is not the date")
                want = [(n, FILES.get(n, (0, 0o755))[1], 1765000002, 0) for n in SORTED]
                self.assertEqual(read(out), want)


if __name__ == "__main__":
    unittest.main()
