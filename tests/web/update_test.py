"""The hosted folder as a school's server holds it, in Debian's headless Chromium: an
update is kept whole or not at all, and touches only this copy's caches; the server's
configuration for IIS; the folder's page opened from a disk.

A second version is made as a release would make it, without compiling: the bundler run
again (its arguments as the build left them) over edited copies of the page's script and
of both parts of the WebAssembly build, so that every hash in it is consistent.

usage: update_test.py BUILD_DIR  (BUILD_DIR holds site/ and web/bundle.arguments)
"""
import hashlib
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.request
from xml.etree import ElementTree

sys.path.insert(0, str(pathlib.Path(__file__).parent))
import cdp  # noqa: E402
import probe  # noqa: E402

BUILD = pathlib.Path(sys.argv.pop(1) if len(sys.argv) > 1 else "build-web").resolve()
BUNDLER = pathlib.Path(__file__).resolve().parents[2] / "packaging" / "web" / "bundle.py"
# A custom section ("v2", holding "B"): the module another version, unchanged in what it does.
CUSTOM_SECTION = b"\x00\x04\x02v2B"
DAY = 24 * 3600


def second_version(folder):
    """The site as the next release: the page's script and the WebAssembly build edited."""
    arguments = (BUILD / "web" / "bundle.arguments").read_text(encoding="utf-8").split("\n")
    edited = {}
    for option in ("--page-js", "--module", "--module-wasm"):
        original = pathlib.Path(arguments[arguments.index(option) + 1])
        copy = folder / "inputs" / original.name
        copy.parent.mkdir(parents=True, exist_ok=True)
        copy.write_bytes(original.read_bytes() + (
            CUSTOM_SECTION if original.suffix == ".wasm" else b"\n// the next release\n"))
        edited[option] = copy
    site = folder / "site"
    subprocess.run([sys.executable, str(BUNDLER), *filter(None, arguments),
                    *(str(x) for option, copy in edited.items() for x in (option, copy)),
                    "--single", str(folder / "zelkor.html"), "--site", str(site)],
                   check=True, timeout=120)
    return site


def upload(source, target, names=None, age_days=0):
    """Copies the named files (all by default), dated age_days ago."""
    target.mkdir(parents=True, exist_ok=True)
    for path in sorted(source.iterdir()):
        if names is None or path.name in names:
            shutil.copy(path, target / path.name)
            stamp = time.time() - age_days * DAY
            os.utime(target / path.name, (stamp, stamp))


class Host:
    """A server root on 127.0.0.1 holding copies of the site in folders of their own,
    answering as a plain static host: Last-Modified and no Cache-Control."""

    def __init__(self):
        self.root = pathlib.Path(tempfile.mkdtemp(prefix="zelkor-host-"))
        # A page of the server's own, outside every copy: a window on the origin that
        # keeps no copy's version in use.
        (self.root / "blank.html").write_text("<!DOCTYPE html><title>-</title>\n")
        self.served = probe.Served(self.root)

    def folder(self, name):
        return self.root / name

    def url(self, name):
        return f"{self.served.url}{name}/"

    def close(self):
        self.served.close()
        shutil.rmtree(self.root, ignore_errors=True)


KEPT = """caches.keys().then(names => Promise.all(names.map(name => caches.open(name)
  .then(cache => cache.keys()).then(requests => Promise.all(requests.map(request =>
    caches.match(request, {cacheName: name}).then(r => r.arrayBuffer())
      .then(body => crypto.subtle.digest('SHA-256', body))
      .then(d => [request.url, Array.from(new Uint8Array(d),
                  b => b.toString(16).padStart(2, '0')).join('')]))))
  .then(entries => [name, entries]))))"""

SETTLED = """navigator.serviceWorker.getRegistration().then(r => r.update().then(() => r, () => r))
  .then(r => new Promise(done => { const seen = () => r.installing ? setTimeout(seen, 20)
                                                                  : done(true); seen(); }))"""


