# SPDX-License-Identifier: MIT
"""What the Windows window needs from its form beyond the window core's element table: each
element's accessible name and description and its own font size and colour (the form's style
sheet), as a C++ table; and the program's resources: the .rc script with the six pictures and the
icon, and the .ico itself, made from the desktop icon's PNGs.

    python3 window_resources.py FORM --pictures DIR --icons DIR --cpp T.cpp --rc R.rc --ico I.ico
"""

import argparse
import re
import struct
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "window"))
import form_facts  # noqa: E402

# The icon's sizes in the .ico: the ones Windows asks for in lists, menus, the taskbar and tiles.
ICON_SIZES = (16, 24, 32, 48, 64, 256)


def picture_file(picture: str) -> str:
    """"ServoConnection" -> "servo-connection.jpg", the desktop's file of that picture."""
    return re.sub(r"(?<!^)(?=[A-Z])", "-", picture).lower() + ".jpg"


def style_facts(style: str):
    """The font size in pixels and whether the text takes the highlight colour, from a style
    sheet such as "font-size: 13px; color: palette(highlight);"."""
    size = re.search(r"font-size:\s*(\d+)px", style)
    highlight = re.search(r"color:\s*palette\(highlight\)", style) is not None
    return (int(size.group(1)) if size else 0), highlight


def write_cpp(facts) -> str:
    rows = []
    for element in facts.elements:
        props = element.properties
        size, highlight = style_facts(props.get("styleSheet", ""))
        rows.append(
            f"    {{{form_facts._cpp_string(props.get('accessibleName', ''))}, "
            f"{form_facts._cpp_string(props.get('accessibleDescription', ''))}, {size}, "
            f"{'true' if highlight else 'false'}}},"
        )
    return "\n".join(
        [
            "// Generated from the window's form by windows/window_resources.py. Do not edit.",
            '#include "windows/element_extras.h"',
            "",
            "#include <array>",
            "",
            "namespace qzd::windows {",
            "",
            "namespace {",
            f"constexpr std::array<ElementExtras, {len(rows)}> kExtras = {{{{",
            *rows,
            "}};",
            "}  // namespace",
            "",
            "const ElementExtras& ExtrasOf(window::ElementId element) noexcept {",
            "  return kExtras[element.index()];",
            "}",
            "",
            "}  // namespace qzd::windows",
            "",
        ]
    )


def write_rc(facts, pictures: Path, ico: Path, manifest: Path) -> str:
    lines = [
        "// Generated from the window's form by windows/window_resources.py. Do not edit.",
        f'1 ICON "{ico.as_posix()}"',
        f'1 24 "{manifest.as_posix()}"',
    ]
    for name in sorted({e.picture for e in facts.elements if e.picture}):
        lines.append(f'{name} RCDATA "{(pictures / picture_file(name)).as_posix()}"')
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
    parser.add_argument("--cpp", type=Path, required=True)
    parser.add_argument("--rc", type=Path, required=True)
    parser.add_argument("--ico", type=Path, required=True)
    args = parser.parse_args()
    facts = form_facts.read_form(args.form)
    for element in facts.elements:
        if element.picture and not (args.pictures / picture_file(element.picture)).is_file():
            print(f"window_resources: no picture file for {element.picture}", file=sys.stderr)
            return 1
    args.cpp.write_text(write_cpp(facts), encoding="utf-8")
    args.ico.write_bytes(write_ico(args.icons))
    args.rc.write_text(write_rc(facts, args.pictures, args.ico, args.manifest), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
