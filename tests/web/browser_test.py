"""The browser page in Debian's headless Chromium: the window conformance suite at three
viewport sizes, and what only a page has to get right (the single file from disk, the
hosted folder offline, no request elsewhere, nothing kept, the hidden tab, the fonts,
touch, turning a tablet).

usage: browser_test.py BUILD_DIR  (BUILD_DIR holds zelkor.html, site/ and web/layout.json)
"""
import json
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import unittest

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import cdp  # noqa: E402
import conformance  # noqa: E402
import probe  # noqa: E402

BUILD = pathlib.Path(sys.argv.pop(1) if len(sys.argv) > 1 else "build-web").resolve()
LAYOUT = json.loads((BUILD / "web" / "layout.json").read_text(encoding="utf-8"))
SINGLE = (BUILD / "zelkor.html").as_uri()
SCREENSHOTS = os.environ.get("ZELKOR_SCREENSHOTS") and pathlib.Path(os.environ["ZELKOR_SCREENSHOTS"])
WINDOW_WIDTH, WINDOW_HEIGHT = LAYOUT["window"]


def fit(width, height):
    return probe.fit(LAYOUT, width, height)


Served = probe.Served


# The page's own Song face (its two subsets, one family), not one of the system's.
OWN_FACE = {("Noto Serif CJK SC", True)}


def faces_drawn(page):
    """The faces that draw the controls' shown glyphs: (family, whether the page brought
    it). A label's words for screen readers are not shown, and may hold any character."""
    return faces_drawn_for(page, "[data-design]:not(.label), [data-design] > .text")


def faces_drawn_for(page, selector):
    document = page.call("DOM.getDocument", depth=0)["root"]["nodeId"]
    nodes = page.call("DOM.querySelectorAll", nodeId=document, selector=selector)["nodeIds"]
    return {(f["familyName"], f["isCustomFont"]) for node in nodes
            for f in page.call("CSS.getPlatformFontsForNode", nodeId=node)["fonts"]}


class BrowserCase(unittest.TestCase):
    viewport = (1280, 1024)
    url = SINGLE
    browser = None

    @classmethod
    def setUpClass(cls):
        if BrowserCase.browser is None:
            BrowserCase.browser = cdp.Browser()

    def setUp(self):
        self.page = self.browser.new_page(*self.viewport)
        self.page.call("Page.addScriptToEvaluateOnNewDocument", source=(
            "window.__violations = []; document.addEventListener('securitypolicyviolation',"
            " (e) => window.__violations.push(e.violatedDirective + ' ' + e.blockedURI));"))
        self.page.call("Page.addScriptToEvaluateOnNewDocument", source=probe.HEARD_SCRIPT)
        self.browser.events.clear()
        self.page.open(self.url)
        self.probe = probe.WebProbe(self.page)
        self.layout = LAYOUT
        self.scale = fit(*self.viewport)

    def tearDown(self):
        self.assertEqual(self.page.evaluate("window.__violations"), [],
                         "the Content-Security-Policy blocked something")
        self.browser.call("Target.closeTarget", targetId=self.page.target)


def window_at(width, height):
    return conformance.window_at(BrowserCase, width, height)


WindowAt1280x1024 = window_at(1280, 1024)
WindowAt1024x768 = window_at(1024, 768)
WindowAt768x1024 = window_at(768, 1024)


