"""Drives the program under Orca and checks what Orca speaks, from its debug log.

Started by orca_speech.sh inside a private D-Bus session, with DISPLAY, HOME and
SPEECHD_ADDRESS set. Argument 1: the program; argument 2: a working folder.

The drill, as a blind pupil would meet it:
  1. a run of 3 problems at 1 s: each problem is spoken with its place (第N道);
  2. 式题: Orca's flat review reads the sheet's problems, in order;
  3. the space bar on 停止: the stopwatch's reading is spoken;
  4. 式题 again, then 答案: the reading is spoken, and flat review reads the answers.
Exit status 0 when all held. The spoken lines go to spoken.txt in the working folder.
"""
import datetime
import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

from atspi_tree import find_application, walk  # noqa: E402

PROGRAM, WORK = sys.argv[1], sys.argv[2]
ORCA_LOG = os.path.join(WORK, "orca.log")
# One line per utterance: its time of day, "SPEECH OUTPUT: 'text'" and, after the
# quote, the voice. Orca writes its log in blocks, so it is read once Orca has ended,
# and each step of the drill is matched to what was spoken by the clock.
SPOKEN = re.compile(r"^(\d\d):(\d\d):(\d\d\.\d+) - SPEECH OUTPUT: '(.*)'(?:\[?\{.*\}\]?|\s.*)?$",
                    re.MULTILINE)
RUN_COUNT = 3
failures = []


def check(condition, message):
    print(("ok   " if condition else "FAIL ") + message, flush=True)
    if not condition:
        failures.append(message)


def spawn(*command, log=None):
    out = open(os.path.join(WORK, log), "w") if log else subprocess.DEVNULL
    return subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT)


def stop(process, seconds=5):
    process.terminate()
    try:
        process.wait(seconds)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def wait_for(what, predicate, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    raise SystemExit(f"FAIL gave up after {seconds} s waiting for {what}")


def now():
    """The time of day in seconds, as Orca's log gives it."""
    t = datetime.datetime.now()
    return t.hour * 3600 + t.minute * 60 + t.second + t.microsecond / 1e6


def spoken_lines():
    """Everything Orca spoke, as (time of day in seconds, text)."""
    try:
        with open(ORCA_LOG, encoding="utf-8", errors="replace") as log:
            return [(int(m[1]) * 3600 + int(m[2]) * 60 + float(m[3]), m[4])
                    for m in SPOKEN.finditer(log.read())]
    except FileNotFoundError:
        return []


def spoken_between(begin, end):
    return [text for at, text in spoken_lines() if begin <= at < end]


def spoken_during(seen, step):
    """What Orca spoke from the step's start until the next step's: on a loaded
    machine Orca may speak a step's words after the step's own wait."""
    starts = sorted(at for at, _ in seen["steps"].values())
    begin = seen["steps"][step][0]
    later = [at for at in starts if at > begin]
    return spoken_between(begin, later[0] if later else float("inf"))


def settle(seconds):
    """Lets Orca catch up with the program's events."""
    time.sleep(seconds)


def by_name(app, role, name):
    for node in walk(app):
        if node.get_role() == role and node.get_name() == name:
            return node
    raise SystemExit(f"FAIL no {role.value_nick} named {name}")


def press(button):
    Atspi.Action.do_action(button, 0)


def label_names(app, pattern):
    """The names of the program's labels that match pattern: a label's name is its
    text whenever it has one."""
    return [n.get_name() for n in walk(app)
            if n.get_role() == Atspi.Role.LABEL and re.fullmatch(pattern, n.get_name() or "")]


def stopwatch_reading(app):
    readings = label_names(app, r"\d+:\d+:\d")
    return readings[0] if readings else None


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "50", *names], check=True, timeout=10)


def flat_review(lines=12):
    """Walks Orca's flat review from the window's top, line by line (desktop layout:
    Insert+KP_Home, then KP_Page_Up), and leaves it (KP_Subtract) as a user does: Orca
    keeps its review of the window until then. Returns when it began and ended."""
    begin = now()
    subprocess.run(["xdotool", "keydown", "KP_Insert", "key", "KP_Home", "keyup", "KP_Insert"],
                   check=True, timeout=10)
    settle(0.5)
    for _ in range(lines):
        keys("KP_Page_Up")
        settle(0.3)
    keys("KP_Subtract")
    settle(1)
    return begin, now()


def in_order(texts, lines):
    """Whether each text is spoken, each after the one before it."""
    if not texts:
        return False
    at = 0
    for text in texts:
        found = next((k for k in range(at, len(lines)) if text in lines[k]), None)
        if found is None:
            return False
        at = found
    return True


