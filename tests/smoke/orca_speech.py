"""Drives the program under Orca and checks what Orca speaks, from its debug log.

Started by orca_speech.sh inside a private D-Bus session, with DISPLAY, HOME, the locale,
SPEECHD_ADDRESS and ZELKOR_ORCA_PATH (Orca's PATH) set. Argument 1: the program;
argument 2: a working folder.

The drill, as a blind pupil would meet it, with the +, -, x and / types ticked:
  1. the interval box takes the focus: its value is spoken once, whole;
  2. a run of 5 at 0.01 s, then 式题; a run of 5 at 1 s, then 式题: every problem of
     each run is spoken, in order, during the run and again after 式题, in the words the
     program names the sheet's labels with;
  3. Orca's flat review reads the sheet's problems, in order;
  4. the space bar on 停止: the stopwatch's reading is spoken, as a time;
  5. 式题 again, then 答案: the reading, then every answer, in order; flat review reads
     the answers.
Every utterance of a problem, an answer or a reading is heard in Mandarin, without a
switch to another language, and a problem's operator and equals sign as words: the
pupil's espeak-ng voice transcribes them (-x, no sound) within the utterance. The voice
is the one a pupil has: Debian 13's default Mandarin voice; on Debian 12 the Pinyin one,
which the README tells a parent to choose in Orca (the default there reads 加, 等于, 秒
and their like as pinyin spelled in English); the test chooses it as that parent would.
Exit status 0 when all held. The spoken lines go to spoken.txt in the working folder.
"""
import datetime
import json
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
RUN_COUNT = 5
PACES = ("0.01", "1")
TYPES = ("一位数加一位数", "10以内的减法", "表内乘法", "表内除法")  # ＋ － × ÷
# The stopwatch's label is named with its reading said as a time.
READING = r"(\d+分)?\d+点\d秒"
failures = []


def pupils_voice():
    """espeak-ng's voice a pupil hears, and the person to choose in Orca for it (None:
    Orca's default)."""
    with open("/etc/os-release", encoding="utf-8") as release:
        version = re.search(r'^VERSION_ID="?(\d+)', release.read(), re.MULTILINE)
    if version and version[1] == "12":
        return "cmn-latn-pinyin", "Chinese (Mandarin, latin as Pinyin)"
    return "cmn", None


VOICE, PERSON = pupils_voice()


def choose_person(prefs):
    """Orca's settings as a parent leaves them after choosing PERSON in Orca's Voice page:
    the default profile's voice."""
    os.makedirs(prefs, exist_ok=True)
    family = {"name": PERSON, "lang": "zh", "dialect": "", "variant": None}
    voices = {kind: {} for kind in ("default", "uppercase", "hyperlink", "system")}
    voices["default"] = {"established": True, "family": family}
    settings = {"general": {}, "pronunciations": {}, "keybindings": {},
                "profiles": {"default": {"profile": ["Default", "default"], "voices": voices}}}
    with open(os.path.join(prefs, "user-settings.conf"), "w", encoding="utf-8") as out:
        json.dump(settings, out)


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
    readings = label_names(app, READING)
    return readings[0] if readings else None


def sheet_names(app):
    """The sheet's labels as a screen reader names them: each problem (or answer) with
    its place, in the program's own words."""
    return label_names(app, r"第\d+道，.*")


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


def start_services():
    """The accessibility bus, speech-dispatcher and Orca, with its log at ORCA_LOG."""
    Atspi.set_timeout(5000, 5000)
    services = [
        spawn("/usr/libexec/at-spi-bus-launcher", "--launch-immediately"),
        spawn("speech-dispatcher", "-s", "-t", "0", "-C", os.path.join(WORK, "speechd"),
              "-S", os.path.join(WORK, "speechd.sock"), log="speechd.out"),
    ]
    wait_for("speech-dispatcher's socket", lambda: os.path.exists(os.path.join(WORK, "speechd.sock")))
    prefs = os.path.join(WORK, "orca-prefs")
    if PERSON:
        choose_person(prefs)
    # No --replace, which kills every other Orca of the user: this one looks only in its
    # own process session for others (orca_speech.sh).
    orca = subprocess.Popen(
        ["orca", "-u", prefs, "--debug-file", ORCA_LOG],
        stdout=open(os.path.join(WORK, "orca.out"), "w"), stderr=subprocess.STDOUT,
        start_new_session=True, env=dict(os.environ, PATH=os.environ["ZELKOR_ORCA_PATH"]))
    wait_for("Orca on the accessibility bus", lambda: find_application("orca"), 60)
    settle(1)
    return services, orca


