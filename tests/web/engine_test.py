"""The window conformance suite in Firefox (WebDriver BiDi) or WebKitGTK (WebKitWebDriver),
each in a real window on the display, with real input events: the single page from disk
at two viewport sizes, and the hosted folder, online and then offline through its
service worker. Chromium runs the same suite in browser_test.py.

usage: engine_test.py firefox|webkit BUILD_DIR  (with DISPLAY set: browser_session.sh)
"""
import json
import pathlib
import sys
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import conformance  # noqa: E402
import probe  # noqa: E402
import webdriver  # noqa: E402

ENGINES = {"firefox": webdriver.Firefox, "webkit": webdriver.WebKit}
ENGINE = ENGINES[sys.argv.pop(1)]
BUILD = pathlib.Path(sys.argv.pop(1)).resolve()
LAYOUT = json.loads((BUILD / "web" / "layout.json").read_text(encoding="utf-8"))
SINGLE = (BUILD / "zelkor.html").as_uri()

# Run once the page is ready: the announcements from then on, and anything the
# Content-Security-Policy blocks.
WATCH = ("(() => { window.__violations = []; document.addEventListener('securitypolicyviolation',"
         " (e) => window.__violations.push(e.violatedDirective + ' ' + e.blockedURI));"
         f" {probe.HEARD_SCRIPT} return true; }})()")


class EngineCase(unittest.TestCase):
    viewport = (1280, 1024)
    url = SINGLE
    browser = None  # one window for the whole run: starting a browser takes seconds

    @classmethod
    def setUpClass(cls):
        if EngineCase.browser is None:
            EngineCase.browser = ENGINE()

    def setUp(self):
        self.page = self.browser
        self.page.resize(*self.viewport)
        self.page.open(self.url)
        self.page.evaluate(WATCH)
        self.probe = probe.WebProbe(self.page)
        self.layout = LAYOUT
        self.scale = probe.fit(LAYOUT, *self.viewport)

    def tearDown(self):
        self.assertEqual(self.page.evaluate("window.__violations"), [],
                         "the Content-Security-Policy blocked something")


def window_at(width, height):
    return conformance.window_at(EngineCase, width, height, ENGINE.name)


# As designed, and shrunk to a tablet held upright (Chromium also runs 1024 x 768).
WindowAt1280x1024 = window_at(1280, 1024)
WindowAt768x1024 = window_at(768, 1024)


class HostedFolder(conformance.WindowHelpers, EngineCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.served = probe.Served(BUILD / "site")
        cls.url = cls.served.url

    def test_the_folder_works_hosted_and_then_offline_through_its_service_worker(self):
        self.assertTrue(self.page.evaluate(
            "Promise.race([navigator.serviceWorker.ready.then(() => true),"
            " new Promise(done => setTimeout(() => done(false), 20000))])"),
            "a service worker within 20 s")
        self.page.open(self.url)  # a page loaded before its worker ran is not its
        self.page.evaluate(WATCH)
        self.assertTrue(self.page.evaluate("navigator.serviceWorker.controller !== null"))
        self.run_problems(3)
        self.probe.wait_until(lambda: len(self.probe.announcements()) == 3, "the run said")
        self.served.close()  # offline: nothing answers at the address any more
        self.page.open(self.url)
        self.page.evaluate(WATCH)
        self.run_problems(3)
        self.probe.wait_until(lambda: len(self.probe.announcements()) == 3, "the run said offline")


if __name__ == "__main__":
    try:
        unittest.main(verbosity=2)
    finally:
        if EngineCase.browser is not None:
            EngineCase.browser.close()
