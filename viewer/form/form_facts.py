# SPDX-License-Identifier: MIT
"""The facts of the main window, read from its form (main_window.ui).

The form is the one description of the window. The Qt viewer builds its window from it with uic;
every other front end and tool reads the same facts through this module:

    facts = read_form("viewer/main_window.ui")   # -> WindowFacts
    for element in facts.elements: ...            # document order = stacking order

and the build turns them into a Qt-free C++ table with

    python3 form_facts.py --cpp OUTPUT.cpp viewer/main_window.ui

Only the Python standard library is used, so that every build host (and the browser edition's
toolchain) can run it.
"""

from __future__ import annotations

import argparse
import dataclasses
import json
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

# The element kinds of the window: the widget class in the form, and the kind's short name.
KINDS = {
    "qzd::viewer::Caption": "Caption",
    "qzd::viewer::DisplayField": "DisplayField",
    "qzd::viewer::Frame": "Frame",
    "qzd::viewer::PictureBox": "PictureBox",
    "qzd::viewer::Separator": "Separator",
    "QPushButton": "Button",
}


@dataclasses.dataclass(frozen=True)
class Element:
    """One element of the window, as the form gives it."""

    name: str
    kind: str  # a value of KINDS
    widget_class: str  # the class in the form
    parent: str  # the enclosing frame's name, or the window's name for a top-level element
    x: int  # place in the parent's client coordinates, in pixels at 96 dots per inch
    y: int
    width: int
    height: int
    window_x: int  # the same place in the window's client coordinates
    window_y: int
    caption: str  # a caption's or button's text, a frame's title; "" for the others
    visible: bool  # the element's own flag when the window opens
    stack_index: int  # among the parent's elements: 0 lies lowest, later ones lie on top
    tab_order: int  # position in the keyboard focus chain, -1 when the element takes no focus
    picture: str  # a picture box's picture (for example "Aeroplane"), "" for the others
    properties: dict  # every property the form sets on the element, by name, as text


@dataclasses.dataclass(frozen=True)
class WindowFacts:
    """The window itself and its elements in document order, which is also stacking order."""

    name: str
    form_class: str
    title: str
    width: int
    height: int
    elements: list

    def element(self, name: str) -> Element:
        for element in self.elements:
            if element.name == name:
                return element
        raise KeyError(name)

    def children(self, parent: str) -> list:
        return [e for e in self.elements if e.parent == parent]


def _property_text(prop: ET.Element) -> str:
    """A property's value as text: strings as they are, numbers and flags as written, an enum by
    its last name part, a rect as "x,y,w,h"."""
    value = prop[0]
    if value.tag == "rect":
        return ",".join(value.findtext(part, "0") for part in ("x", "y", "width", "height"))
    if value.tag == "size":
        return ",".join(value.findtext(part, "0") for part in ("width", "height"))
    if value.tag == "enum":
        return (value.text or "").split("::")[-1]
    return value.text or ""


def _properties(widget: ET.Element) -> dict:
    return {p.get("name"): _property_text(p) for p in widget.findall("property")}


