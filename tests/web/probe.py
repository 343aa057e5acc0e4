"""What a window test needs of a front end, and the browser page's answer to it.

A Probe finds a control by its design name and reads it as a user meets it (its place
in window pixels, its caption, what a screen reader calls it, whether it shows), and
acts as a user does: a click, typing, a key. The conformance suite (conformance.py) is
written against this interface alone.
"""
import dataclasses
import functools
import http.server
import json
import pathlib
import threading
import time
from xml.etree import ElementTree


@dataclasses.dataclass
class Control:
    place: tuple        # left, top, width, height in window pixels
    caption: str        # what it shows ("" for none)
    spoken: str         # what a screen reader calls it: its own text, or its name
    visible: bool
    font_pixels: float
    bold: bool


class Probe:
    def control(self, name): raise NotImplementedError
    def click(self, name): raise NotImplementedError
    def type_into(self, name, text): raise NotImplementedError
    def press(self, key, shift=False): raise NotImplementedError
    def focused(self): raise NotImplementedError
    def checked(self, name): raise NotImplementedError   # a type box's tick
    def message(self): raise NotImplementedError        # (title, text, button) or None
    def click_message_button(self): raise NotImplementedError
    def announcements(self): raise NotImplementedError

    def wait_until(self, condition, what, timeout=20.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = condition()
            if value:
                return value
            time.sleep(0.02)
        raise TimeoutError(f"{what}: not within {timeout} s")


KEYS = {  # key, code, Windows virtual-key code, text
    "Space": (" ", "Space", 32, " "),
    "Enter": ("Enter", "Enter", 13, "\r"),
    "Tab": ("Tab", "Tab", 9, ""),
    "Escape": ("Escape", "Escape", 27, ""),
}
SHIFT = 8

# A control's text as a screen reader reads it: the visible and the screen-reader-only,
# less what is hidden from screen readers (e is the control).
READ_TEXT = ("(() => { let read = ''; const walk = document.createTreeWalker(e, NodeFilter.SHOW_TEXT);"
             " while (walk.nextNode()) if (!walk.currentNode.parentElement.closest("
             "'[aria-hidden=\"true\"]')) read += walk.currentNode.textContent; return read; })()")

READ_CONTROL = """(name => {
  const e = document.querySelector(`[data-design="${name}"]`);
  const origin = document.getElementById('window').getBoundingClientRect();
  const r = e.getBoundingClientRect();
  const part = (s) => e.querySelector(s);
  let caption = e.textContent;
  if (e.matches('input')) caption = e.value;
  else if (e.matches('.label')) caption = part('.text').textContent;
  else if (e.matches('.frame')) caption = part('.frame-caption').textContent;
  const style = getComputedStyle(e);
  return {place: [r.left - origin.left, r.top - origin.top, r.width, r.height],
          caption, visible: !e.hidden && r.width > 0,
          fontPixels: parseFloat(style.fontSize), bold: style.fontWeight === '700'};
})"""


# Injected before the page's own scripts (Page.addScriptToEvaluateOnNewDocument): notes
# each announcement as it is added to the live region, as a screen reader hears it: the
# texts of each new node (one batch) in order, with the batch's number.
HEARD_SCRIPT = """window.__heard = [];
let batches = 0;
new MutationObserver(changes => {
  for (const change of changes) {
    if (change.target.id !== 'announcer') continue;
    for (const node of change.addedNodes) {
      if (node.nodeType !== Node.ELEMENT_NODE) continue;
      batches += 1;
      for (const span of node.querySelectorAll('span'))
        window.__heard.push({text: span.textContent, batch: batches});
    }
  }
}).observe(document, {childList: true, subtree: true});"""


class WebProbe(Probe):
    """The page in headless Chromium, driven with real input events (cdp.Page)."""

    def __init__(self, page):
        self.page = page

    def _selector(self, name):
        return f'[data-design="{name}"]'

    def _rect(self, name):
        return self.page.evaluate(
            f"document.querySelector('{self._selector(name)}').getBoundingClientRect().toJSON()")

    def control(self, name):
        c = self.page.evaluate(f"{READ_CONTROL}({json.dumps(name)})")
        return Control(tuple(c["place"]), c["caption"], self.spoken(name), c["visible"],
                       c["fontPixels"], c["bold"])

    def spoken(self, name):
        """The name and text a screen reader meets in the accessibility tree: Chromium's
        own, where the page is driven over the DevTools protocol; elsewhere the name the
        page gives (aria-label) or else the text it does not hide from screen readers."""
        if not getattr(self.page, "devtools", False):
            return self.page.evaluate(
                f"(e => e.getAttribute('aria-label') || {READ_TEXT})"
                f"(document.querySelector('{self._selector(name)}'))")
        document = self.page.call("DOM.getDocument", depth=0)["root"]["nodeId"]
        node = self.page.call("DOM.querySelector", nodeId=document,
                              selector=self._selector(name))["nodeId"]
        tree = self.page.call("Accessibility.getPartialAXTree", nodeId=node,
                              fetchRelatives=False)["nodes"]
        own = tree[0].get("name", {}).get("value", "") if tree else ""
        if own:
            return own
        # A plain label is read by its text, the visible and the screen-reader-only, less
        # what is hidden from screen readers.
        return self.page.evaluate(
            f"(e => {READ_TEXT})(document.querySelector('{self._selector(name)}'))")

    def click(self, name):
        r = self._rect(name)
        self.page.click_at(r["x"] + r["width"] / 2, r["y"] + r["height"] / 2)

    def tap(self, name):
        r = self._rect(name)
        self.page.tap_at(r["x"] + r["width"] / 2, r["y"] + r["height"] / 2)

    def type_into(self, name, text):
        self.click(name)
        self.page.evaluate("document.activeElement.select()")
        self.page.key("Delete", "Delete", 46)
        if text:
            self.page.type_text(text)

    def press(self, key, shift=False):
        k, code, virtual, text = KEYS[key]
        self.page.key(k, code, virtual, text, SHIFT if shift else 0)

    def focused(self):
        return self.page.evaluate(
            "(() => { const e = document.activeElement;"
            " const c = e && e.closest('[data-design]'); return c ? c.dataset.design : null; })()")

    def checked(self, name):
        return self.page.evaluate(f"document.querySelector('{self._selector(name)} input').checked")

    def click_message_button(self):
        r = self.page.evaluate(
            "document.querySelector('.message .message-button').getBoundingClientRect().toJSON()")
        self.page.click_at(r["x"] + r["width"] / 2, r["y"] + r["height"] / 2)

    def message(self):
        seen = self.page.evaluate(
            "(() => { const d = document.querySelector('.message');"
            " if (!d || !(d.tagName === 'DIALOG' ? d.open : !d.hidden)) return null;"
            " return [d.querySelector('.message-title').textContent,"
            "         d.querySelector('.message-text').textContent,"
            "         d.querySelector('.message-button').textContent]; })()")
        return tuple(seen) if seen else None

    def announcements(self):
        return self.page.evaluate("window.__heard.map(h => h.text)")

    def announcement_batches(self):
        """The batch (live-region node) each announcement came in, by number."""
        return self.page.evaluate(
            "window.__heard.map(h => h.batch)")


def fit(layout, width, height):
    """The factor the window is shrunk by to fit a viewport."""
    window_width, window_height = layout["window"]
    return min(1.0, width / window_width, height / window_height)


def site_configuration(folder):
    """What the folder's web.config asks of a server (IIS reads it): {extension: type}
    and {header: value}; none where the folder has no web.config."""
    config = pathlib.Path(folder) / "web.config"
    if not config.exists():
        return {}, {}
    root = ElementTree.parse(config).getroot()
    types = {m.get("fileExtension"): m.get("mimeType") for m in root.iter("mimeMap")}
    headers = {h.get("name"): h.get("value")
               for added in root.iter("customHeaders") for h in added.iter("add")}
    return types, headers


class Served:
    """The site folder on 127.0.0.1, on a port of its own, as a static host serves it:
    with the types and headers its web.config asks for, as IIS would send them."""

    def __init__(self, folder, handler_class=None):
        """handler_class: a QuietHandler, or a partial of one with its own arguments."""
        types, headers = site_configuration(folder)
        made = functools.partial(handler_class or QuietHandler)
        base = made.func

        class Configured(base):
            extensions_map = {**base.extensions_map, **types}

            def end_headers(self):
                for name, value in headers.items():
                    self.send_header(name, value)
                super().end_headers()
        handler = functools.partial(Configured, *made.args, directory=str(folder),
                                    **made.keywords)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript"}

    def log_message(self, *args):
        pass
