#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Qt's own words in the desktop's language, Vorlix's own as they are.

Runs the built player under Xvfb with openbox and an accessibility bus, with
LANGUAGE set to each of a few languages, switches it on and presses Power
again, and reads the close question through AT-SPI: its buttons must speak
the language (Ja/Nein on a German desktop), its question and the player's
buttons stay as Vorlix writes them. Exits 77 (skipped) when a tool or pyatspi
is missing.

Usage: language_e2e.py PLAYER
"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from access_e2e import Session, check, descendants, find, fresh, has, press, pyatspi, wait_until  # noqa: E402

# LANGUAGE, then the close question's buttons in the order they stand.
CASES = [
    ("de", ["Ja", "Nein"]),
    ("fr", ["Oui", "Non"]),
    ("pt_BR:de", ["Sim", "Não"]),
    ("", ["Yes", "No"]),
]


def close_question(s, language):
    s.env["LANGUAGE"] = language
    window = s.launch()
    power = wait_until(lambda: find(window, pyatspi.ROLE_PUSH_BUTTON, "Power"), what="Power")
    play = find(window, pyatspi.ROLE_PUSH_BUTTON, "Play")
    press(power)
    wait_until(lambda: has(play, pyatspi.STATE_ENABLED), what="Power to switch the player on")
    # The press is answered before the question's modal loop starts.
    press(power)
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == s.player.pid)
    box = wait_until(lambda: next(w for w in fresh(app) if w.name == "Vorlix" and has(w, pyatspi.STATE_SHOWING)),
                     what="the close question")
    buttons = wait_until(lambda: [b for b in descendants(box) if b.getRole() == pyatspi.ROLE_PUSH_BUTTON],
                         what="its buttons")
    texts = [a.name for a in descendants(box) if a.getRole() == pyatspi.ROLE_LABEL and a.name]
    ours = sorted(b.name for b in descendants(window) if b.getRole() == pyatspi.ROLE_PUSH_BUTTON)
    # Left to right, as a reader sees them.
    names = [b.name for b in sorted(buttons, key=lambda b: b.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)[0])]
    return names, texts, ours


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with tempfile.TemporaryDirectory() as scratch:
        s = Session(sys.argv[1], scratch)
        try:
            s.up()
            english = None
            for language, expected in CASES:
                names, texts, ours = close_question(s, language)
                check(names == expected, "LANGUAGE=%r: the close question's buttons read %r" % (language, names))
                check("Close Vorlix?" in texts, "LANGUAGE=%r: the question reads %r" % (language, texts))
                english = english or ours
                check(ours == english, "LANGUAGE=%r: the player's buttons read %r" % (language, ours))
        finally:
            s.down()
    print("PASS")


if __name__ == "__main__":
    main()
