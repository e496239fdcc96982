# SPDX-License-Identifier: MIT
"""The Windows program's resources, from the window's form and assets: the .rc script with the
six pictures at each scale and the icon, and the .ico itself, made from the desktop icon's PNGs.

    python3 window_resources.py FORM --pictures DIR --icons DIR --rc R.rc --ico I.ico
"""

import argparse
import struct
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "window"))
import form_facts  # noqa: E402

# The icon's sizes in the .ico: the ones Windows asks for in lists, menus, the taskbar and tiles.
ICON_SIZES = (16, 24, 32, 48, 64, 256)
# The scales beyond 1 that window/assets/hidpi holds every picture at, as NAME@2x.jpg and so on;
# the program finds each as the resource NAME_2X (windows/pictures.h).
PICTURE_SCALES = (2, 3)


def picture_files(pictures: Path, file: str) -> list:
    """The resource names and files of one picture at every scale, the form's own first."""
    stem = Path(file).stem
    return [("", pictures / file)] + [(f"_{scale}X", pictures / "hidpi" / f"{stem}@{scale}x.jpg")
                                      for scale in PICTURE_SCALES]


def write_rc(facts, pictures: Path, ico: Path, manifest: Path) -> str:
    lines = [
        "// Generated from the window's form by windows/window_resources.py. Do not edit.",
        f'1 ICON "{ico.as_posix()}"',
        f'1 24 "{manifest.as_posix()}"',
    ]
    for name, file in sorted({(e.picture, e.picture_file) for e in facts.elements if e.picture}):
        for suffix, path in picture_files(pictures, file):
            lines.append(f'{name}{suffix} RCDATA "{path.as_posix()}"')
    return "\n".join(lines) + "\n"


def write_ico(icons: Path) -> bytes:
    """An .ico of PNG images, which every Windows since Vista reads."""
    images = [(size, (icons / f"{size}x{size}" / "apps" / "qzd-viewer.png").read_bytes())
              for size in ICON_SIZES]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory, data = b"", b""
    for size, png in images:
        side = 0 if size >= 256 else size  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(png), offset + len(data))
        data += png
    return header + directory + data


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("form", type=Path)
    parser.add_argument("--pictures", type=Path, required=True)
    parser.add_argument("--icons", type=Path, required=True)
    parser.add_argument("--manifest", type=Path, required=True)
    parser.add_argument("--rc", type=Path, required=True)
    parser.add_argument("--ico", type=Path, required=True)
    args = parser.parse_args()
    facts = form_facts.read_form(args.form)
    for element in facts.elements:
        if element.picture and not all(path.is_file() for _, path in
                                       picture_files(args.pictures, element.picture_file)):
            print(f"window_resources: no picture file for {element.picture}", file=sys.stderr)
            return 1
    args.ico.write_bytes(write_ico(args.icons))
    args.rc.write_text(write_rc(facts, args.pictures, args.ico, args.manifest), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
