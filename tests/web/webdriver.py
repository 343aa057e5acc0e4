"""Firefox over WebDriver BiDi and WebKitGTK over WebDriver (WebKitWebDriver), each as
one browser window on the display, with the same page calls as cdp.Page: evaluate,
wait_for, open, click_at, key, type_text, screenshot.

Every wait has a bound: a browser that never listens, a call that gets no answer, a
page that never loads each fail after a set time, saying what they waited for.
"""
import base64
import contextlib
import json
import os
import pathlib
import select
import shutil
import socket
import subprocess
import tempfile
import time
import urllib.request

import websocket

CALL_TIMEOUT = 30.0
# WebDriver's key values for the keys the tests press (the rest are their characters).
KEY_VALUES = {"Tab": "\ue004", "Enter": "\ue007", "Escape": "\ue00c", "Delete": "\ue017",
              "Backspace": "\ue003"}
MODIFIER_VALUES = {2: "\ue009", 8: "\ue008"}  # Ctrl, Shift, as CDP numbers them


@contextlib.contextmanager
def private_display(screen="1600x1300x24"):
    """A private Xvfb for the length of a with block; yields the environment that points
    at it (DISPLAY), for browsers that open windows."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", screen,
                             "-nolisten", "tcp", "-noreset"], pass_fds=(write,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    try:
        if not select.select([read], [], [], 10)[0]:
            raise RuntimeError("Xvfb did not start within 10 s")
        number = os.read(read, 16).decode().strip()
        yield dict(os.environ, DISPLAY=f":{number}")
    finally:
        os.close(read)
        xvfb.terminate()
        xvfb.wait(timeout=10)


def end(process):
    """Ends a browser or driver process, killing it if it will not go."""
    process.terminate()
    try:
        process.wait(timeout=15)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout=10)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def until(what, attempt, timeout=30.0):
    deadline = time.monotonic() + timeout
    while True:
        try:
            return attempt()
        except (OSError, websocket.WebSocketException):
            if time.monotonic() > deadline:
                raise RuntimeError(f"{what}: not within {timeout} s") from None
            time.sleep(0.1)


def focus_window(title, environment=None):
    """Gives the browser's window the focus as a user does, with a real click inside its
    (blank) page: the test's display has no window manager to give it, and an unfocused
    Firefox presses no focused button on Space or Enter."""
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", title],
                           capture_output=True, text=True, timeout=30, env=environment).stdout
    for window in found.split()[:1]:
        subprocess.run(["xdotool", "mousemove", "--window", window, "--sync", "400", "400",
                        "click", "1"], timeout=30, env=environment, check=False)


class Window:
    """The calls common to both protocols, over _script, _navigate, _perform, _resize
    and _screenshot (the viewport as a base64 PNG), which each protocol gives."""

    def screenshot(self, path):
        pathlib.Path(path).write_bytes(self.screenshot_png())

    def screenshot_png(self):
        return base64.b64decode(self._screenshot())

    def evaluate(self, expression, await_promise=False):
        # The value crosses as JSON: both protocols then hand back one string.
        text = self._script(f"return (async () => JSON.stringify(await ({expression})))()")
        return None if text is None else json.loads(text)

    def wait_for(self, expression, what, timeout=20.0, interval=0.02):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = self.evaluate(expression)
            if value:
                return value
            time.sleep(interval)
        raise TimeoutError(f"{what}: not within {timeout} s")

    def open(self, url):
        self._navigate(url)
        self.wait_for("document.readyState === 'complete' && document.body &&"
                      " document.body.classList.contains('ready')", f"{url} ready")

    def resize(self, width, height):
        self._resize(width, height)
        inner = self.evaluate("[window.innerWidth, window.innerHeight]")
        if inner != [width, height]:
            raise RuntimeError(f"the viewport is {inner}, not {width} x {height}")

    # Real input events, as a user makes them.
    def click_at(self, x, y):
        self._perform([{"type": "pointer", "id": "mouse", "parameters": {"pointerType": "mouse"},
                        "actions": [{"type": "pointerMove", "x": round(x), "y": round(y)},
                                    {"type": "pointerDown", "button": 0},
                                    {"type": "pointerUp", "button": 0}]}])

    def key(self, key, code=None, key_code=None, text="", modifiers=0):
        value = KEY_VALUES.get(key, key)
        held = [MODIFIER_VALUES[m] for m in MODIFIER_VALUES if modifiers & m]
        strokes = ([{"type": "keyDown", "value": m} for m in held] +
                   [{"type": "keyDown", "value": value}, {"type": "keyUp", "value": value}] +
                   [{"type": "keyUp", "value": m} for m in reversed(held)])
        self._perform([{"type": "key", "id": "keyboard", "actions": strokes}])

    def type_text(self, text):
        strokes = []
        for c in text:
            strokes += [{"type": "keyDown", "value": c}, {"type": "keyUp", "value": c}]
        self._perform([{"type": "key", "id": "keyboard", "actions": strokes}])


class Firefox(Window):
    """Debian's Firefox ESR in a window, over WebDriver BiDi on its remote port."""

    name = "Firefox"

    def __init__(self, environment=None):
        self.profile = tempfile.mkdtemp(prefix="zelkor-firefox-")
        prefs = {"browser.shell.checkDefaultBrowser": False,
                 "browser.startup.homepage_override.mstone": "ignore",
                 "browser.aboutwelcome.enabled": False,
                 "datareporting.policy.dataSubmissionEnabled": False,
                 "toolkit.telemetry.reportingpolicy.firstRun": False,
                 "app.update.disabledForTesting": True,
                 "browser.translations.automaticallyPopup": False}
        (pathlib.Path(self.profile) / "user.js").write_text(
            "".join(f"user_pref({json.dumps(k)}, {json.dumps(v)});\n" for k, v in prefs.items()))
        port = free_port()
        self.process = subprocess.Popen(
            ["firefox-esr", "--no-remote", "--profile", self.profile,
             "--remote-debugging-port", str(port), "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=environment)
        self.socket = until("Firefox's WebDriver BiDi port", lambda: websocket.create_connection(
            f"ws://127.0.0.1:{port}/session", timeout=CALL_TIMEOUT, suppress_origin=True))
        self.next_id = 0
        self.call("session.new", capabilities={})
        self.context = self.call("browsingContext.getTree")["contexts"][0]["context"]
        focus_window("Mozilla Firefox", environment)

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        deadline = time.monotonic() + CALL_TIMEOUT
        while time.monotonic() < deadline:
            reply = json.loads(self.socket.recv())
            if reply.get("id") == self.next_id:
                if reply.get("type") == "error":
                    raise RuntimeError(f"{method}: {reply.get('error')}: {reply.get('message')}")
                return reply.get("result", {})
        raise TimeoutError(f"no answer to {method} within {CALL_TIMEOUT} s")

    def _script(self, body):
        result = self.call("script.callFunction", functionDeclaration=f"() => {{ {body} }}",
                           awaitPromise=True, target={"context": self.context})
        if result.get("type") == "exception":
            raise RuntimeError(f"{body}: {result['exceptionDetails'].get('text')}")
        value = result["result"]
        return value.get("value") if value.get("type") == "string" else None

    # Until the load event, as the other drivers wait; "none" returns at once.
    navigation_wait = "complete"

    def _navigate(self, url):
        self.call("browsingContext.navigate", context=self.context, url=url,
                  wait=self.navigation_wait)

    def _perform(self, actions):
        self.call("input.performActions", context=self.context, actions=actions)
        self.call("input.releaseActions", context=self.context)

    def _resize(self, width, height):
        self.call("browsingContext.setViewport", context=self.context,
                  viewport={"width": width, "height": height})

    def _screenshot(self):
        return self.call("browsingContext.captureScreenshot", context=self.context)["data"]

    def close(self):
        try:
            self.socket.close()
        finally:
            end(self.process)
            shutil.rmtree(self.profile, ignore_errors=True)


class WebKit(Window):
    """WebKitGTK's MiniBrowser in a window, through WebKitWebDriver."""

    name = "WebKit"

    @staticmethod
    def browser():
        """WebKitGTK's MiniBrowser, wherever this release's WebKitGTK keeps it."""
        found = sorted(pathlib.Path("/usr/lib").glob("*/webkit*gtk*/MiniBrowser"))
        if not found:
            raise RuntimeError("no WebKitGTK MiniBrowser under /usr/lib")
        return str(found[-1])

    def __init__(self, environment=None):
        port = free_port()
        self.process = subprocess.Popen(["WebKitWebDriver", f"--port={port}"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        env=environment)
        self.base = f"http://127.0.0.1:{port}"
        until("WebKitWebDriver's port", lambda: self._request("GET", "/status"))
        options = {"binary": self.browser(), "args": ["--automation"]}
        session = self._request("POST", "/session", {"capabilities": {"alwaysMatch": {
            "webkitgtk:browserOptions": options}}})
        self.session = f"/session/{session['sessionId']}"
        # WebKitGTK's version, as (major, minor).
        self.version = tuple(int(part) for part in
                             session["capabilities"]["browserVersion"].split(".")[:2])

    def _request(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=CALL_TIMEOUT) as reply:
                return json.loads(reply.read() or b"{}").get("value")
        except urllib.error.HTTPError as error:
            raise RuntimeError(f"{method} {path}: {error.read().decode()}") from None

    def _script(self, body):
        return self._request("POST", f"{self.session}/execute/sync", {"script": body, "args": []})

    def _navigate(self, url):
        self._request("POST", f"{self.session}/url", {"url": url})

    def _perform(self, actions):
        self._request("POST", f"{self.session}/actions", {"actions": actions})
        self._request("DELETE", f"{self.session}/actions")

    def _resize(self, width, height):
        # The window's size holds its toolbar too: set, measure the viewport, set again.
        rect = {"width": width, "height": height}
        for _ in range(10):
            self._request("POST", f"{self.session}/window/rect", rect)
            time.sleep(0.05)  # the window takes its size a moment after answering
            inner = self.evaluate("[window.innerWidth, window.innerHeight]")
            if inner == [width, height]:
                return
            rect = {"width": rect["width"] + width - inner[0],
                    "height": rect["height"] + height - inner[1]}

    def _screenshot(self):
        return self._request("GET", f"{self.session}/screenshot")

    def close(self):
        try:
            self._request("DELETE", self.session)
        except (OSError, RuntimeError):
            pass
        finally:
            end(self.process)
