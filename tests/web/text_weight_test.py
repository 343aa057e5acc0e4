"""The page's bold is the same in Chromium, Firefox and WebKitGTK: its own Song face's
real bold, never a bold an engine makes up of the regular its own way. Read on the
screen's pixels where each caption stands, as the page shows it at 1280 x 1024, opened
from disk (the single file, its fonts inline) and hosted (the site folder, its fonts
files of their own):
- every bold caption is drawn the same with the engine's own emboldening forbidden
  (font-synthesis: none), so none was used, and it is bolder than at weight 400;
- regular text is as dark in WebKitGTK as in the other two: the mean of the type boxes'
  stroke pixels (darker than 200; the window is 240) within 15 levels of each's;
- printed for the record, per engine: each bold caption's ink (pixels darker than 110 of
  255) against the same caption at weight 400, and that mean.

usage: text_weight_test.py BUILD_DIR  (with DISPLAY set: browser_session.sh)
"""
import io
import json
import pathlib
import statistics
import sys
import unittest

from PIL import Image

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import cdp  # noqa: E402
import probe  # noqa: E402

BUILD = pathlib.Path(sys.argv.pop(1)).resolve()
LAYOUT = json.loads((BUILD / "web" / "layout.json").read_text(encoding="utf-8"))
SINGLE = (BUILD / "zelkor.html").as_uri()
INK, STROKE = 110, 200
# Bolder, for certain: the real bold carries a third as much ink again or more.
BOLD_TIMES_REGULAR = 1.3
# Two drawings of the same glyphs differ by a grey level or two here and there (an
# engine's own emboldening changes whole strokes by a hundred or more).
SAME_PIXEL = 16
# Regular strokes' means as close as the engines' antialiasing allows. WebKitGTK before
# 2.52 blends text in linear light (WebKit bug 309152, fixed since), which draws it about
# 20 levels lighter than the others do: there the gap may be twice as wide, no wider.
SAME_DARKNESS = 15
LINEAR_BLENDING_DARKNESS = 30

# The controls' shown texts at a weight, once drawn: the rectangle of each text alone
# (not its border, box or tick), in viewport pixels, with a pixel's margin for the
# edges' antialiasing. The focus ring is taken away first: it would count as ink.
TEXTS_AT_WEIGHT = """((names, weight, synthesis) => new Promise(done => {
  document.activeElement.blur();
  window.__styles = [];
  const ranges = names.map(name => {
    const e = document.querySelector(`[data-design="${name}"]`);
    window.__styles.push([e, e.style.fontWeight, e.style.fontSynthesis]);
    if (weight) e.style.fontWeight = weight;
    e.style.fontSynthesis = synthesis;
    const walk = document.createTreeWalker(e, NodeFilter.SHOW_TEXT);
    while (walk.nextNode())
      if (walk.currentNode.textContent.trim() &&
          !walk.currentNode.parentElement.closest('.visually-hidden')) break;
    const range = document.createRange();
    range.selectNodeContents(walk.currentNode);
    return range;
  });
  requestAnimationFrame(() => requestAnimationFrame(() => done(ranges.map(range => {
    const r = range.getBoundingClientRect();
    return [Math.floor(r.left) - 1, Math.floor(r.top) - 1,
            Math.ceil(r.right) + 1, Math.ceil(r.bottom) + 1];
  }))));
}))"""
RESTORE_STYLES = ("(() => { for (const [e, weight, synthesis] of window.__styles)"
                  " [e.style.fontWeight, e.style.fontSynthesis] = [weight, synthesis];"
                  " return true; })()")


def texts_pixels(page, names, weight, synthesis=""):
    """Each caption's pixels at a weight ("" for its own), and with the engine's own
    emboldening allowed ("") or not ("none"), from one screenshot; their styles are
    given back afterwards."""
    boxes = page.evaluate(f"{TEXTS_AT_WEIGHT}({json.dumps(names)}, {json.dumps(weight)},"
                          f" {json.dumps(synthesis)})", await_promise=True)
    image = Image.open(io.BytesIO(page.screenshot_png())).convert("L")
    page.evaluate(RESTORE_STYLES)
    return [list(image.crop(box).getdata()) for box in boxes]


def ink(pixels):
    return sum(1 for p in pixels if p < INK)


def measure(page, url):
    """Each bold caption's pixels as shown, without synthesis, and at weight 400; the
    regular type boxes' stroke pixels."""
    page.resize(1280, 1024)
    page.open(url)
    page.evaluate("document.fonts.ready.then(() => true)", await_promise=True)
    bold = [c["name"] for c in LAYOUT["controls"]
            if c["bold"] and c["caption"].strip() and c["visibleAtStart"]]
    measured = zip(texts_pixels(page, bold, ""), texts_pixels(page, bold, "", "none"),
                   texts_pixels(page, bold, "400"))
    regular = [c["name"] for c in LAYOUT["controls"] if c["kind"] == "typeBox" and not c["bold"]]
    strokes = [p for pixels in texts_pixels(page, regular, "") for p in pixels if p < STROKE]
    return dict(zip(bold, measured)), statistics.mean(strokes)


class TextWeight(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.measured = {}
        cls.webkit_version = None
        served = probe.Served(BUILD / "site")
        try:
            for name, start in cdp.ENGINES.items():
                page = start()
                if name == "WebKit":
                    cls.webkit_version = page.version
                try:
                    for where, url in (("from disk", SINGLE), ("hosted", served.url)):
                        cls.measured[f"{name}, {where}"] = measure(page, url)
                finally:
                    page.close()
        finally:
            served.close()
        for name, (bold, darkness) in cls.measured.items():
            ratios = ", ".join(f"{c} {ink(shown) / max(ink(regular), 1):.2f}"
                               for c, (shown, _, regular) in bold.items())
            print(f"{name}: bold ink / regular ink: {ratios};"
                  f" regular strokes' mean {darkness:.1f}")

    def test_every_bold_caption_is_the_faces_own_bold_and_bolder_than_its_regular(self):
        for engine, (bold, _) in self.measured.items():
            self.assertTrue(bold, "no bold caption measured")
            for control, (shown, unsynthesised, regular) in bold.items():
                with self.subTest(engine=engine, control=control):
                    self.assertEqual(len(shown), len(unsynthesised), "a wider bold")
                    differing = sum(abs(a - b) > SAME_PIXEL for a, b in zip(shown, unsynthesised))
                    self.assertEqual(differing, 0, "the engine made its own bold")
                    self.assertGreater(ink(regular), 0, "no ink at weight 400")
                    self.assertGreaterEqual(ink(shown) / ink(regular), BOLD_TIMES_REGULAR)

    def test_regular_text_is_as_dark_in_webkit_as_in_the_other_engines(self):
        allowed = SAME_DARKNESS if self.webkit_version >= (2, 52) else LINEAR_BLENDING_DARKNESS
        for where in ("from disk", "hosted"):
            webkit = self.measured[f"WebKit, {where}"][1]
            for other in ("Chromium", "Firefox"):
                with self.subTest(where=where, other=other):
                    self.assertLessEqual(abs(webkit - self.measured[f"{other}, {where}"][1]),
                                         allowed, f"WebKitGTK {self.webkit_version}")


if __name__ == "__main__":
    unittest.main(verbosity=2)
