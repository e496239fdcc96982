#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Lays out the browser edition's page from the main window's form.

    generate_page.py FORM SITE_DIR FONT [VERSION]

writes SITE_DIR/index.html (every element of the window, by its element name as id, with its
caption, initial visibility and accessible name; the project's VERSION in its generator tag) and
SITE_DIR/layout.css (every element's place, size and stacking, and the style sheet the form gives
it).
The form is read by window/form_facts.py, the one reader of it; nothing about the window is
written here by hand. What each kind of element looks like is in page.css.
"""

import html
import json
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

# The installed app's manifest, whose description is also the page's.
MANIFEST = json.loads((Path(__file__).parent / "manifest.webmanifest").read_text(encoding="utf-8"))

# The HTML element and class of each kind of element of the form.
KIND_TAGS = {
    "Frame": ("div", "frame"),
    "Caption": ("span", "caption"),
    "DisplayField": ("textarea", "field"),
    "Button": ("button", "button"),
    "PictureBox": ("div", "picture"),
    "Separator": ("div", "separator"),
}


# The scales at which window/assets/hidpi holds every picture as NAME@2x.jpg and so on.
SCREEN_SCALES = (2, 3)


def element_html(facts, element, depth: int) -> list:
    tag, css_class = KIND_TAGS[element.kind]
    attributes = [f'id="{html.escape(element.name)}"', f'class="{css_class}"']
    if not element.visible:
        attributes.append("hidden")
    if element.tab_order < 0 and element.kind in ("DisplayField", "Button"):
        attributes.append('tabindex="-1"')
    caption = html.escape(element.caption)
    # What a screen reader says of the element, as the form tells the desktop's widgets: a
    # picture's name is its image's alternative text, a frame's name defaults to its title.
    name = html.escape(element.accessible_name)
    described = element.accessible_description
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
        # Drawn anew at twice and three times the size for screens of finer pixels.
        source = "pictures/" + element.picture_file
        sharper = ", ".join(f"{source[:-4]}@{s}x.jpg {s}x" for s in SCREEN_SCALES)
        image = [f'src="{source}"', f'srcset="{source} 1x, {sharper}"', f'alt="{name}"']
        image += description
        return [f"{indent}<div {' '.join(attributes)}><img {' '.join(image)}></div>"]
    if element.kind == "Frame":
        lines = [f"{indent}<div {' '.join(attributes)}>"]
        if element.caption:
            lines.append(f'{indent} <span class="frame-title">{caption}</span>')
        for child in document_order(facts, element.name):
            lines += element_html(facts, child, depth + 1)
        lines.append(f"{indent}</div>")
        return lines
    return [f"{indent}<{tag} {' '.join(attributes)}>{caption}</{tag}>"]


def first_tab_stop(facts, element):
    """The place in the focus chain of the first element of `element` and what it encloses, or
    None when none of them takes the focus."""
    stops = [element.tab_order] if element.tab_order >= 0 else []
    stops += [s for c in facts.children(element.name) if (s := first_tab_stop(facts, c)) is not None]
    return min(stops, default=None)


def document_order(facts, parent):
    """A parent's elements in the order of the form's focus chain, which the browser follows in
    document order. Each frame's stops are one run of the chain, so no frame has to be taken
    apart. A caption stands just before the field it names; any other element that takes no focus
    stays behind the element it follows in the form. Places and stacking do not depend on this
    order (layout.css gives each element its place and z-index)."""
    keys, last = [], -1.0
    for child in facts.children(parent):
        key = first_tab_stop(facts, child)
        if key is None and child.label_for and facts.element(child.label_for).tab_order >= 0:
            key = facts.element(child.label_for).tab_order - 0.5
        last = last if key is None else key
        keys.append(last)
    children = facts.children(parent)
    return [children[i] for i in sorted(range(len(children)), key=lambda i: (keys[i], i))]


def style_sheet_css(element, page_css: str) -> str:
    """An element's style in the form as the page's CSS, the desktop's palette roles
    (`palette(highlight)`) as page.css's colours of the same names."""
    declarations = element.style.declarations()
    sheet = "; ".join(declarations) + ";" if declarations else ""

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


# The phone's model sheet: the window's display fields in the window's groups. The fields without
# a frame head the sheet in the order they stand along the window's top; then each frame that holds
# fields, in the window's reading order (down each column of frames, columns left to right), its
# fields in the focus chain's order. The free mixers' fields leave the MIXER frame for a group of
# their own.
FREE_MIXER_FIELD = re.compile(r"fmix\d")
FREE_MIXERS_TITLE = "free mixers"


def sheet_groups(facts):
    """The sheet's groups: (title, elements), the elements being display fields and, in the head
    group, captions that a fill shows or hides on their own."""
    fields = [e for e in facts.elements if e.kind == "DisplayField"]
    head = sorted(
        [e for e in fields if e.parent == facts.name]
        + [e for e in facts.children(facts.name) if e.kind == "Caption" and not e.visible],
        key=lambda e: (e.name != "FilePath", e.kind != "Caption", e.window_x, e.window_y),
    )
    frames = sorted(
        {e.parent for e in fields if e.parent != facts.name},
        key=lambda name: (facts.element(name).window_x, facts.element(name).window_y),
    )
    groups = [("", head)]
    free = []
    for frame in frames:
        members = sorted((e for e in fields if e.parent == frame), key=lambda e: e.tab_order)
        free += [e for e in members if FREE_MIXER_FIELD.match(e.name)]
        groups.append(
            (facts.element(frame).caption, [e for e in members if not FREE_MIXER_FIELD.match(e.name)])
        )
    if free:
        groups.append((FREE_MIXERS_TITLE, free))
    return groups


def sheet_html(facts) -> str:
    """The sheet, every value empty: the program names each field (the label `qzd diff` prints)
    once it is up, and the page copies each text and visibility the window's field takes."""
    load = facts.element("open")
    lines = [
        '<main id="sheet" class="sheet" aria-label="model sheet">',
        f" <h1>{html.escape(facts.title)}</h1>",
        ' <div class="sheet-buttons">',
        f'  <button type="button" id="sheetOpen" class="sheet-load"'
        f' aria-description="{html.escape(load.accessible_description)}">'
        f"{html.escape(load.caption)}</button>",
        '  <button type="button" id="sheetToWindow" class="sheet-switch">window</button>',
        " </div>",
        f' <p class="sheet-hint">{html.escape(MANIFEST["description"])}</p>',
    ]
    for number, (title, members) in enumerate(sheet_groups(facts)):
        heading = f"sheetGroup{number}"
        labelled = f' aria-labelledby="{heading}"' if title else ' aria-label="model"'
        lines.append(f' <section class="sheet-group"{labelled}>')
        if title:
            lines.append(f'  <h2 id="{heading}">{html.escape(title)}</h2>')
        for e in members:
            if e.kind == "Caption":
                hidden = "" if e.visible else " hidden"
                lines.append(
                    f'  <p class="sheet-note" data-of="{e.name}"{hidden}>{html.escape(e.caption)}</p>'
                )
        lines.append("  <dl>")
        for e in members:
            if e.kind == "Caption":
                continue
            hidden = "" if e.visible else " hidden"
            # The path field names itself in the form; the program names the others.
            label = html.escape(e.accessible_name)
            row = "sheet-row sheet-path" if e.name == "FilePath" else "sheet-row"
            lines.append(
                f'   <div class="{row}" data-of="{e.name}"{hidden}><dt>{label}</dt><dd></dd></div>'
            )
        lines.append("  </dl>")
        lines.append(" </section>")
    lines.append("</main>")
    return "\n".join(lines)


PAGE = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="{csp}">
<meta name="viewport" content="width=device-width, initial-scale=1">
<meta name="description" content="{description}">
<meta name="color-scheme" content="light">
{generator}<title>{title}</title>
<link rel="manifest" href="manifest.webmanifest">
<link rel="icon" href="icons/icon-32.png">
<link rel="preload" href="fonts/LiberationSans-Regular-subset.woff2" as="font" type="font/woff2" crossorigin>
<link rel="stylesheet" href="page.css">
<link rel="stylesheet" href="layout.css">
<script src="qzd.js" defer></script>
<script src="page.js" defer></script>
</head>
<body data-window="{window}" data-window-width="{width}">
{sheet}
<p id="printHeader" class="print-header"></p>
<div id="{window}" class="window" role="main" aria-label="{title}">
 <h1 class="window-title">{title}</h1>
{elements}
</div>
<nav id="commands" class="commands" aria-label="commands" hidden></nav>
<p id="announcer" class="announcer" aria-live="polite"></p>
<nav aria-label="views"><button type="button" id="windowToSheet" class="sheet-switch">model sheet</button></nav>
<input type="file" id="FileOpenDlg" accept=".qzd" multiple hidden>
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


def page_html(facts, version=None) -> str:
    elements = []
    for element in document_order(facts, facts.name):
        elements += element_html(facts, element, 1)
    return PAGE.format(
        csp=CONTENT_SECURITY_POLICY,
        description=html.escape(MANIFEST["description"]),
        title=html.escape(facts.title),
        window=html.escape(facts.name),
        elements="\n".join(elements),
        sheet=sheet_html(facts),
        width=facts.width,
        generator=f'<meta name="generator" content="qzd-viewer {html.escape(version)}">\n'
        if version
        else "",
    )


def main(argv) -> int:
    if len(argv) not in (4, 5):
        print("usage: generate_page.py FORM SITE_DIR FONT [VERSION]", file=sys.stderr)
        return 2
    facts = form_facts.read_form(argv[1])
    site = Path(argv[2])
    site.mkdir(parents=True, exist_ok=True)
    version = argv[4] if len(argv) == 5 else None
    (site / "index.html").write_text(page_html(facts, version), encoding="utf-8")
    page_css = (Path(__file__).parent / "page.css").read_text(encoding="utf-8")
    (site / "layout.css").write_text(layout_css(facts, page_css, argv[3]), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