class Page(conformance.WindowHelpers, BrowserCase):
    def requests(self):
        return [e["request"]["url"] for e in self.page.events("Network.requestWillBeSent")]

    def test_the_single_file_asks_for_nothing_but_itself_and_keeps_nothing(self):
        self.probe.type_into("Text1", "3")
        self.run_problems(3)
        self.probe.click("Command3")
        # The loader reads its inline module as a data: URL.
        asked = {url for url in self.requests() if not url.startswith("data:")}
        self.assertEqual(asked, {SINGLE})
        self.assertEqual(self.page.evaluate("document.cookie"), "")
        self.assertEqual(self.page.evaluate("localStorage.length + sessionStorage.length"), 0)
        self.assertEqual(self.page.evaluate("indexedDB.databases().then(d => d.length)", True), 0)

    def test_the_document_is_chinese_titled_and_light_on_a_dark_system(self):
        self.assertEqual(self.page.evaluate("document.documentElement.lang"), "zh-CN")
        self.assertEqual(self.page.evaluate("document.title"), LAYOUT["title"])
        self.page.call("Emulation.setEmulatedMedia",
                       features=[{"name": "prefers-color-scheme", "value": "dark"}])
        colours = self.page.evaluate(
            "[getComputedStyle(document.getElementById('window')).backgroundColor,"
            " getComputedStyle(document.querySelector('[data-design=\"Text1\"]')).color]")
        self.assertEqual(colours, ["rgb(240, 240, 240)", "rgb(0, 0, 0)"])

    def test_every_glyph_is_drawn_in_the_pages_own_song_face(self):
        self.assertEqual(faces_drawn(self.page), OWN_FACE)

    def test_the_live_region_says_each_problem_in_order_and_a_repeated_text_again(self):
        self.assertEqual(self.page.evaluate(
            "document.getElementById('announcer').getAttribute('aria-live')"), "polite")
        for runs in (1, 2):
            self.run_problems(2)
            self.probe.wait_until(lambda: len(self.probe.announcements()) == 2 * runs,
                                  f"run {runs} said")
        said = self.probe.announcements()
        for text, place in zip(said, (1, 2, 1, 2)):
            self.assertTrue(text.startswith(self.announced(place, "")), text)
        batches = self.probe.announcement_batches()
        self.assertEqual(batches, sorted(batches))
        self.assertGreater(batches[2], batches[1], "a repeated text comes in a new node")

    def test_a_new_sheet_may_drop_what_the_run_had_unsaid_but_none_of_its_own(self):
        self.run_problems(20, 0.01)
        self.probe.click("Command3")  # at once, the run's last texts perhaps still unsent
        problems = [c.caption for c in self.sheet()]
        sheet = [self.announced(k, p) for k, p in enumerate(problems, start=1)]
        said = self.probe.wait_until(
            lambda: self.probe.announcements()[-20:] == sheet and self.probe.announcements(),
            "the sheet said, in order")
        run = said[:-20]
        self.assertEqual(run, sheet[:len(run)], "what was said of the run is its start, in order")

    def start_the_stopwatch(self):
        """Clicks 式题; the page's clock just before and just after the click."""
        before = self.page.evaluate("performance.now()")
        self.probe.click("Command3")
        return before, self.page.evaluate("performance.now()")

    def assert_reading_kept_the_time(self, started):
        """The stopwatch's reading lies between the time surely passed since the click and
        the time at most passed, less the tenth it has not yet counted; the driver's
        round trips on a busy machine widen the bracket, not the tolerance."""
        before = self.page.evaluate("performance.now()")
        reading = conformance.stopwatch_seconds(self.probe.control("Label8").caption)
        after = self.page.evaluate("performance.now()")
        self.assertGreaterEqual(reading, (before - started[1]) / 1000 - 0.15)
        self.assertLessEqual(reading, (after - started[0]) / 1000)
        return reading

    def test_the_stopwatch_keeps_the_time_that_passed_behind_another_tab(self):
        started = self.start_the_stopwatch()
        other = self.browser.new_page(*self.viewport)
        other.call("Page.bringToFront")
        self.assertEqual(self.page.evaluate("document.visibilityState"), "hidden")
        time.sleep(5)
        self.page.call("Page.bringToFront")
        self.page.wait_for("document.visibilityState === 'visible'", "the page shown again")
        reading = self.assert_reading_kept_the_time(started)
        self.browser.call("Target.closeTarget", targetId=other.target)
        self.assertGreaterEqual(reading, 5)

    def test_the_stopwatch_keeps_the_time_that_passed_while_the_page_was_frozen(self):
        started = self.start_the_stopwatch()
        self.page.call("Page.setWebLifecycleState", state="frozen")
        time.sleep(2)
        self.page.call("Page.setWebLifecycleState", state="active")
        self.page.wait_for("document.querySelector('[data-design=Label8] .text').textContent"
                           ".split(':').reduce((s, part, i) => s + part * [60, 1, 0.1][i], 0)"
                           " >= 2", "the stopwatch counting on from before the freeze")
        self.assertGreaterEqual(self.assert_reading_kept_the_time(started), 2)

    def test_a_screen_reader_reads_the_sheet_in_order(self):
        self.run_problems(20)
        self.probe.click("Command3")
        problems = [c.caption for c in self.sheet()]
        said = [self.announced(k, p) for k, p in enumerate(problems, start=1)]
        # The window alone: the live regions, which hold the same words, emptied.
        self.page.evaluate("document.getElementById('announcer').replaceChildren()")
        tree = self.page.call("Accessibility.getFullAXTree")["nodes"]
        texts = [n.get("name", {}).get("value") for n in tree
                 if n.get("role", {}).get("value") == "StaticText" and not n.get("ignored")]
        # Read in order, in words; the glyphs shown are hidden from the screen reader.
        self.assertEqual([t for t in texts if t in said], said)
        self.assertFalse(set(problems) & set(texts), "a glyph line is read as shown")

    def test_touch_works_as_clicks_do(self):
        self.page.resize(*self.viewport, touch=True)
        self.probe.tap("Check1(6)")
        self.assertTrue(self.probe.checked("Check1(6)"))
        self.probe.type_into("Text1", "3")
        self.probe.tap("Command1")
        self.probe.wait_until(lambda: len(self.probe.announcements()) == 3, "three problems")
        self.assertIn(self.layout["spoken"]["words"]["×"], self.probe.announcements()[0])

    def test_turning_a_tablet_refits_the_window(self):
        for width, height in ((1024, 768), (768, 1024), (1024, 768), (390, 844)):
            with self.subTest(viewport=f"{width}x{height}"):
                self.page.resize(width, height)
                self.scale = fit(width, height)
                stop = next(c for c in LAYOUT["controls"] if c["name"] == "Command4")
                self.page.wait_for(
                    f"document.getElementById('window').getBoundingClientRect().width === "
                    f"{conformance.scaled(WINDOW_WIDTH, self.scale)}", "the window refitted")
                self.assertEqual(self.probe.control("Command4").place,
                                 self.expected_place(stop))
        self.assertEqual(self.page.evaluate(
            "document.querySelector('meta[name=viewport]').content"),
            "width=device-width, initial-scale=1", "pinch zoom stays allowed")

    def test_a_number_box_offers_a_touch_screen_its_number_pad(self):
        for box in ("Text1", "Text2"):
            self.assertEqual(self.page.evaluate(
                f"document.querySelector('[data-design=\"{box}\"]').inputMode"), "decimal")



