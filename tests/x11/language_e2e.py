#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Vorlix and Qt speak the desktop's language; the device's display does not.

Runs the built player under Xvfb with openbox and an accessibility bus, with
LANGUAGE set to each of a few languages, switches it on and presses Power
again, and reads through AT-SPI: the buttons' names, the display, and the
close question with its buttons. The question and the button names are in
the desktop's language (in English without one); the display keeps the
device's own caption. --help is in the language too. Exits 77 (skipped) when a tool or pyatspi is missing.

Usage: language_e2e.py PLAYER
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from access_e2e import Session, check, descendants, find, fresh, has, press, pyatspi, wait_until  # noqa: E402

# LANGUAGE, the power and play buttons' names, the close question, and its
# buttons in the order they stand.
CASES = [
    ("de", "Ein/Aus", "Wiedergabe", "Vorlix schließen?", ["Ja", "Nein"]),
    ("fr", "Marche/Arrêt", "Lecture", "Fermer Vorlix\u00a0?", ["Oui", "Non"]),
    ("pt_BR:de", "Liga/Desliga", "Reproduzir", "Fechar o Vorlix?", ["Sim", "Não"]),
    ("", "Power", "Play", "Close Vorlix?", ["Yes", "No"]),  # unset
]


def close_question(s, language, power_name, play_name):
    if language:
        s.env["LANGUAGE"] = language
    else:
        for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"):
            s.env.pop(name, None)
    window = s.launch()
    power = wait_until(lambda: find(window, pyatspi.ROLE_PUSH_BUTTON, power_name), what="a button named %r" % power_name)
    play = find(window, pyatspi.ROLE_PUSH_BUTTON, play_name)
    check(play, "LANGUAGE=%r: no button named %r" % (language, play_name))
    press(power)
    wait_until(lambda: has(play, pyatspi.STATE_ENABLED), what="Power to switch the player on")
    display = find(power.parent, pyatspi.ROLE_STATUS_BAR)
    caption = wait_until(lambda: fresh(display).name, what="the display to show")
    # The press is answered before the question's modal loop starts.
    press(power)
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == s.player.pid)
    box = wait_until(lambda: next(w for w in fresh(app) if w.getRole() == pyatspi.ROLE_ALERT and
                                  has(w, pyatspi.STATE_SHOWING)), what="the close question")
    buttons = wait_until(lambda: [b for b in descendants(box) if b.getRole() == pyatspi.ROLE_PUSH_BUTTON],
                         what="its buttons")
    texts = [a.name for a in descendants(box) if a.getRole() == pyatspi.ROLE_LABEL and a.name]
    # Left to right, as a reader sees them.
    names = [b.name for b in sorted(buttons, key=lambda b: b.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)[0])]
    return names, texts, caption


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    # The options are answered before the application is made, from the
    # same catalogue.
    usage = subprocess.run([sys.argv[1], "--help"], env=dict(os.environ, LANGUAGE="de"),
                           capture_output=True, text=True).stdout
    check(usage.startswith("Aufruf: vorlix [OPTION] [DATEI|URI...]\n"), "LANGUAGE='de': --help reads %r" % usage[:80])
    with tempfile.TemporaryDirectory() as scratch:
        s = Session(sys.argv[1], scratch)
        try:
            s.up()
            for language, power, play, question, expected in CASES:
                names, texts, caption = close_question(s, language, power, play)
                check(names == expected, "LANGUAGE=%r: the close question's buttons read %r" % (language, names))
                check(question in texts, "LANGUAGE=%r: the question reads %r" % (language, texts))
                check(caption == "Vorlix       v1.0", "LANGUAGE=%r: the display reads %r" % (language, caption))
        finally:
            s.down()
    print("PASS")


if __name__ == "__main__":
    main()
