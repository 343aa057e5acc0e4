#!/usr/bin/env python3
"""Screenshots of the browser page in headless Chromium, as the README shows them: the
sheet of a run of 20 with the stopwatch running, on a desktop, a tablet held either
way, a phone held upright and a wide desktop window.

usage: tools/web_screenshots.py [BUILD_DIR [OUT_DIR]]   (defaults: build-web, docs)
"""
import pathlib
import sys
import time

root = pathlib.Path(__file__).resolve().parent.parent
sys.path.insert(0, str(root / "tests" / "web"))
import cdp  # noqa: E402
import probe  # noqa: E402

build = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else root / "build-web").resolve()
out = pathlib.Path(sys.argv[2] if len(sys.argv) > 2 else root / "docs")
VIEWS = {"web-desktop": (1280, 800, False), "web-tablet-landscape": (1024, 768, True),
         "web-tablet-portrait": (768, 1024, True), "web-phone": (390, 844, True),
         "web-wide": (1920, 1080, False)}

with cdp.Browser() as browser:
    for name, (width, height, touch) in VIEWS.items():
        page = browser.new_page(width, height, touch)
        page.open((build / "zelkor.html").as_uri())
        window = probe.WebProbe(page)
        window.type_into("Text1", "20")
        window.click("Command1")
        window.wait_until(lambda: not window.control("Label1").visible, "the run's end")
        window.click("Command3")
        time.sleep(1.25)
        page.screenshot(out / f"{name}.png")
        browser.call("Target.closeTarget", targetId=page.target)
        print(out / f"{name}.png")