def turning_suggested(width, height):
    """The page's rule, worked out here again: below half size, and at least 4/3 as
    large with the screen turned."""
    return fit(width, height) < 0.5 and fit(height, width) * 3 >= fit(width, height) * 4


class OnTheScreensFamiliesUse(BrowserCase):
    """Phones and a tablet upright and turned, a laptop and a wide desktop window: the
    window whole, centred, at the fitted scale, and the hint to turn the device exactly
    where turning would show the window much larger. ZELKOR_SCREENSHOTS names a folder
    for a screenshot of each."""
    SIZES = [(360, 640), (390, 844), (412, 915), (768, 1024),
             (640, 360), (844, 390), (915, 412), (1024, 768),
             (1280, 800), (1920, 1080)]

    GEOMETRY = """(() => {
      const box = (id) => { const r = document.getElementById(id).getBoundingClientRect();
                            return [r.left, r.top, r.width, r.height]; };
      const hint = document.getElementById('turn-hint');
      const windowElement = document.getElementById('window');
      return {window: box('window'), hint: box('turn-hint'), hintShown: !hint.hidden,
              hintText: hint.textContent,
              hintFirst: !!(hint.compareDocumentPosition(windowElement) &
                            Node.DOCUMENT_POSITION_FOLLOWING),
              hintLive: !!hint.closest('[aria-live]'),
              hintFits: hint.scrollHeight <= hint.clientHeight + 1};
    })()"""

    def test_the_window_is_whole_centred_and_fitted_and_the_hint_shows_where_turning_helps(self):
        shots = os.environ.get("ZELKOR_SCREENSHOTS")
        for width, height in self.SIZES:
            with self.subTest(viewport=f"{width}x{height}"):
                self.page.resize(width, height, touch=width <= 1024)
                scale = fit(width, height)
                shown_width = conformance.scaled(WINDOW_WIDTH, scale)
                shown_height = conformance.scaled(WINDOW_HEIGHT, scale)
                self.page.wait_for(
                    f"document.getElementById('window').getBoundingClientRect().width === "
                    f"{shown_width}", "the window refitted")
                seen = self.page.evaluate(self.GEOMETRY)
                left, top, shown_w, shown_h = seen["window"]
                self.assertEqual((shown_w, shown_h), (shown_width, shown_height))
                self.assertAlmostEqual(left, (width - shown_width) / 2, delta=1)
                self.assertAlmostEqual(top, (height - shown_height) / 2, delta=1)
                self.assertTrue(left >= 0 and top >= 0 and left + shown_w <= width and
                                top + shown_h <= height, "the window whole")
                self.assertEqual(seen["hintShown"], turning_suggested(width, height))
                if seen["hintShown"]:
                    self.assertEqual(seen["hintText"], LAYOUT["turnHint"])
                    hint_left, hint_top, hint_w, hint_h = seen["hint"]
                    self.assertLessEqual(hint_top + hint_h, top + 1, "above the window")
                    self.assertGreater(hint_h, 0)
                    self.assertTrue(seen["hintFits"], "the hint's text fits its space")
                self.assertTrue(seen["hintFirst"], "the hint comes first in reading order")
                self.assertFalse(seen["hintLive"], "the hint is no announcement")
                if shots:
                    self.page.screenshot(pathlib.Path(shots) / f"web-{width}x{height}.png")


