#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Lays out the browser edition's page from the main window's form.

    generate_page.py FORM SITE_DIR

writes SITE_DIR/index.html (every element of the window, by its element name as id, with its
caption, initial visibility and accessible name) and SITE_DIR/layout.css (every element's place,
size and stacking, and the style sheet the form gives it).
The form is read by window/form_facts.py, the one reader of it; nothing about the window is
written here by hand. What each kind of element looks like is in page.css.
"""

import html
import math
import re
import sys
from pathlib import Path

from fontTools.ttLib import TTFont

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "window"))
import form_facts  # noqa: E402

# The page's own files only: no inline script or style, no other origin. WebAssembly needs its
# compile permission; nothing else is evaluated.
CONTENT_SECURITY_POLICY = "; ".join(
    [
        "default-src 'self'",
        "script-src 'self' 'wasm-unsafe-eval'",
        "style-src 'self'",
        "img-src 'self'",
        "font-src 'self'",
        "connect-src 'self'",
        "manifest-src 'self'",
        "worker-src 'self'",
        "object-src 'none'",
        "base-uri 'none'",
        "form-action 'none'",
    ]
)

# The HTML element and class of each kind of element of the form.
KIND_TAGS = {
    "Frame": ("div", "frame"),
    "Caption": ("span", "caption"),
    "DisplayField": ("textarea", "field"),
    "Button": ("button", "button"),
    "PictureBox": ("div", "picture"),
    "Separator": ("div", "separator"),
}


def picture_file(picture: str) -> str:
    """The file of a built-in picture: PictureId "ServoConnection" is servo-connection.jpg."""
    return "pictures/" + re.sub(r"(?<!^)(?=[A-Z])", "-", picture).lower() + ".jpg"


def element_html(facts, element, depth: int) -> list:
    tag, css_class = KIND_TAGS[element.kind]
    attributes = [f'id="{html.escape(element.name)}"', f'class="{css_class}"']
    if not element.visible:
        attributes.append("hidden")
    if element.tab_order >= 0:
        # The desktop's focus chain, exactly: positive indices come first, in their order.
        attributes.append(f'tabindex="{element.tab_order + 1}"')
    elif element.kind in ("DisplayField", "Button"):
        attributes.append('tabindex="-1"')
    caption = html.escape(element.caption)
    # What a screen reader says of the element, as the form tells the desktop's widgets: a
    # picture's name is its image's alternative text, a frame's name defaults to its title.
    name = html.escape(element.properties.get("accessibleName", ""))
    described = element.properties.get("accessibleDescription", "")
    description = [f'aria-description="{html.escape(described)}"'] if described else []
    if element.kind == "Frame":
        name = name or caption
        if name:
            attributes.append('role="group"')
    if element.kind != "PictureBox":
        attributes += ([f'aria-label="{name}"'] if name else []) + description
    indent = " " * depth
    if element.kind == "DisplayField":
        attributes += ['rows="1"', 'spellcheck="false"', 'autocomplete="off"']
        return [f"{indent}<textarea {' '.join(attributes)}></textarea>"]
    if element.kind == "Button":
        return [f"{indent}<button type=\"button\" {' '.join(attributes)}>{caption}</button>"]
    if element.kind == "PictureBox":
        image = [f'src="{picture_file(element.picture)}"', f'alt="{name}"'] + description
        return [f"{indent}<div {' '.join(attributes)}><img {' '.join(image)}></div>"]
    if element.kind == "Frame":
        lines = [f"{indent}<div {' '.join(attributes)}>"]
        if element.caption:
            lines.append(f'{indent} <span class="frame-title">{caption}</span>')
        for child in facts.children(element.name):
            lines += element_html(facts, child, depth + 1)
        lines.append(f"{indent}</div>")
        return lines
    return [f"{indent}<{tag} {' '.join(attributes)}>{caption}</{tag}>"]


def style_sheet_css(element, page_css: str) -> str:
    """An element's style sheet in the form as the page's CSS: plain declarations only, the
    desktop's palette roles (`palette(highlight)`) as page.css's colours of the same names."""
    sheet = element.properties.get("styleSheet", "").strip()
    if "{" in sheet:
        raise ValueError(f"{element.name}: only plain declarations can reach the page: {sheet}")

    def colour(match):
        if f"--{match[1]}:" not in page_css:
            raise ValueError(f"{element.name}: page.css has no colour {match[1]}")
        return f"var(--{match[1]})"

    return re.sub(r"palette\(([a-z-]+)\)", colour, sheet)


def line_height(font_file, pixel_size: int) -> int:
    """The height of a line of the font at `pixel_size`, as the desktop lays text out: the
    ascent and the descent, each rounded up to whole pixels."""
    hhea = TTFont(font_file)["hhea"]
    units = TTFont(font_file)["head"].unitsPerEm
    return math.ceil(pixel_size * hhea.ascent / units) + math.ceil(
        pixel_size * -hhea.descent / units
    )


def layout_css(facts, page_css: str, font_file) -> str:
    font = facts.font_pixel_size
    rules = [
        "/* Generated from the window's form by web/generate_page.py. Do not edit. */",
        # The page serves the face that stands in for the window font.
        f".window, dialog {{ font: {font}px/{line_height(font_file, font)}px "
        f'"{facts.font_stand_in}", sans-serif; }}',
        f"#{facts.name} {{ width: {facts.width}px; height: {facts.height}px; }}",
    ]
    for e in facts.elements:
        # A caption is as wide as its text and as high as its line, as on the desktop; the others
        # have the form's size.
        size = "" if e.kind == "Caption" else f" width: {e.width}px; height: {e.height}px;"
        style = style_sheet_css(e, page_css)
        rules.append(
            f"#{e.name} {{ left: {e.x}px; top: {e.y}px;{size} z-index: {e.stack_index + 1};"
            f"{' ' + style if style else ''} }}"
        )
    return "\n".join(rules) + "\n"


PAGE = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="{csp}">
<meta name="viewport" content="width={width}">
<meta name="color-scheme" content="light">
<title>{title}</title>
<link rel="manifest" href="manifest.webmanifest">
<link rel="icon" href="icons/icon-32.png">
<link rel="preload" href="fonts/LiberationSans-Regular-subset.woff2" as="font" type="font/woff2" crossorigin>
<link rel="stylesheet" href="page.css">
<link rel="stylesheet" href="layout.css">
<script src="qzd.js" defer></script>
<script src="page.js" defer></script>
</head>
<body data-window="{window}">
<div id="{window}" class="window" role="main" aria-label="{title}">
{elements}
</div>
<input type="file" id="FileOpenDlg" accept=".qzd" hidden>
<dialog id="errorBox" role="alertdialog" aria-labelledby="errorCaption" aria-describedby="errorText">
 <div class="box-caption" id="errorCaption"></div>
 <div class="box-body">
  <svg class="stop-icon" viewBox="0 0 32 32" aria-hidden="true"><circle cx="16" cy="16" r="15" fill="#d8342c"/><path d="M10.5 10.5l11 11m0-11l-11 11" stroke="#fff" stroke-width="3.4" stroke-linecap="round"/></svg>
  <p id="errorText"></p>
 </div>
 <div class="box-buttons"><button type="button" id="errorOk" class="button" autofocus>OK</button></div>
</dialog>
</body>
</html>
"""


def page_html(facts) -> str:
    elements = []
    for element in facts.children(facts.name):
        elements += element_html(facts, element, 1)
    return PAGE.format(
        csp=CONTENT_SECURITY_POLICY,
        width=facts.width,
        title=html.escape(facts.title),
        window=html.escape(facts.name),
        elements="\n".join(elements),
    )


def main(argv) -> int:
    if len(argv) != 4:
        print("usage: generate_page.py FORM SITE_DIR FONT", file=sys.stderr)
        return 2
    facts = form_facts.read_form(argv[1])
    site = Path(argv[2])
    site.mkdir(parents=True, exist_ok=True)
    (site / "index.html").write_text(page_html(facts), encoding="utf-8")
    page_css = (Path(__file__).parent / "page.css").read_text(encoding="utf-8")
    (site / "layout.css").write_text(layout_css(facts, page_css, argv[3]), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