def read_form(path) -> WindowFacts:
    """Reads the form at `path` and returns the window's facts.

    Raises ValueError for a form this module does not understand (an unknown element kind, a
    duplicate name, an element without a place), so that a build never runs on half the facts."""
    root = ET.parse(path).getroot()
    top = root.find("widget")
    if top is None:
        raise ValueError(f"{path}: no window")
    tab_stops = [t.text for t in root.findall("tabstops/tabstop")]
    window_props = _properties(top)
    width, height = (int(v) for v in window_props["geometry"].split(",")[2:])

    elements: list[Element] = []
    seen: set[str] = set()

    def walk(parent: ET.Element, parent_name: str, origin_x: int, origin_y: int) -> None:
        for index, widget in enumerate(parent.findall("widget")):
            name = widget.get("name", "")
            widget_class = widget.get("class", "")
            if widget_class not in KINDS:
                raise ValueError(f"{path}: element {name} has the unknown kind {widget_class}")
            if not name or name in seen:
                raise ValueError(f"{path}: element name {name!r} missing or used twice")
            seen.add(name)
            props = _properties(widget)
            if "geometry" not in props:
                raise ValueError(f"{path}: element {name} has no geometry")
            x, y, w, h = (int(v) for v in props["geometry"].split(","))
            elements.append(
                Element(
                    name=name,
                    kind=KINDS[widget_class],
                    widget_class=widget_class,
                    parent=parent_name,
                    x=x,
                    y=y,
                    width=w,
                    height=h,
                    window_x=origin_x + x,
                    window_y=origin_y + y,
                    caption=props.get("text", props.get("title", "")),
                    visible=props.get("visible", "true") != "false",
                    stack_index=index,
                    tab_order=tab_stops.index(name) if name in tab_stops else -1,
                    picture=re.sub(r"^k(?=[A-Z])", "", props.get("picture", "")),
                    properties=props,
                )
            )
            walk(widget, name, origin_x + x, origin_y + y)

    walk(top, top.get("name", ""), 0, 0)
    unknown = [t for t in tab_stops if t not in seen]
    if unknown:
        raise ValueError(f"{path}: tab stops name unknown elements {unknown}")
    return WindowFacts(
        name=top.get("name", ""),
        form_class=root.findtext("class", ""),
        title=window_props.get("windowTitle", ""),
        width=width,
        height=height,
        elements=elements,
    )


def _cpp_string(text: str) -> str:
    """A C++ string literal of the UTF-8 bytes of `text`, every byte outside printable ASCII as an
    octal escape, so that no character of the form can end the literal or change its meaning."""
    out = []
    for byte in text.encode("utf-8"):
        char = chr(byte)
        if char in '"\\' or not 0x20 <= byte < 0x7F or char == "?":
            out.append(f"\\{byte:03o}")
        else:
            out.append(char)
    return '"' + "".join(out) + '"'


def write_cpp(facts: WindowFacts) -> str:
    """The C++ source of the table that window_elements.h declares."""
    rows = []
    for e in facts.elements:
        rows.append(
            f"    {{{_cpp_string(e.name)}, ElementKind::k{e.kind}, {_cpp_string(e.parent)}, "
            f"{{{e.x}, {e.y}, {e.width}, {e.height}}}, {{{e.window_x}, {e.window_y}}}, "
            f"{_cpp_string(e.caption)}, {'true' if e.visible else 'false'}, {e.stack_index}, "
            f"{e.tab_order}, {_cpp_string(e.picture)}}},"
        )
    return "\n".join(
        [
            "// Generated from the window's form by viewer/form/form_facts.py. Do not edit.",
            '#include "viewer/core/window_elements.h"',
            "",
            "#include <array>",
            "",
            "namespace qzd::viewer {",
            "",
            "namespace {",
            "",
            f"constexpr std::array<ElementFacts, {len(facts.elements)}> kElements = {{{{",
            *rows,
            "}};",
            "",
            "}  // namespace",
            "",
            "const WindowFacts& MainWindowFacts() noexcept {",
            f"  static constexpr WindowFacts kWindow{{{_cpp_string(facts.name)}, "
            f"{_cpp_string(facts.form_class)}, {_cpp_string(facts.title)}, "
            f"{facts.width}, {facts.height}, kElements}};",
            "  return kWindow;",
            "}",
            "",
            "}  // namespace qzd::viewer",
            "",
        ]
    )


def to_json(facts: WindowFacts) -> str:
    return json.dumps(dataclasses.asdict(facts), indent=1, ensure_ascii=False)


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("form", type=Path, help="the window's .ui form")
    parser.add_argument("--cpp", type=Path, help="write the C++ element table here")
    parser.add_argument("--json", type=Path, help="write the facts as JSON here")
    args = parser.parse_args(argv)
    try:
        facts = read_form(args.form)
    except (ValueError, ET.ParseError, KeyError) as error:
        print(f"form_facts: {error}", file=sys.stderr)
        return 1
    if args.cpp:
        args.cpp.write_text(write_cpp(facts), encoding="utf-8")
    if args.json:
        args.json.write_text(to_json(facts) + "\n", encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
