"""Asks, as a screen reader does over AT-SPI, for the text around every offset of both
number boxes at every boundary. Every query must answer within two seconds with a unit
inside the text, and the program must still answer afterwards. Then reads each box's
attribute runs, which must cover its text (a screen reader builds the line from them),
and writes into it as assistive tools that fill fields do, through EditableText: set,
insert and delete, each seen in the box's text. Exit status 0 when all held."""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

from atspi_tree import find_application, walk  # noqa: E402

Atspi.set_timeout(2000, 2000)
BOUNDARIES = [
    Atspi.TextBoundaryType.CHAR,
    Atspi.TextBoundaryType.WORD_START,
    Atspi.TextBoundaryType.WORD_END,
    Atspi.TextBoundaryType.SENTENCE_START,
    Atspi.TextBoundaryType.SENTENCE_END,
    Atspi.TextBoundaryType.LINE_START,
    Atspi.TextBoundaryType.LINE_END,
]


def wait_for_application(name, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        app = find_application(name)
        if app is not None:
            return app
        time.sleep(0.1)
    return None


def main():
    app = wait_for_application("zelkor")
    if app is None:
        print("FAIL no application named zelkor on the AT-SPI bus")
        return 1
    boxes = [n for n in walk(app) if n.get_role() == Atspi.Role.TEXT]
    names = sorted(box.get_name() for box in boxes)
    print("text boxes:", names)
    failed = 0 if len(boxes) == 2 else 1
    for box in boxes:
        text = Atspi.Text.get_text(box, 0, -1)
        length = Atspi.Text.get_character_count(box)
        answered = 0
        for boundary in BOUNDARIES:
            for offset in range(0, length + 2):
                started = time.time()
                try:
                    unit = Atspi.Text.get_text_at_offset(box, offset, boundary)
                except Exception as error:  # a timeout: the program did not answer
                    print(f"FAIL {box.get_name()} {text!r} {boundary.value_nick} at {offset}: {error}")
                    return 1
                seconds = time.time() - started
                inside = unit.start_offset == -1 or 0 <= unit.start_offset <= unit.end_offset <= length
                if not inside or seconds > 2:
                    print(f"FAIL {box.get_name()} {boundary.value_nick} at {offset}: "
                          f"{unit.content!r} [{unit.start_offset}, {unit.end_offset}) in {seconds:.2f} s")
                    failed = 1
                answered += 1
        print(f"ok   {box.get_name()} {text!r}: {answered} queries answered")
    # Still answering afterwards.
    Atspi.Text.get_text(boxes[0], 0, -1)
    for box in boxes:
        failed |= check_runs(box) | check_writing(box)
    return failed


def check_runs(box):
    """One run of attributes over the whole text, wherever it is asked."""
    length = Atspi.Text.get_character_count(box)
    failed = 0
    for offset in range(0, length + 1):
        _, start, end = Atspi.Text.get_attribute_run(box, offset, True)
        if (start, end) != (0, length):
            print(f"FAIL {box.get_name()} attribute run at {offset}: [{start}, {end}) of {length}")
            failed = 1
    print(f"{'FAIL' if failed else 'ok  '} {box.get_name()}: one attribute run covers the text")
    return failed


def check_writing(box):
    """EditableText's set, insert and delete change the text as typing would."""
    before = Atspi.Text.get_text(box, 0, -1)
    steps = [
        ("set", lambda: Atspi.EditableText.set_text_contents(box, "12"), "12"),
        ("insert", lambda: Atspi.EditableText.insert_text(box, 1, ".5", 2), "1.52"),
        ("delete", lambda: Atspi.EditableText.delete_text(box, 0, 2), "52"),
        ("set back", lambda: Atspi.EditableText.set_text_contents(box, before), before),
    ]
    failed = 0
    for name, step, expected in steps:
        step()
        seen = Atspi.Text.get_text(box, 0, -1)
        ok = seen == expected
        print(f"{'ok  ' if ok else 'FAIL'} {box.get_name()} EditableText {name}: {seen!r}")
        failed |= 0 if ok else 1
    return failed


if __name__ == "__main__":
    sys.exit(main())
