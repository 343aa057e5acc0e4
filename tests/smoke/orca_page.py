"""Drives the browser page in Chromium under Orca and checks what Orca sends to speech.

Started by orca_speech.sh as orca_speech.py is, with the single page instead of the
program. Chromium opens a real window on the test's Xvfb, with its accessibility tree
on, and is driven over the DevTools protocol with real input events:
  1. a run of 20 at 0.01 s: Orca sends 第1道 to 第20道, in order, each once;
  2. 式题: the sheet of 20, likewise;
  3. the space bar on 停止: the stopwatch's reading;
  4. 答案: every answer, in order, each once.
Order and completeness are read from Orca's debug log (what it sent to speech), so the
sound device may stay a null one. Exit status 0 when all held.
"""
import os
import re
import sys

import orca_speech as orca
from orca_speech import check, now, settle, spoken_between, wait_for

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "web"))
import cdp  # noqa: E402

PAGE = os.path.abspath(sys.argv[1])
COUNT = 20


def centre(page, design):
    """The middle of a control, in the page's CSS pixels."""
    r = page.evaluate(f"document.querySelector('[data-design=\"{design}\"]')"
                      ".getBoundingClientRect().toJSON()")
    return r["x"] + r["width"] / 2, r["y"] + r["height"] / 2


def click(page, design):
    page.click_at(*centre(page, design))


def type_into(page, design, text):
    click(page, design)
    page.key("a", "KeyA", 65, modifiers=2)  # Ctrl+A
    page.type_text(text)


def places(lines, final):
    """The problem numbers in the order Orca sent them, from the lines that hold a
    problem with (final) or without its answer."""
    heard = []
    for line in lines:
        for match in re.finditer(r"第(\d+)道，[^第]*", line):
            answered = bool(re.search(r"等于\d", match[0]))
            if answered == final:
                heard.append(int(match[1]))
    return heard


def drive(page):
    steps = {}

    def step(name, action, until, seconds):
        begin = now()
        action()
        wait_for(name, until, 30)
        settle(seconds)  # Orca sends a live region's texts 0.1 s apart
        steps[name] = (begin, now())

    type_into(page, "Text1", str(COUNT))
    type_into(page, "Text2", "0.01")
    settle(2)
    running = "!document.querySelector('[data-design=\"Label7\"]').hidden"
    step("run", lambda: click(page, "Command1"),
         lambda: not page.evaluate(running), 4)
    step("式题", lambda: click(page, "Command3"), lambda: True, 4)
    reading = {}

    def space():
        page.key(" ", "Space", 32, text=" ")
        reading["text"] = page.evaluate(
            "document.querySelector('[data-design=\"Label8\"] .text').textContent")

    step("space", space, lambda: True, 3)
    step("答案", lambda: click(page, "Command2"), lambda: True, 4)
    return steps, reading["text"]


# In Orca's log: a live-region text as it came from Chromium, as Orca queued it for
# speech and as it was spoken, each with its time of day.
TRACE = re.compile(r"^(\d\d:\d\d:\d\d\.\d+) - (?:EVENT MANAGER: (?:Queueing )?(object:\S+)"
                   r"(?: for)? \[paragraph[^(]*\((?:\d+, ?){2}|SPEECH OUTPUT: ')(第\d+道)",
                   re.MULTILINE)


def trace(begin, end):
    """Where each first text of the step went, to tell Chromium's order from Orca's."""
    with open(orca.ORCA_LOG, encoding="utf-8", errors="replace") as log:
        for m in TRACE.finditer(log.read()):
            h, mi, sec = m[1].split(":")
            if begin <= int(h) * 3600 + int(mi) * 60 + float(sec) < end:
                print(f"  {m[1]} {'queued ' if 'Queueing' in m[0] else ''}"
                      f"{m[2] or 'spoken'} {m[3]}")


def judge(steps, reading):
    lines = {name: spoken_between(*span) for name, span in steps.items()}
    for name, final in (("run", False), ("式题", False), ("答案", True)):
        heard = places(lines[name], final)
        print(f"{name}: 第N道 as Orca sent them: {heard}")
        in_order = heard == list(range(1, COUNT + 1))
        check(in_order, f"{name}: 第1道 to 第{COUNT}道 sent in order, each once")
        if not in_order:
            trace(*steps[name])
    spoken_reading = orca.spoken_reading_of(reading)
    print(f"space: the stopwatch shows {reading}; Orca sent: {lines['space']}")
    check(any(spoken_reading in line for line in lines["space"]),
          f"space: the stopwatch's reading {spoken_reading} is sent")


def main():
    services, orca_process = orca.start_services()
    with cdp.Browser(extra_flags=["--force-renderer-accessibility", "--lang=zh-CN",
                                  "--window-size=1100,820"], headless=False) as browser:
        page = browser.new_page(1100, 760)
        try:
            page.open("file://" + PAGE)
            wait_for("Chromium on the accessibility bus",
                     lambda: orca.find_application("chromium") or orca.find_application("Chromium"), 30)
            settle(2)
            steps, reading = drive(page)
        finally:
            orca.stop_services(services, orca_process)
    judge(steps, reading)
    return 1 if orca.failures else 0


if __name__ == "__main__":
    sys.exit(main())
