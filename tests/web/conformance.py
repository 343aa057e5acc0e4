"""What the page's window must do in every browser engine, written against the Probe
interface alone.

Expected values come from the layout table (layout.json, dumped from the C++ table at
build time), never typed again here; the scaling arithmetic is done here on its own.
A test case mixes WindowConformance in and provides self.probe (a fresh window), self.layout and
self.scale (the factor the window is expected to be shrunk by).
"""
import math
import re
import time

# The four operators a problem can show, as a pupil reads them.
OPERATIONS = {"＋": lambda a, b: a + b, "+": lambda a, b: a + b, "－": lambda a, b: a - b,
              "×": lambda a, b: a * b, "÷": lambda a, b: a // b}
PROBLEM = re.compile(r"^(\d+)([＋+－×÷])(\d+)=$")


def scaled(length, scale):
    return math.floor(length * scale + 0.5)


def stopwatch_seconds(reading):
    minutes, seconds, tenths = (int(part) for part in reading.split(":"))
    return minutes * 60 + seconds + tenths / 10


class WindowHelpers:
    """Reading the table and driving the window, for the suite and for front-end tests."""

    def design(self, name):
        return next(c for c in self.layout["controls"] if c["name"] == name)

    def said(self, line):
        """A shown line in the drill's words, each glyph a word."""
        words = self.layout["spoken"]["words"]
        return "".join(words.get(c, c) for c in line)

    def announced(self, place, line):
        """A problem or answer line as the drill announces it, with its place."""
        before, after = self.layout["spoken"]["place"]
        return f"{before}{place}{after}{self.said(line)}"

    def expected_place(self, control):
        """A control at the window's scale: its frame's place and its own, each scaled."""
        left, top, width, height = control["inFrame"]
        place = [scaled(left, self.scale), scaled(top, self.scale),
                 scaled(width, self.scale), scaled(height, self.scale)]
        if control["frame"]:
            frame = self.design(control["frame"])["inFrame"]
            place[0] += scaled(frame[0], self.scale)
            place[1] += scaled(frame[1], self.scale)
        return tuple(place)

    def check_control(self, control, caption):
        with self.subTest(control=control["name"]):
            seen = self.probe.control(control["name"])
            self.assertTrue(seen.visible)
            self.assertEqual(seen.place, self.expected_place(control))
            self.assertEqual(seen.caption, caption)
            self.assertAlmostEqual(seen.font_pixels,
                                   control["points"] * 96 / 72 * self.scale, places=2)
            self.assertEqual(seen.bold, control["bold"])
            if control["spokenName"] and not caption:
                self.assertIn(control["spokenName"], seen.spoken)

    def run_problems(self, count, interval=None):
        """A run as a pupil starts it; returns when its end tick has hidden the flash."""
        self.probe.type_into("Text1", str(count))
        if interval is not None:
            self.probe.type_into("Text2", str(interval))
        self.probe.click("Command1")
        self.probe.wait_until(lambda: not self.probe.control("Label1").visible, "the run's end")

    def sheet(self):
        return [self.probe.control(f"Label6({k})") for k in range(1, 21)]


class WindowConformance(WindowHelpers):

    # -- the window at start ------------------------------------------------------
    def test_every_control_stands_at_its_place_with_its_caption_font_and_name(self):
        for control in self.layout["controls"]:
            if control["visibleAtStart"]:
                self.check_control(control, control["caption"])
            else:
                self.assertFalse(self.probe.control(control["name"]).visible, control["name"])

    def test_the_sheet_and_its_lines_stand_at_their_places(self):
        self.run_problems(20)
        self.probe.click("Command3")
        shown = {c.caption for c in self.sheet()}
        self.assertNotIn("", shown)
        for control in self.layout["controls"]:
            if not control["visibleAtStart"]:
                caption = self.probe.control(control["name"]).caption
                self.check_control(control, caption)

    # -- keyboard -------------------------------------------------------------------
    def test_focus_starts_on_the_first_of_the_focus_order_and_tab_walks_it_round(self):
        order = self.layout["focusOrder"]
        self.assertEqual(self.probe.focused(), order[0])
        walked = []
        for _ in order:
            self.probe.press("Tab")
            walked.append(self.probe.focused())
        self.assertEqual(walked, order[1:] + order[:1])
        back = []
        for _ in order:
            self.probe.press("Tab", shift=True)
            back.append(self.probe.focused())
        self.assertEqual(back, list(reversed(order)))

    def test_space_and_enter_press_the_focused_button(self):
        # 答案 has the focus at start: before any run it shows the lines and no sheet.
        self.probe.press("Space")
        self.assertTrue(self.probe.control("Line1(1)").visible)
        self.assertFalse(any(c.visible for c in self.sheet()))
        self.assertEqual(self.probe.focused(), "Command4")
        order = self.layout["focusOrder"]
        while self.probe.focused() != "Command1":
            self.probe.press("Tab")
        self.probe.press("Enter")
        self.probe.wait_until(lambda: len(self.probe.announcements()) == 5, "five problems")
        self.assertEqual(self.probe.focused(), "Command4", "出题 hands the focus to 停止")
        self.assertIn("Command4", order)

    # -- the count message -----------------------------------------------------------
    def test_a_count_out_of_range_is_refused_with_the_modal_message(self):
        expected = self.layout["message"]
        for typed, close in (("21", "Enter"), ("0", "Space"), ("abc", "click"), ("", "behind")):
            with self.subTest(count=typed, closed_by=close):
                self.probe.type_into("Text1", typed)
                self.probe.click("Command1")
                self.assertEqual(self.probe.message(),
                                 (expected["title"], expected["text"], expected["button"]))
                # Nothing behind the message takes input.
                self.probe.click("Check1(0)")
                self.assertFalse(self.probe.checked("Check1(0)"))
                if close == "click":
                    self.probe.click_message_button()
                elif close == "behind":
                    self.probe.click("Label2")
                    self.probe.press("Enter")
                else:
                    self.probe.press(close)
                self.assertIsNone(self.probe.message())
                self.assertEqual(self.probe.focused(), "Command4")
                self.assertEqual(self.probe.control("Label8").caption, self.layout["stopwatchZero"])

    # -- a run, the sheet, the answers, the stopwatch ------------------------------------
    def test_a_run_of_twenty_flashes_every_problem_and_the_sheet_and_answers_show_them(self):
        self.run_problems(20)
        self.probe.wait_until(lambda: len(self.probe.announcements()) == 20, "the run said")
        self.probe.click("Command3")
        sheet = self.sheet()
        problems = [c.caption for c in sheet]
        for k, (problem, label) in enumerate(zip(problems, sheet), start=1):
            with self.subTest(problem=k):
                self.assertRegex(problem, PROBLEM)
                self.assertEqual(label.spoken, self.announced(k, problem))
        self.probe.wait_until(lambda: len(self.probe.announcements()) == 40, "the sheet said")
        self.probe.click("Command2")
        answers = [c.caption for c in self.sheet()]
        for problem, answer in zip(problems, answers):
            first, operator, second = PROBLEM.match(problem).groups()
            result = OPERATIONS[operator](int(first), int(second))
            self.assertEqual(answer, f"{problem}{result}")
        # Said, in order: the run, the sheet after 式题, the stopwatch's reading and the
        # answers after 答案.
        said = self.probe.wait_until(
            lambda: len(self.probe.announcements()) == 61 and self.probe.announcements(),
            "the answers said")
        expected = [self.announced(k, p) for k, p in enumerate(problems, start=1)] * 2
        self.assertEqual(said[:40], expected)
        self.assertTrue(said[40].endswith("秒"), said[40])
        self.assertEqual(said[41:], [self.announced(k, a) for k, a in enumerate(answers, start=1)])

    def test_a_ticked_type_is_the_only_one_drawn(self):
        self.probe.click("Check1(8)")
        self.assertTrue(self.probe.checked("Check1(8)"))
        self.run_problems(5)
        self.probe.click("Command3")
        for problem in (c.caption for c in self.sheet()[:5]):
            self.assertIn("÷", problem)

    def test_the_stopwatch_counts_tenths_and_the_space_bar_stops_it(self):
        # The clock starts before the click is sent: the page may start the stopwatch
        # well before the driver's reply to the click comes back.
        started = time.monotonic()
        self.probe.click("Command3")
        self.probe.wait_until(lambda: stopwatch_seconds(self.probe.control("Label8").caption) >= 1,
                              "a second on the stopwatch")
        self.probe.press("Space")
        elapsed = time.monotonic() - started
        reading = stopwatch_seconds(self.probe.control("Label8").caption)
        self.assertLessEqual(reading, elapsed + 0.1)
        time.sleep(0.3)
        self.assertEqual(stopwatch_seconds(self.probe.control("Label8").caption), reading,
                         "stopped")

    def test_number_boxes_keep_the_keys_typed_whatever_the_input_method_commits(self):
        for box, committed, kept in (("Text1", "１２", "12"), ("Text2", "０。５", "0.5"),
                                     ("Text2", "０．２５", "0.25"), ("Text1", "２ｅ１", "2e1")):
            with self.subTest(committed=committed):
                self.probe.type_into(box, committed)
                self.assertEqual(self.probe.control(box).caption, kept)


def window_at(case, width, height, engine=""):
    """The suite at one viewport size, on a test case class that opens the page."""
    class Window(WindowConformance, case):
        viewport = (width, height)
    Window.__name__ = Window.__qualname__ = f"{engine}WindowAt{width}x{height}"
    return Window