def main():
    Atspi.set_timeout(5000, 5000)
    services = [
        spawn("/usr/libexec/at-spi-bus-launcher", "--launch-immediately"),
        spawn("speech-dispatcher", "-s", "-t", "0", "-C", os.path.join(WORK, "speechd"),
              "-S", os.path.join(WORK, "speechd.sock"), log="speechd.out"),
    ]
    wait_for("speech-dispatcher's socket", lambda: os.path.exists(os.path.join(WORK, "speechd.sock")))
    orca = spawn("orca", "--replace", "-u", os.path.join(WORK, "orca-prefs"),
                 "--debug-file", ORCA_LOG, log="orca.out")
    wait_for("Orca on the accessibility bus", lambda: find_application("orca"), 60)
    settle(1)

    program = spawn(PROGRAM, log="program.out")
    try:
        app = wait_for("the program on the accessibility bus", lambda: find_application("zelkor"))
        window = wait_for("the program's window", lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", "ZelkorV1.2版"],
            capture_output=True, text=True, timeout=10, env=dict(os.environ, LC_ALL="C.UTF-8")).stdout.split())
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=False, timeout=10)
        settle(1)
        seen = drive(app)
    finally:
        stop(program)
        stop(orca, 20)  # Orca writes the rest of its log as it ends
        for service in reversed(services):
            stop(service)
        with open(os.path.join(WORK, "spoken.txt"), "w", encoding="utf-8") as out:
            out.writelines(f"{at:.3f} {text}\n" for at, text in spoken_lines())
    judge(seen)
    return 1 if failures else 0


def type_into(box, text):
    """Types text into box as a pupil would; tries again while the window is still
    settling its keyboard focus."""
    for _ in range(5):
        Atspi.Component.grab_focus(box)
        settle(0.5)
        keys("ctrl+a", "BackSpace")
        subprocess.run(["xdotool", "type", "--delay", "50", text], check=True, timeout=10)
        settle(0.5)
        if Atspi.Text.get_text(box, 0, -1) == text:
            return
    raise SystemExit(f"FAIL could not type {text} into {box.get_name()}")


def drive(app):
    """Does what a pupil does, and notes what the window showed and when each step
    began and ended."""
    start = by_name(app, Atspi.Role.PUSH_BUTTON, "出题")
    sheet = by_name(app, Atspi.Role.PUSH_BUTTON, "式题")
    answers = by_name(app, Atspi.Role.PUSH_BUTTON, "答案")
    texts = [n for n in walk(app) if n.get_role() == Atspi.Role.TEXT]
    type_into(next(n for n in texts if n.get_name() == "题数"), str(RUN_COUNT))
    type_into(next(n for n in texts if n.get_name() == "间隔"), "1")
    settle(1)
    seen = {"steps": {}}

    # 1. The run: 3 problems, a second apart, then the end tick.
    begin = now()
    press(start)
    settle(RUN_COUNT + 3)
    seen["steps"]["run"] = (begin, now())

    # 2. The sheet holds the run's problems; flat review walks the window.
    press(sheet)
    settle(2)
    seen["problems"] = label_names(app, r".*=")
    seen["steps"]["review of the sheet"] = flat_review()

    # 3. The space bar on 停止 stops the stopwatch.
    Atspi.Component.grab_focus(by_name(app, Atspi.Role.PUSH_BUTTON, "停止"))
    settle(1)
    begin = now()
    keys("space")
    settle(2)
    seen["steps"]["space"] = (begin, now())
    seen["reading after space"] = stopwatch_reading(app)

    # 4. 式题 again, then 答案.
    press(sheet)
    settle(1.5)
    begin = now()
    press(answers)
    settle(2)
    seen["steps"]["答案"] = (begin, now())
    seen["reading after 答案"] = stopwatch_reading(app)
    seen["solved"] = label_names(app, r".*=.+")
    seen["steps"]["review of the answers"] = flat_review()
    return seen


def judge(seen):
    during_run = spoken_during(seen, "run")
    print("spoken during the run:", during_run)
    problems = seen["problems"]
    print("the sheet:", problems)
    check(len(problems) == RUN_COUNT, f"after 式题, the sheet holds {RUN_COUNT} problems")
    for i, problem in enumerate(problems, start=1):
        said = [line for line in during_run if f"第{i}道" in line and problem in line]
        check(bool(said), f"problem {i} ({problem}) was spoken with 第{i}道")
    check(in_order(problems, during_run), "the problems were spoken in the order flashed")

    reviewed = spoken_during(seen, "review of the sheet")
    print("flat review after 式题:", reviewed)
    check(in_order(problems, reviewed), "flat review reads the sheet's problems in order")

    for step in ("space", "答案"):
        reading = seen[f"reading after {step}"]
        said = spoken_during(seen, step)
        print(f"stopwatch {reading}; spoken after {step}:", said)
        check(reading not in (None, "0:0:0"), f"the stopwatch ran until {step}")
        check(any(reading and reading in line for line in said), f"{step} spoke the stopwatch's reading")

    solved = seen["solved"]
    check(len(solved) == RUN_COUNT and all(a.startswith(p) for p, a in zip(problems, solved)),
          "after 答案, each problem's label shows it with its answer")
    reviewed = spoken_during(seen, "review of the answers")
    print("flat review after 答案:", reviewed)
    check(in_order(solved, reviewed), "flat review reads the answers in order")


if __name__ == "__main__":
    sys.exit(main())