class HostedFolder(conformance.WindowHelpers, BrowserCase):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.served = Served(BUILD / "site")
        cls.url = cls.served.url

    @classmethod
    def tearDownClass(cls):
        cls.served.close()

    def test_the_folder_works_offline_through_its_service_worker(self):
        self.assertTrue(self.page.evaluate(
            "Promise.race([navigator.serviceWorker.ready.then(() => true),"
            " new Promise(done => setTimeout(() => done(false), 20000))])", True),
            "a service worker within 20 s")
        requests = {e["request"]["url"] for e in self.page.events("Network.requestWillBeSent")}
        self.assertTrue(all(url.startswith(self.url) for url in requests), requests)
        manifest = json.loads((BUILD / "site" / "manifest.webmanifest").read_text("utf-8"))
        self.assertIn("口算", manifest["name"])
        kept = self.page.evaluate(
            "caches.keys().then(k => caches.open(k[0])).then(c => c.keys())"
            ".then(r => r.map(x => x.url))", True)
        self.assertTrue(all(url.startswith(self.url) for url in kept))
        self.assertIn(self.url + "zelkor.wasm", kept)
        self.page.call("Network.emulateNetworkConditions", offline=True, latency=0,
                       downloadThroughput=-1, uploadThroughput=-1)
        self.page.open(self.url)
        self.run_problems(3)
        self.probe.wait_until(lambda: len(self.probe.announcements()) == 3, "the run said")



