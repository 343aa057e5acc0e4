"""A headless Chromium of its own, driven over the DevTools protocol.

Every wait here has a bound: a call that gets no answer, a page that never loads, a
condition that never holds each fail after a set time, saying what they waited for.
"""
import json
import os
import pathlib
import shutil
import subprocess
import tempfile
import time

import websocket

import webdriver

CHROMIUM = "/usr/bin/chromium"
CALL_TIMEOUT = 30.0


class ProtocolError(RuntimeError):
    pass


class Browser:
    """One Chromium with an empty profile, headless unless told to open a window on the
    display; closed on leaving a with block."""

    def __init__(self, extra_flags=(), environment=None, headless=True):
        self.profile = tempfile.mkdtemp(prefix="zelkor-chromium-")
        flags = [CHROMIUM, *(["--headless=new"] if headless else []), "--no-sandbox",
                 "--disable-gpu",
                 "--no-first-run", "--no-default-browser-check",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--disable-features=Translate,MediaRouter",
                 "--force-device-scale-factor=1", "--hide-scrollbars",
                 f"--user-data-dir={self.profile}", "--remote-debugging-port=0",
                 *extra_flags, "about:blank"]
        env = dict(os.environ, **(environment or {}))
        self.process = subprocess.Popen(flags, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, env=env)
        port_file = pathlib.Path(self.profile) / "DevToolsActivePort"
        deadline = time.monotonic() + 30
        while not (port_file.exists() and len(port_file.read_text().splitlines()) >= 2):
            if time.monotonic() > deadline or self.process.poll() is not None:
                self.close()
                raise RuntimeError("Chromium did not open its DevTools port within 30 s")
            time.sleep(0.05)
        port, path = port_file.read_text().splitlines()[:2]
        self.socket = websocket.create_connection(f"ws://127.0.0.1:{port}{path}",
                                                  timeout=CALL_TIMEOUT,
                                                  suppress_origin=True)
        self.next_id = 0
        self.events = []

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        try:
            if getattr(self, "socket", None):
                self.socket.close()
        finally:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(timeout=10)
            shutil.rmtree(self.profile, ignore_errors=True)

    def call(self, method, session=None, **params):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        self.socket.send(json.dumps(message))
        deadline = time.monotonic() + CALL_TIMEOUT
        while time.monotonic() < deadline:
            reply = json.loads(self.socket.recv())
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise ProtocolError(f"{method}: {reply['error']}")
                return reply.get("result", {})
            if "method" in reply:
                self.events.append(reply)
        raise TimeoutError(f"no answer to {method} within {CALL_TIMEOUT} s")

    def new_page(self, width, height, touch=False):
        target = self.call("Target.createTarget", url="about:blank")["targetId"]
        session = self.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        page = Page(self, session, target)
        page.resize(width, height, touch)
        for domain in ("Page", "Runtime", "Network", "DOM", "CSS"):
            self.call(f"{domain}.enable", session)
        return page


class Page(webdriver.Window):
    """A tab, over the DevTools protocol; wait_for and open are webdriver.Window's."""

    devtools = True  # its accessibility tree can be read

    def __init__(self, browser, session, target):
        self.browser = browser
        self.session = session
        self.target = target

    def call(self, method, **params):
        return self.browser.call(method, self.session, **params)

    def events(self, method):
        return [e["params"] for e in self.browser.events
                if e.get("method") == method and e.get("sessionId") == self.session]

    def _navigate(self, url):
        self.call("Page.navigate", url=url)

    def resize(self, width, height, touch=False):
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                  deviceScaleFactor=1, mobile=touch)
        self.call("Emulation.setTouchEmulationEnabled", enabled=touch, maxTouchPoints=5)

    def evaluate(self, expression, await_promise=False):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=await_promise)
        if "exceptionDetails" in result:
            raise ProtocolError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def _screenshot(self):
        return self.call("Page.captureScreenshot", format="png")["data"]

    # Real input events, as a user makes them.
    def click_at(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left",
                      clickCount=1)

    def tap_at(self, x, y):
        self.call("Input.dispatchTouchEvent", type="touchStart",
                  touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def key(self, key, code, key_code, text="", modifiers=0):
        self.call("Input.dispatchKeyEvent", type="keyDown", key=key, code=code,
                  windowsVirtualKeyCode=key_code, text=text, unmodifiedText=text,
                  modifiers=modifiers)
        self.call("Input.dispatchKeyEvent", type="keyUp", key=key, code=code,
                  windowsVirtualKeyCode=key_code, modifiers=modifiers)

    def type_text(self, text):
        self.call("Input.insertText", text=text)


def page_alone(width=1280, height=1024):
    """A tab of a Chromium of its own, which close() ends with its browser: started and
    ended as the WebDriver windows are."""
    browser = Browser()
    page = browser.new_page(width, height)
    page.close = browser.close
    return page


# Each engine's window, by the engine's name, for tests that compare the three.
ENGINES = {"Chromium": page_alone, "Firefox": webdriver.Firefox, "WebKit": webdriver.WebKit}
