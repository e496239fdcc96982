# SPDX-License-Identifier: MIT
"""The facts of the main window, read from its form (main_window.ui).

The form is the one description of the window. The Qt viewer builds its window from it with uic;
every other front end and tool reads the same facts through this module:

    facts = read_form("window/form/main_window.ui")   # -> WindowFacts
    for element in facts.elements: ...            # document order = stacking order

and the build turns them into a Qt-free C++ table with

    python3 form_facts.py window/form/main_window.ui --cpp TABLE.cpp --names elements.h

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


# Words that no element may be named, since each element's name is also a constant in the code.
_CPP_WORDS = frozenset(
    "alignas alignof and asm auto bitand bitor bool break case catch char class compl concept const"
    " consteval constexpr constinit const_cast continue co_await co_return co_yield decltype"
    " default delete do double dynamic_cast else enum explicit export extern false float for"
    " friend goto if inline int long mutable namespace new noexcept not nullptr operator or"
    " private protected public register reinterpret_cast requires return short signed sizeof"
    " static static_assert static_cast struct switch template this thread_local throw true try"
    " typedef typeid typename union unsigned using virtual void volatile wchar_t while xor".split()
)


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
    label_for: str  # the display field a caption names (its label), "" for none
    accessible_name: str  # what a screen reader calls the element, "" for its own text
    accessible_description: str
    style: "Style"  # the element's own font size and text colour, from its style sheet
    picture_file: str  # the file in window/assets that a picture box shows, "" for the others
    properties: dict  # every property the form sets on the element, by name, as text


@dataclasses.dataclass(frozen=True)
class Style:
    """What an element's style sheet in the form may say: its own font size in pixels (0 for the
    window font's) and the palette role of its text colour ("" for the window text's)."""

    font_pixel_size: int = 0
    colour_role: str = ""

    def declarations(self) -> list:
        """The style as CSS declarations, the colour as the role's name in `palette(...)`."""
        out = [f"font-size: {self.font_pixel_size}px"] if self.font_pixel_size else []
        return out + ([f"color: palette({self.colour_role})"] if self.colour_role else [])


@dataclasses.dataclass(frozen=True)
class Page:
    """A page of the right-hand page area: its frame, its place in the page cycle (1 is the page a
    load shows) and the short name by which a user asks for it."""

    number: int
    name: str
    frame: str


@dataclasses.dataclass(frozen=True)
class WindowFacts:
    """The window itself and its elements in document order, which is also stacking order."""

    name: str
    form_class: str
    title: str
    x: int  # the window's place on the screen
    y: int
    width: int  # the client area's size
    height: int
    font_family: str  # the window font, and the face that stands in where the system lacks it
    font_stand_in: str
    font_pixel_size: int
    elements: list
    pages: list  # in cycle order

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


_DECLARATIONS = {
    "font-size": (re.compile(r"(\d+)px"), "font_pixel_size", int),
    "color": (re.compile(r"palette\(([a-z-]+)\)"), "colour_role", str),
}


def read_style_sheet(sheet: str) -> Style:
    """The one reader of an element's style sheet: plain declarations of a pixel font size and a
    palette colour, the only ones that every edition can draw. Anything else is a ValueError, so
    that no front end silently drops what the form asks for."""
    facts = {}
    for declaration in filter(None, (d.strip() for d in sheet.split(";"))):
        prop, _, value = (part.strip() for part in declaration.partition(":"))
        if prop not in _DECLARATIONS or not _DECLARATIONS[prop][0].fullmatch(value):
            raise ValueError(f"the style sheet {sheet!r} says {declaration!r}, which no edition draws")
        pattern, field, convert = _DECLARATIONS[prop]
        facts[field] = convert(pattern.fullmatch(value)[1])
    return Style(**facts)


