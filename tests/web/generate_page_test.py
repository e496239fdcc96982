# SPDX-License-Identifier: MIT
"""The page follows the form alone: a copy of the form with another title and window font gives a
page with that title and that font, and nothing else of the page changes."""

import re
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "web"))
import generate_page  # noqa: E402

FORM = ROOT / "window" / "form" / "main_window.ui"
FONT = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"


def page_of(form_text):
    with tempfile.TemporaryDirectory() as folder:
        form = Path(folder) / "form.ui"
        form.write_text(form_text, encoding="utf-8")
        site = Path(folder) / "site"
        generate_page.main(["generate_page.py", str(form), str(site), FONT])
        return (site / "index.html").read_text(), (site / "layout.css").read_text()


class GeneratePageTest(unittest.TestCase):
    def test_title_and_font_come_from_the_form(self):
        original = FORM.read_text(encoding="utf-8")
        pixels = 'name="fontPixelSize" stdset="0"><number>{}<'
        changed = original.replace(
            "<string>Tarnell QZ Model data viewer</string>", "<string>A &amp; B</string>"
        ).replace(pixels.format(11), pixels.format(14))
        self.assertNotEqual(changed, original)
        html, css = page_of(original)
        new_html, new_css = page_of(changed)
        self.assertIn("<title>Tarnell QZ Model data viewer</title>", html)
        self.assertIn("<title>A &amp; B</title>", new_html)
        self.assertIn('font: 11px/13px "Liberation Sans"', css)
        self.assertIn('font: 14px/16px "Liberation Sans"', new_css)
        # Nothing else moves.
        def strip(text):
            return re.sub(r"<title>.*</title>|<h1[^>]*>.*</h1>|aria-label=\"[^\"]*\"|font: [^;]*;", "", text)

        self.assertEqual(strip(html), strip(new_html))
        self.assertEqual(strip(css), strip(new_css))


if __name__ == "__main__":
    unittest.main()