class Restricted(Served):
    """A copy of the site folder as a browser meets it somewhere less kind: its policy
    without the WebAssembly keyword, the drill's builds missing, or held back until
    release() (each a set of file names)."""

    def __init__(self, *, no_wasm_keyword=False, missing=(), held=()):
        self.folder = pathlib.Path(tempfile.mkdtemp(prefix="zelkor-site-"))
        shutil.copytree(BUILD / "site", self.folder, dirs_exist_ok=True)
        for policed in ("index.html", "web.config") if no_wasm_keyword else ():
            path = self.folder / policed
            text = path.read_text(encoding="utf-8")
            assert " 'wasm-unsafe-eval'" in text, f"no WebAssembly keyword in {policed}"
            path.write_text(text.replace(" 'wasm-unsafe-eval'", ""), encoding="utf-8")
        for name in missing:
            (self.folder / name).unlink()
        self.released = threading.Event()
        released, held = self.released, set(held)

        class Handler(probe.QuietHandler):
            def do_GET(self):
                if self.path.lstrip("/") in held:
                    released.wait(60)
                super().do_GET()
        super().__init__(self.folder, Handler)

    def release(self):
        self.released.set()

    def close(self):
        self.release()
        super().close()
        shutil.rmtree(self.folder, ignore_errors=True)


# The page where WebAssembly may not run (removed, as iOS Lockdown Mode does; JIT turned
# off by a browser policy; a policy without its keyword, as Chrome before 97 and Safari
# before 16 read it) and where <dialog> is missing (Safari before 15.4, Firefox before 98).
# Each: the page's own script run first, Chromium's flags, the hosted copy's changes, and
# the build the hosted page must load. The single page has the JavaScript build only.
WITHOUT = {
    "WebAssembly": ("delete window.WebAssembly;", (), {}, "zelkor-plain.js"),
    "JIT": ("", ("--js-flags=--jitless",), {}, "zelkor-plain.js"),
    "wasm keyword": ("", (), {"no_wasm_keyword": True}, "zelkor-plain.js"),
    # A <dialog> made then is an element like any other, as in those browsers.
    "dialog": ("for (const m of ['show', 'showModal', 'close'])"
               " delete HTMLDialogElement.prototype[m]; delete window.HTMLDialogElement;",
               (), {}, "zelkor.js"),
}


class WhereItCanRunLess(conformance.WindowHelpers, unittest.TestCase):
    scale = 1.0
    layout = LAYOUT

    def open(self, browser, url, script):
        self.page = browser.new_page(1280, 1024)
        self.page.call("Page.addScriptToEvaluateOnNewDocument", source=(
            script + " window.__violations = [];"
            " document.addEventListener('securitypolicyviolation',"
            " (e) => window.__violations.push(e.blockedURI));" + probe.HEARD_SCRIPT))
        self.page.open(url)
        self.probe = probe.WebProbe(self.page)

    def use_the_drill(self):
        """The count message, a run, the sheet, the stopwatch and the answers, by real input."""
        self.probe.type_into("Text1", "0")
        self.probe.click("Command1")
        expected = self.layout["message"]
        self.assertEqual(self.probe.message(), (expected["title"], expected["text"],
                                                expected["button"]))
        self.probe.click("Check1(0)")
        self.assertFalse(self.probe.checked("Check1(0)"), "nothing behind the message")
        self.probe.press("Tab")
        self.assertIsNotNone(self.probe.message(), "the focus stays in the message")
        self.probe.press("Escape")
        self.assertIsNone(self.probe.message())
        self.assertEqual(self.probe.focused(), "Command4")
        self.run_problems(5, 0.01)
        self.probe.click("Command3")
        problems = [c.caption for c in self.sheet()[:5]]
        self.probe.wait_until(
            lambda: conformance.stopwatch_seconds(self.probe.control("Label8").caption) >= 0.3,
            "the stopwatch counting")
        self.probe.press("Space")
        reading = self.probe.control("Label8").caption
        self.probe.click("Command2")
        for problem, answer in zip(problems, (c.caption for c in self.sheet()[:5])):
            first, operator, second = conformance.PROBLEM.match(problem).groups()
            self.assertEqual(answer, problem + str(conformance.OPERATIONS[operator](
                int(first), int(second))))
        self.assertEqual(self.probe.control("Label8").caption, reading, "stopped")

    def test_the_drill_runs_from_disk_and_hosted(self):
        for missing, (script, flags, change, build) in WITHOUT.items():
            browser = cdp.Browser(extra_flags=flags)
            served = Restricted(**change)
            try:
                for where, url in (("from disk", SINGLE), ("hosted", served.url)):
                    with self.subTest(without=missing, where=where):
                        self.open(browser, url, script)
                        self.use_the_drill()
                        violations = self.page.evaluate("window.__violations")
                        if where == "hosted":
                            fetched = self.page.evaluate(
                                "performance.getEntriesByType('resource')"
                                ".map(e => e.name.split('/').pop())")
                            builds = [f for f in fetched if f.startswith("zelkor") and
                                      f.endswith((".js", ".wasm"))]
                            self.assertEqual(builds, [build] + (["zelkor.wasm"] * (
                                build == "zelkor.js")))
                        # Hosted, the policy comes as a header too: each refuses once.
                        refused = {"wasm-eval"} if change and where == "hosted" else set()
                        self.assertEqual(set(violations), refused)
            finally:
                served.close()
                browser.close()


