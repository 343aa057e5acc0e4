"""The hosted page shows its window only with its face: in Chromium, Firefox and WebKitGTK,
served from a host whose font files come late, the window never shows while either
weight is still missing; and where they never come, it shows all the same.

usage: font_loading_test.py BUILD_DIR  (with DISPLAY set: browser_session.sh)
"""
import functools
import pathlib
import sys
import time
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import cdp  # noqa: E402
import probe  # noqa: E402

SITE = pathlib.Path(sys.argv.pop(1)).resolve() / "site"
LATE_SECONDS = 1.0
# The page waits up to 3 s for its face; a window still hidden well after that is a fault.
SHOWN_WITHIN = 8.0

# Whether the window shows, and whether both weights are there, in one reading.
STATE = ("document.body ? [document.body.classList.contains('ready'),"
         " document.fonts.check('16px \"Zelkor Song\"', '出题') &&"
         " document.fonts.check('bold 16px \"Zelkor Song\"', '出题')] : [false, false]")


class FontsHandler(probe.QuietHandler):
    """The site as a host serves it, but its fonts late (late=True) or never."""

    def __init__(self, *args, late, **kwargs):
        self.late = late
        super().__init__(*args, **kwargs)

    def do_GET(self):
        if self.path.endswith(".woff2"):
            if not self.late:
                self.send_error(404)
                return
            time.sleep(LATE_SECONDS)
        try:
            super().do_GET()
        except (BrokenPipeError, ConnectionResetError):
            pass  # the browser has gone elsewhere meanwhile


def readings_until_shown(page, url):
    """Every reading of the page from navigation until its window shows (from the load
    event on, where the driver's navigation waits for it: WebKitWebDriver's)."""
    page.navigation_wait = "none"  # Firefox's BiDi: read while the page still loads
    page._navigate(url)
    readings = []
    deadline = time.monotonic() + SHOWN_WITHIN
    while time.monotonic() < deadline:
        if page.evaluate("location.href") == url:
            readings.append(page.evaluate(STATE))
            if readings[-1][0]:
                break
        time.sleep(0.01)
    return readings


# WebKitWebDriver answers a navigation only after the load event, which waits for the
# fonts the page asked for: there the first reading may already be the shown window.
READS_WHILE_LOADING = {"Chromium", "Firefox"}


class FontLoading(unittest.TestCase):
    def test_the_window_shows_only_with_its_face_or_once_it_is_given_up(self):
        for engine, start in cdp.ENGINES.items():
            page = start()
            try:
                for late in (True, False):
                    # A host of its own each, so that no service worker of the other
                    # case answers for it.
                    served = probe.Served(SITE, functools.partial(FontsHandler, late=late))
                    try:
                        readings = readings_until_shown(page, served.url)
                    finally:
                        served.close()
                    with self.subTest(engine=engine, fonts="late" if late else "never"):
                        self.assertTrue(readings and readings[-1][0], "the window never showed")
                        if late:
                            self.assertEqual(readings[-1], [True, True],
                                             "shown without its face")
                            if engine in READS_WHILE_LOADING:
                                self.assertGreater(len(readings), 1, "no reading while hidden")
            finally:
                page.close()


if __name__ == "__main__":
    unittest.main(verbosity=2)