def stop_services(services, orca):
    stop(orca, 20)  # Orca writes the rest of its log as it ends
    for service in reversed(services):
        stop(service)
    with open(os.path.join(WORK, "spoken.txt"), "w", encoding="utf-8") as out:
        out.writelines(f"{at:.3f} {text}\n" for at, text in spoken_lines())


def spoken_reading_of(reading):
    """The stopwatch's reading (m:s:t) as the program names it: "1分8点9秒", "8点9秒"."""
    minutes, seconds, tenths = reading.split(":")
    return ("" if minutes == "0" else minutes + "分") + f"{seconds}点{tenths}秒"


def main():
    services, orca = start_services()
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
        stop_services(services, orca)
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


def step(seen, name, action, seconds):
    """Does action, lets Orca speak for seconds, and notes when the step began and ended."""
    begin = now()
    action()
    settle(seconds)
    seen["steps"][name] = (begin, now())


def drive(app):
    """Does what a pupil does, and notes what the window showed and when each step
    began and ended."""
    start = by_name(app, Atspi.Role.PUSH_BUTTON, "出题")
    sheet = by_name(app, Atspi.Role.PUSH_BUTTON, "式题")
    answers = by_name(app, Atspi.Role.PUSH_BUTTON, "答案")
    for name in TYPES:
        press(by_name(app, Atspi.Role.CHECK_BOX, name))
    texts = [n for n in walk(app) if n.get_role() == Atspi.Role.TEXT]
    interval = next(n for n in texts if n.get_name() == "间隔")
    type_into(next(n for n in texts if n.get_name() == "题数"), str(RUN_COUNT))
    seen = {"steps": {}}

    # 1. The focus comes to the interval box.
    Atspi.Component.grab_focus(by_name(app, Atspi.Role.PUSH_BUTTON, "停止"))
    settle(1)
    seen["interval"] = Atspi.Text.get_text(interval, 0, -1)
    step(seen, "focus on the interval box", lambda: Atspi.Component.grab_focus(interval), 2)

    # 2. Two runs, each followed by 式题.
    for pace in PACES:
        type_into(interval, pace)
        settle(1)
        step(seen, f"run at {pace} s", lambda: press(start), RUN_COUNT * float(pace) + 3)
        step(seen, f"式题 after the run at {pace} s", lambda: press(sheet), 3)
        seen[f"problems at {pace} s"] = sheet_names(app)

    # 3. Flat review walks the window.
    seen["steps"]["review of the sheet"] = flat_review()

    # 4. The space bar on 停止 stops the stopwatch.
    Atspi.Component.grab_focus(by_name(app, Atspi.Role.PUSH_BUTTON, "停止"))
    settle(1)
    step(seen, "space", lambda: keys("space"), 2)
    seen["reading after space"] = stopwatch_reading(app)

    # 5. 式题 again, then 答案.
    press(sheet)
    settle(3)
    step(seen, "答案", lambda: press(answers), 4)
    seen["reading after 答案"] = stopwatch_reading(app)
    seen["solved"] = sheet_names(app)
    seen["steps"]["review of the answers"] = flat_review()
    return seen


def transcription(text):
    """The pupil's voice's transcription of text, as espeak-ng gives it."""
    return subprocess.run(["espeak-ng", "-v", VOICE, "-x", "-q", text], capture_output=True,
                          text=True, timeout=30).stdout


# espeak-ng marks a switch of language, such as "(en)", in its transcription.
LANGUAGE_SWITCH = re.compile(r"\([a-z-]+\)")