def picture_file(picture: str) -> str:
    """The one rule from a picture's name to its file in window/assets: "ServoConnection" is
    servo-connection.jpg; the sharper copies are hidpi/servo-connection@2x.jpg and @3x."""
    return re.sub(r"(?<!^)(?=[A-Z])", "-", picture).lower() + ".jpg" if picture else ""


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
    window_x, window_y, width, height = (int(v) for v in window_props["geometry"].split(","))
    for fact in ("fontFamily", "fontStandIn", "fontPixelSize"):
        if fact not in window_props:
            raise ValueError(f"{path}: the window has no {fact}")

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
            # The code names elements by constants spelt as the elements.
            if not re.fullmatch(r"[A-Za-z_][A-Za-z0-9_]*", name) or name in _CPP_WORDS:
                raise ValueError(f"{path}: element name {name!r} cannot be a C++ name")
            seen.add(name)
            props = _properties(widget)
            if "geometry" not in props:
                raise ValueError(f"{path}: element {name} has no geometry")
            x, y, w, h = (int(v) for v in props["geometry"].split(","))
            try:
                style = read_style_sheet(props.get("styleSheet", ""))
            except ValueError as error:
                raise ValueError(f"{path}: element {name}: {error}") from None
            picture = re.sub(r"^k(?=[A-Z])", "", props.get("picture", ""))
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
                    picture=picture,
                    label_for=props.get("labelFor", ""),
                    accessible_name=props.get("accessibleName", ""),
                    accessible_description=props.get("accessibleDescription", ""),
                    style=style,
                    picture_file=picture_file(picture),
                    properties=props,
                )
            )
            walk(widget, name, origin_x + x, origin_y + y)

    walk(top, top.get("name", ""), 0, 0)
    unknown = [t for t in tab_stops if t not in seen]
    if unknown:
        raise ValueError(f"{path}: tab stops name unknown elements {unknown}")
    for element in elements:
        if element.label_for and element.label_for not in seen:
            raise ValueError(f"{path}: {element.name} names the unknown element {element.label_for}")
    pages = sorted(
        (
            Page(int(e.properties["pageNumber"]), e.properties.get("pageName", ""), e.name)
            for e in elements
            if "pageNumber" in e.properties
        ),
        key=lambda page: page.number,
    )
    # The page cycle steps through four pages.
    if [page.number for page in pages] != [1, 2, 3, 4] or not all(
        page.name for page in pages
    ):
        raise ValueError(f"{path}: the pages must be numbered 1 to 4 and named")
    return WindowFacts(
        name=top.get("name", ""),
        form_class=root.findtext("class", ""),
        title=window_props.get("windowTitle", ""),
        x=window_x,
        y=window_y,
        width=width,
        height=height,
        font_family=window_props["fontFamily"],
        font_stand_in=window_props["fontStandIn"],
        font_pixel_size=int(window_props["fontPixelSize"]),
        elements=elements,
        pages=pages,
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


# The palette roles a style sheet may name, as the table's ColourRole constants.
_COLOUR_ROLES = {"": "kWindowText", "highlight": "kHighlight"}


def write_cpp(facts: WindowFacts) -> str:
    """The C++ source of the table that window_elements.h declares."""
    index = {e.name: i for i, e in enumerate(facts.elements)}
    rows = []
    for e in facts.elements:
        if e.style.colour_role not in _COLOUR_ROLES:
            raise ValueError(f"{e.name}: the colour palette({e.style.colour_role}) has no role")
        rows.append(
            f"    {{{_cpp_string(e.name)}, ElementKind::k{e.kind}, {_cpp_string(e.parent)}, "
            f"{{{e.x}, {e.y}, {e.width}, {e.height}}}, {{{e.window_x}, {e.window_y}}}, "
            f"{_cpp_string(e.caption)}, {'true' if e.visible else 'false'}, {e.stack_index}, "
            f"{e.tab_order}, {_cpp_string(e.picture)}, {_cpp_string(e.picture_file)}, "
            f"{_cpp_string(e.label_for)}, {_cpp_string(e.accessible_name)}, "
            f"{_cpp_string(e.accessible_description)}, "
            f"{{{e.style.font_pixel_size}, ColourRole::{_COLOUR_ROLES[e.style.colour_role]}}}}},"
        )
    pages = [
        f"    {{{p.number}, {_cpp_string(p.name)}, ElementId{{{index[p.frame]}}}}},"
        for p in facts.pages
    ]
    return "\n".join(
        [
            "// Generated from the window's form by window/form_facts.py. Do not edit.",
            '#include "window/window_elements.h"',
            "",
            "#include <array>",
            "",
            "namespace qzd::window {",
            "",
            "namespace {",
            "",
            f"constexpr std::array<ElementFacts, {len(facts.elements)}> kElements = {{{{",
            *rows,
            "}};",
            "",
            f"constexpr std::array<PageFacts, {len(facts.pages)}> kPages = {{{{",
            *pages,
            "}};",
            "",
            "}  // namespace",
            "",
            "const WindowFacts& MainWindowFacts() noexcept {",
            f"  static constexpr WindowFacts kWindow{{{_cpp_string(facts.name)}, "
            f"{_cpp_string(facts.form_class)}, {_cpp_string(facts.title)}, "
            f"{{{facts.x}, {facts.y}, {facts.width}, {facts.height}}}, "
            f"{{{_cpp_string(facts.font_family)}, {_cpp_string(facts.font_stand_in)}, "
            f"{facts.font_pixel_size}}}, kElements, kPages}};",
            "  return kWindow;",
            "}",
            "",
            "}  // namespace qzd::window",
            "",
        ]
    )


def write_names_header(facts: WindowFacts) -> str:
    """A C++ header with a constant for every element, named as the element, so that code naming
    an element the form does not have fails to build."""
    constants = [
        f"inline constexpr ElementId {e.name}{{{i}}};" for i, e in enumerate(facts.elements)
    ]
    return "\n".join(
        [
            "// Generated from the window's form by window/form_facts.py. Do not edit.",
            "#pragma once",
            "",
            '#include "window/window_elements.h"',
            "",
            "namespace qzd::window::elements {",
            "",
            *constants,
            "",
            "}  // namespace qzd::window::elements",
            "",
        ]
    )


def to_json(facts: WindowFacts) -> str:
    return json.dumps(dataclasses.asdict(facts), indent=1, ensure_ascii=False)


def main(argv=None) -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("form", type=Path, help="the window's .ui form")
    parser.add_argument("--cpp", type=Path, help="write the C++ element table here")
    parser.add_argument("--names", type=Path, help="write the C++ header of element names here")
    parser.add_argument("--json", type=Path, help="write the facts as JSON here")
    args = parser.parse_args(argv)
    try:
        facts = read_form(args.form)
        outputs = [
            (args.cpp, lambda: write_cpp(facts)),
            (args.names, lambda: write_names_header(facts)),
            (args.json, lambda: to_json(facts) + "\n"),
        ]
        texts = [(path, write()) for path, write in outputs if path]
    except (ValueError, ET.ParseError, KeyError) as error:
        print(f"form_facts: {error}", file=sys.stderr)
        return 1
    for path, text in texts:
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
