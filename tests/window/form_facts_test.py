# SPDX-License-Identifier: MIT
"""The form reader on forms made for the purpose: texts that a C++ literal must escape, and forms
it must refuse rather than build half a table from."""

import re
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "window"))
import form_facts  # noqa: E402

FORM = """<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><class>TmainForm</class>
 <widget class="QWidget" name="mainForm">
  <property name="geometry"><rect><x>7</x><y>9</y><width>100</width><height>50</height></rect></property>
  {font}
  {pages}
  <widget class="qzd::viewer::Frame" name="{name}">
   <property name="geometry"><rect><x>5</x><y>6</y><width>90</width><height>40</height></rect></property>
   <widget class="qzd::viewer::Caption" name="Text">
    <property name="geometry"><rect><x>1</x><y>2</y><width>3</width><height>4</height></rect></property>
    <property name="text"><string>{text}</string></property>
    <property name="visible"><bool>false</bool></property>
   </widget>
  </widget>
 </widget>
 <tabstops><tabstop>{tabstop}</tabstop></tabstops>
</ui>
"""


FONT = """<property name="fontFamily" stdset="0"><string>Face</string></property>
  <property name="fontStandIn" stdset="0"><string>Other Face</string></property>
  <property name="fontPixelSize" stdset="0"><number>12</number></property>"""

PAGE = """<widget class="qzd::viewer::Frame" name="Page{number}">
   <property name="geometry"><rect><x>0</x><y>0</y><width>9</width><height>9</height></rect></property>
   <property name="pageNumber" stdset="0"><number>{number}</number></property>
   <property name="pageName" stdset="0"><string>page{number}</string></property>
  </widget>"""


def read(text="a", tabstop="Box", kind="qzd::viewer::Caption", name="Box", font=FONT,
         pages=(4, 2, 3, 1)):
    form = FORM.format(text=text, tabstop=tabstop, name=name, font=font,
                       pages="".join(PAGE.format(number=n) for n in pages))
    with tempfile.TemporaryDirectory() as folder:
        path = Path(folder) / "form.ui"
        path.write_text(form.replace("qzd::viewer::Caption", kind), encoding="utf-8")
        return form_facts.read_form(path)


def cpp_literal_bytes(literal):
    """The bytes a C++ string literal of plain characters and octal escapes stands for."""
    body = literal[1:-1]
    assert '"' not in re.sub(r"\\[0-7]{3}", "", body), "an unescaped quote ends the literal early"
    out = bytearray()
    for octal, char in re.findall(r"\\([0-7]{3})|(.)", body, re.S):
        out += bytes([int(octal, 8)]) if octal else char.encode("ascii")
    return bytes(out)


class FormFactsTest(unittest.TestCase):
    def test_texts_reach_the_table_byte_for_byte(self):
        text = 'say "hi" \\ ??= № é\t'
        facts = read(text.replace("&", "&amp;").replace("<", "&lt;"))
        element = facts.element("Text")
        self.assertEqual((element.parent, element.window_x, element.window_y), ("Box", 6, 8))
        self.assertFalse(element.visible)
        self.assertEqual(facts.element("Box").tab_order, 0)
        literals = re.findall(r'"(?:[^"\\]|\\[0-7]{3})*"', form_facts.write_cpp(facts))
        self.assertIn(text.encode("utf-8"), [cpp_literal_bytes(lit) for lit in literals])

    def test_the_window_its_font_and_its_pages(self):
        facts = read()
        self.assertEqual((facts.x, facts.y, facts.width, facts.height), (7, 9, 100, 50))
        self.assertEqual((facts.font_family, facts.font_stand_in, facts.font_pixel_size),
                         ("Face", "Other Face", 12))
        self.assertEqual([(p.number, p.name, p.frame) for p in facts.pages],
                         [(n, f"page{n}", f"Page{n}") for n in (1, 2, 3, 4)])

    def test_a_form_it_does_not_understand_is_refused(self):
        for bad in (
            {"kind": "QLabel"},
            {"tabstop": "Missing"},
            {"name": "Box-1", "tabstop": "Box-1"},  # not a name the code can spell
            {"name": "delete", "tabstop": "delete"},
            {"font": ""},
            {"pages": (1, 2, 4)},
        ):
            with self.subTest(bad=bad), self.assertRaises(ValueError):
                read(**bad)

    def test_style_sheets_say_only_what_every_edition_draws(self):
        self.assertEqual(form_facts.read_style_sheet(" font-size: 13px; color: palette(highlight);"),
                         form_facts.Style(13, "highlight"))
        self.assertEqual(form_facts.read_style_sheet(""), form_facts.Style())
        for bad in ("font-size: 13pt", "color: red", "QLabel { color: red }", "font-weight: bold"):
            with self.subTest(bad=bad), self.assertRaises(ValueError):
                form_facts.read_style_sheet(bad)


if __name__ == "__main__":
    unittest.main()