class HostedUpdates(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.browser = cdp.Browser()
        cls.scratch = pathlib.Path(tempfile.mkdtemp(prefix="zelkor-release-"))
        cls.first = BUILD / "site"
        cls.next = second_version(cls.scratch)

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        shutil.rmtree(cls.scratch, ignore_errors=True)

    def setUp(self):
        self.host = Host()
        self.page = None

    def tearDown(self):
        self.close()
        self.host.close()

    def close(self):
        if self.page is not None:
            self.browser.call("Target.closeTarget", targetId=self.page.target)
            self.page = None

    def open(self, name):
        """A pupil opens the page (the tab stays open until close())."""
        self.close()
        self.page = self.browser.new_page(1280, 1024)
        self.page.open(self.host.url(name))

    def open_and_close(self, name):
        """Opens the page, lets the browser look for an update as an open does, and
        closes it again: a new version takes over once no page runs the old one, which
        is waited for from a page outside the copy."""
        self.open(name)
        self.page.evaluate(SETTLED, True)
        self.close()
        self.page = self.browser.new_page(1280, 1024)
        self.page.call("Page.navigate", url=self.host.served.url + "blank.html")
        self.page.wait_for("document.readyState === 'complete'", "the server's own page")
        waiting = f"navigator.serviceWorker.getRegistration('{self.host.url(name)}')" \
                  ".then(r => !!r.waiting)"
        probe.Probe().wait_until(lambda: not self.page.evaluate(waiting, True),
                                 "the waiting version taking over")
        self.close()

    def kept(self):
        """{cache name: {address: SHA-256 of the body}} on this origin, read from a page."""
        return {name: dict(entries) for name, entries in self.page.evaluate(KEPT, True)}

    def files_of(self, name, folder):
        """{address: SHA-256} of the files a copy under name keeps of a folder: all but
        the worker and the server's configuration; the folder's own address is its page."""
        digest = {p.name: hashlib.sha256(p.read_bytes()).hexdigest() for p in folder.iterdir()
                  if p.name not in ("sw.js", "web.config")}
        return {self.host.url(name) + file: sha for file, sha in digest.items()} | {
            self.host.url(name): digest["index.html"]}

    def copy_of(self, name):
        """This copy's caches, by name, each holding only addresses under its folder."""
        return {cache: files for cache, files in self.kept().items()
                if all(url.startswith(self.host.url(name)) for url in files)}

    def assert_serves(self, name, version):
        """The page now open runs the drill, and its files are the version's."""
        self.assertEqual(self.page.evaluate("fetch('page.js').then(r => r.text())", True),
                         (version / "page.js").read_text(encoding="utf-8"))
        shows_a_problem(self.page)

    def assert_kept_whole(self, name, version=None):
        """This copy keeps one cache, holding the version (by default: what is hosted)."""
        if self.page is None:
            self.open(name)
        caches = self.copy_of(name)
        self.assertEqual(len(caches), 1, caches.keys())
        self.assertEqual(next(iter(caches.values())),
                         self.files_of(name, version or self.host.folder(name)))

    def test_an_update_is_kept_whole_and_only_this_copys_caches_change(self):
        with self.subTest(case="a partial upload, then the rest"):
            upload(self.first, self.host.folder("a"))
            self.open_and_close("a")
            upload(self.next, self.host.folder("a"),
                   names={p.name for p in self.next.iterdir()} - {"zelkor.wasm"})
            self.open("a")  # during the upload: the first version, whole
            self.assert_serves("a", self.first)
            self.page.evaluate(SETTLED, True)  # the next version's install fails
            self.assert_kept_whole("a", self.first)
            self.close()
            upload(self.next, self.host.folder("a"), names={"zelkor.wasm"})
            self.open_and_close("a")
            self.assert_kept_whole("a")
            self.assert_serves("a", self.next)
            self.close()
            self.host.close()
            self.host = Host()

        with self.subTest(case="old files in the browser's HTTP cache"):
            upload(self.first, self.host.folder("a"), age_days=30)
            self.open_and_close("a")
            self.open("a")  # its files again, now from the HTTP cache too
            self.close()
            upload(self.next, self.host.folder("a"))
            self.open_and_close("a")
            self.assert_kept_whole("a")
            self.close()
            self.host.close()
            self.host = Host()

        with self.subTest(case="a second copy and another application on the server"):
            for name in ("a", "b"):
                upload(self.first, self.host.folder(name))
                self.open_and_close(name)
            self.open("b")
            self.page.evaluate("caches.open('other-app-data').then(c => c.put("
                               "'/other/data.json', new Response('{}'))).then(() => true)", True)
            second = self.copy_of("b")
            self.close()
            upload(self.next, self.host.folder("a"))
            self.open_and_close("a")
            self.assert_kept_whole("a")
            self.assertEqual(self.copy_of("b"), second)
            self.assertIn("other-app-data", self.kept())


class TheSiteFolder(unittest.TestCase):
    def test_web_config_gives_iis_the_types_and_the_policy_the_test_server_sends(self):
        config = ElementTree.parse(BUILD / "site" / "web.config").getroot()
        content = list(config.iter("staticContent"))[0]
        for removal, mapping in zip(content[::2], content[1::2]):
            self.assertEqual((removal.tag, mapping.tag), ("remove", "mimeMap"))
            self.assertEqual(removal.get("fileExtension"), mapping.get("fileExtension"))
        types, headers = probe.site_configuration(BUILD / "site")
        # Each as Debian's media-types registers it, independent of the bundler.
        registered = {}
        for line in pathlib.Path("/etc/mime.types").read_text().splitlines():
            if line and not line.startswith("#"):
                mime, *extensions = line.split()
                registered.update({"." + e: mime for e in extensions})
        self.assertEqual(types, {e: registered[e] for e in (".wasm", ".webmanifest", ".woff2")})
        served = probe.Served(BUILD / "site")
        try:
            for extension, mime in types.items():
                with self.subTest(extension=extension):
                    name = next(p.name for p in (BUILD / "site").iterdir()
                                if p.suffix == extension)
                    with urllib.request.urlopen(served.url + name, timeout=30) as answer:
                        self.assertEqual(answer.headers["Content-Type"], mime)
                        self.assertIn("frame-ancestors 'self'",
                                      answer.headers["Content-Security-Policy"])
        finally:
            served.close()
        self.assertEqual(headers["Content-Security-Policy"].split("; frame-ancestors")[0],
                         policy_of(BUILD / "site" / "index.html"))

    def test_the_folders_page_opened_from_a_disk_runs_the_drill(self):
        with cdp.Browser() as browser:
            page = browser.new_page(1280, 1024)
            page.open((BUILD / "site" / "index.html").as_uri())
            self.assertEqual(page.evaluate(
                "Array.from(document.scripts, s => s.getAttribute('src')).filter(s => s)"),
                ["notice.js", "page.js", "zelkor-plain.js"])
            shows_a_problem(page)


def shows_a_problem(page):
    """A run of one problem a second: its flash stays long enough to be seen."""
    window = probe.WebProbe(page)
    window.type_into("Text1", "1")
    window.type_into("Text2", "1")
    window.click("Command1")
    page.wait_for("document.querySelector('[data-design=\"Label1\"]').hidden === false",
                  "a problem shown")


def policy_of(index):
    text = index.read_text(encoding="utf-8")
    start = text.index('http-equiv="Content-Security-Policy" content="') + 46
    return text[start:text.index('"', start)]


if __name__ == "__main__":
    unittest.main(verbosity=2)
