"""The page's own font, in each of its weights, holds a glyph for every character the
window can show (the layout dump's list, taken from the table and the logic's texts), and
little else; the bold file is a bold face.

usage: font_coverage_test.py LAYOUT_JSON REGULAR_WOFF2 BOLD_WOFF2
"""
import json
import sys
import unittest

from fontTools.ttLib import TTFont

LAYOUT, REGULAR, BOLD = sys.argv.pop(1), sys.argv.pop(1), sys.argv.pop(1)


class FontCoverage(unittest.TestCase):
    def test_every_character_the_window_shows_has_its_glyph_in_each_weight(self):
        with open(LAYOUT, encoding="utf-8") as layout:
            characters = set(json.load(layout)["characters"])
        self.assertIn("＋", characters)
        self.assertIn("确", characters, "the message's button")
        for path, weight in ((REGULAR, 400), (BOLD, 700)):
            with self.subTest(weight=weight):
                font = TTFont(path)
                cmap = font.getBestCmap()
                missing = sorted(c for c in characters
                                 if c != " " and cmap.get(ord(c)) in (None, ".notdef"))
                self.assertEqual(missing, [])
                self.assertEqual(font["OS/2"].usWeightClass, weight)
                # A subset: the characters and little more, not the 60 000 of the whole face.
                self.assertLess(len(font.getGlyphOrder()), 2 * len(characters) + 10)

if __name__ == "__main__":
    unittest.main(verbosity=2)
