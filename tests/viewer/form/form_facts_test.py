# SPDX-License-Identifier: MIT
"""The form reader on forms made for the purpose: texts that a C++ literal must escape, and forms
it must refuse rather than build half a table from."""

import re
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[3] / "viewer" / "form"))
import form_facts  # noqa: E402

FORM = """<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0"><class>TmainForm</class>
 <widget class="QWidget" name="mainForm">
  <property name="geometry"><rect><x>0</x><y>0</y><width>100</width><height>50</height></rect></property>
  <widget class="qzd::viewer::Frame" name="Box">
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


def read(text="a", tabstop="Box", kind="qzd::viewer::Caption"):
    with tempfile.TemporaryDirectory() as folder:
        path = Path(folder) / "form.ui"
        path.write_text(FORM.format(text=text, tabstop=tabstop).replace(
            "qzd::viewer::Caption", kind), encoding="utf-8")
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

    def test_a_form_it_does_not_understand_is_refused(self):
        with self.assertRaises(ValueError):
            read(kind="QLabel")
        with self.assertRaises(ValueError):
            read(tabstop="Missing")


if __name__ == "__main__":
    unittest.main()