def phonemes(text):
    """The transcription without stress, tone or pause marks, which change with the
    neighbours."""
    return re.sub(r"[\d'_|,\s]", "", transcription(text))


OPERATION = re.compile(r"第\d+道，(\d+)(\D+)(\d+)(\D+)(\d*)$")


def heard_in_words(announcement, line):
    """Whether espeak-ng says the operator and the equals sign of announcement (a
    problem as the program names it) as words, within line (what Orca spoke)."""
    parts = OPERATION.match(announcement)
    if not parts:
        return False
    whole = phonemes(line)
    for word in (parts[2], parts[4]):
        if not all("\u4e00" <= c <= "\u9fff" for c in word):
            return False  # a glyph, dropped or read in English
        sound = phonemes(word)
        if not sound or sound not in whole:
            return False
    return True


def judge(seen):
    # Only while the focus came: what follows is the test typing into the box.
    said = spoken_between(*seen["steps"]["focus on the interval box"])
    value = seen["interval"]
    print(f"spoken as the focus came to the interval box ({value!r}):", said)
    whole = [line for line in said if value in line]
    check(len(whole) == 1, f"the interval box's value {value} is spoken once, whole")

    for pace in PACES:
        problems = seen[f"problems at {pace} s"]
        print(f"the sheet after the run at {pace} s:", problems)
        check(len(problems) == RUN_COUNT, f"after 式题, the sheet holds {RUN_COUNT} problems")
        for name in (f"run at {pace} s", f"式题 after the run at {pace} s"):
            lines = spoken_during(seen, name)
            print(f"spoken during the {name}:", lines)
            check(in_order(problems, lines), f"{name}: every problem spoken, in order")
            check_words(problems, lines, name)

    reviewed = spoken_during(seen, "review of the sheet")
    print("flat review after 式题:", reviewed)
    check(in_order(seen[f"problems at {PACES[-1]} s"], reviewed),
          "flat review reads the sheet's problems in order, in words")

    for step_name in ("space", "答案"):
        reading = seen[f"reading after {step_name}"]
        said = spoken_during(seen, step_name)
        print(f"stopwatch {reading}; spoken after {step_name}:", said)
        check(reading not in (None, "0点0秒"), f"the stopwatch ran until {step_name}")
        check(any(reading and reading in line for line in said),
              f"{step_name} spoke the stopwatch's reading as a time")
        heard = transcription(reading or "")
        print(f"the reading {reading} in the voice {VOICE}: {heard.strip()}")
        check(reading and not LANGUAGE_SWITCH.search(heard),
              f"{step_name}: the reading is heard in Mandarin")
    if PERSON:
        with open(ORCA_LOG, encoding="utf-8", errors="replace") as log:
            check(PERSON in log.read(), f"Orca speaks with the person chosen: {PERSON}")

    solved = seen["solved"]
    problems = seen[f"problems at {PACES[-1]} s"]
    check(len(solved) == RUN_COUNT and all(a.startswith(p) for p, a in zip(problems, solved)),
          "after 答案, each problem's label has it with its answer")
    said = spoken_during(seen, "答案")
    reading = seen["reading after 答案"] or ""
    check(in_order([reading] + solved, said), "答案: the reading, then every answer, in order")
    check_words(solved, said, "答案")
    reviewed = spoken_during(seen, "review of the answers")
    print("flat review after 答案:", reviewed)
    check(in_order(solved, reviewed), "flat review reads the answers in order")


def check_words(announcements, lines, step_name):
    for announcement in announcements:
        line = next((line for line in lines if announcement in line), None)
        heard = transcription(line or "")
        check(line is not None and not LANGUAGE_SWITCH.search(heard),
              f"{step_name}: {announcement} is heard in Mandarin ({VOICE}: {heard.strip()})")
        check(line is not None and heard_in_words(announcement, line),
              f"{step_name}: espeak-ng says {announcement}'s operator and equals sign as words")


if __name__ == "__main__":
    sys.exit(main())
