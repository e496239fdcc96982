#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Packs a folder into a .zip or a .tar.gz that is the same bytes wherever and whenever it is made.

    pack_archive.py OUTPUT FOLDER

The archive holds FOLDER itself (its name as the top folder) and everything under it, in sorted
order, each entry dated SOURCE_DATE_EPOCH (the last commit's time in a release; without it, now),
owned by root, with the mode 0755 for folders and programs and 0644 for every other file: nothing
of the machine, the user or the umask that made it. The gzip header names no file and no date.
"""

import gzip
import io
import os
import sys
import tarfile
import time
import zipfile
from pathlib import Path


def entries(folder: Path):
    """(name in the archive, path, mode) of the folder and what it holds, sorted by name."""
    found = [folder] + sorted(folder.rglob("*"), key=lambda p: p.relative_to(folder).as_posix())
    for path in found:
        name = (Path(folder.name) / path.relative_to(folder)).as_posix()
        program = path.is_dir() or path.stat().st_mode & 0o111
        yield name + ("/" if path.is_dir() else ""), path, 0o755 if program else 0o644


def write_zip(output: Path, folder: Path, when: int) -> None:
    # A zip's times are calendar fields without a zone; those of UTC, and none before 1980.
    stamp = time.gmtime(max(when, 315532800))[:6]
    with zipfile.ZipFile(output, "w") as archive:
        for name, path, mode in entries(folder):
            info = zipfile.ZipInfo(name, stamp)
            info.create_system = 3  # Unix, so that the mode below is read
            info.external_attr = ((0o40000 if path.is_dir() else 0o100000) | mode) << 16
            data = b"" if path.is_dir() else path.read_bytes()
            info.compress_type = zipfile.ZIP_STORED if path.is_dir() else zipfile.ZIP_DEFLATED
            archive.writestr(info, data, compresslevel=9)


def write_tar_gz(output: Path, folder: Path, when: int) -> None:
    buffer = io.BytesIO()
    with tarfile.open(fileobj=buffer, mode="w", format=tarfile.GNU_FORMAT) as archive:
        for name, path, mode in entries(folder):
            info = tarfile.TarInfo(name.rstrip("/"))
            info.mtime, info.mode, info.uid, info.gid = when, mode, 0, 0
            info.uname = info.gname = ""
            if path.is_dir():
                info.type = tarfile.DIRTYPE
                archive.addfile(info)
            else:
                data = path.read_bytes()
                info.size = len(data)
                archive.addfile(info, io.BytesIO(data))
    with open(output, "wb") as raw, gzip.GzipFile("", "wb", 9, raw, mtime=0) as packed:
        packed.write(buffer.getvalue())


WRITERS = {".zip": write_zip, ".tar.gz": write_tar_gz}


def main(argv) -> int:
    writer = next((w for end, w in WRITERS.items() if len(argv) == 3 and argv[1].endswith(end)), None)
    if writer is None or not Path(argv[2]).is_dir():
        print("usage: pack_archive.py OUTPUT.zip|OUTPUT.tar.gz FOLDER", file=sys.stderr)
        return 2
    when = int(os.environ.get("SOURCE_DATE_EPOCH", time.time()))
    writer(Path(argv[1]), Path(argv[2]), when)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