class WhereItCannotRun(BrowserCase):
    """Where the window cannot show, the page says why, in its own face, in place of a
    blank page; and takes it back if the window comes after all."""

    def notice(self):
        """The text shown in place of the window, or None."""
        return self.page.evaluate(
            "(() => { const shown = Array.from(document.querySelectorAll('.cannot-run'))"
            ".filter(e => e.getBoundingClientRect().width > 0);"
            " return shown.length ? shown[0].textContent : null; })()")

    def test_scripts_off_a_build_missing_or_held_back(self):
        for case in ("scripts off", "build missing", "build held back"):
            with self.subTest(case=case):
                served = Restricted(missing=("zelkor.js", "zelkor-plain.js")
                                    if case == "build missing" else (),
                                    held=("zelkor.js", "zelkor-plain.js")
                                    if case == "build held back" else ())
                try:
                    self.page.call("Emulation.setScriptExecutionDisabled",
                                   value=case == "scripts off")
                    self.page.call("Page.navigate",
                                   url=SINGLE if case == "scripts off" else served.url)
                    began = time.monotonic()
                    expected = LAYOUT["scriptsOff" if case == "scripts off" else "cannotRun"]
                    self.probe.wait_until(lambda: self.notice() == expected, "the notice",
                                          timeout=15)
                    if case == "build held back":
                        self.assertGreater(time.monotonic() - began, 7, "not before 8 s")
                    self.assertEqual(faces_drawn_for(self.page, ".cannot-run"), OWN_FACE)
                    if SCREENSHOTS:
                        self.page.screenshot(SCREENSHOTS / f"cannot-run-{case.replace(' ', '-')}.png")
                    if case == "build held back":
                        served.release()
                        self.page.wait_for("document.body.classList.contains('ready')",
                                           "the window after all")
                        self.assertIsNone(self.notice())
                finally:
                    self.page.call("Emulation.setScriptExecutionDisabled", value=False)
                    served.close()


class WithoutASongFaceOfItsOwn(unittest.TestCase):
    """On a system with no Song or Ming face, the page's own face draws every text too."""

    def test_every_glyph_comes_from_the_pages_own_font(self):
        # The machine's Latin sans-serif face alone, as on a system without CJK fonts.
        latin = subprocess.run(["fc-match", "-f", "%{file}", "sans-serif:lang=en"],
                               capture_output=True, text=True, check=True, timeout=30).stdout
        self.assertNotIn("arphic", latin)
        with tempfile.TemporaryDirectory() as folder:
            config = pathlib.Path(folder) / "fonts.conf"
            config.write_text("<?xml version='1.0'?><fontconfig>"
                              f"<dir>{pathlib.Path(latin).parent}</dir>"
                              f"<cachedir>{folder}</cachedir></fontconfig>")
            with cdp.Browser(environment={"FONTCONFIG_FILE": str(config)}) as browser:
                page = browser.new_page(1280, 1024)
                page.open(SINGLE)
                page.evaluate("document.fonts.ready.then(() => true)", True)
                self.assertEqual(faces_drawn(page), OWN_FACE)


if __name__ == "__main__":
    try:
        unittest.main(verbosity=2)
    finally:
        if BrowserCase.browser is not None:
            BrowserCase.browser.close()
