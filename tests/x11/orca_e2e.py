#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a blind listener hears: the player driven by the keyboard alone
under the Orca screen reader.

Starts an Xvfb with openbox, a session bus and the accessibility bus of its
own, a speech-dispatcher on a private socket (its dummy voice speaks
nowhere) and Orca, and reads what Orca says from the SPEECH OUTPUT lines of
its debug file. Then, with keys only: Power (the player is on), the list
and a song in it, Play (the song's title), Volume Down (the volume), Delete
in the list (the next song), Play through the file dialog (the title, and
the player takes the keys again), the cap (the launcher, Enter and Escape),
help (a line, a link, its target) and the about dialog (its text and its
link), then the other skin and back. Prints what Orca said. Exits 77
(skipped) when Orca, speech-dispatcher or a tool is missing.

Usage: orca_e2e.py PLAYER
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from access_e2e import Session, find, has, pyatspi, skip, wait_until  # noqa: E402

# Orca as /usr/bin/orca starts it, with its debug file line-buffered so that
# it can be read while Orca runs, and without the check for other Orcas of
# this user, which would refuse to run beside a user's own screen reader.
ORCA = r"""
import sys
from orca import debug
debug.debugLevel = debug.LEVEL_INFO
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(sys.argv[1], "w", buffering=1)
from orca import orca
manager = orca.getSettingsManager()
manager.activate(sys.argv[2], {})
sys.path.insert(0, manager.getPrefsDir())
sys.exit(orca.main())
"""
SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\w+)? ?\{", re.S)
PYTHON = "/usr/bin/python3"


class Listener:
    """Orca, and what it has said so far."""

    def __init__(self, s):
        if not shutil.which("orca") or not shutil.which("speech-dispatcher"):
            skip("orca or speech-dispatcher is not installed")
        socket = os.path.join(s.scratch, "speechd.sock")
        s.start(["speech-dispatcher", "--run-single", "--timeout", "0", "--communication-method", "unix_socket",
                 "--socket-path", socket], stderr=subprocess.DEVNULL)
        s.env["SPEECHD_ADDRESS"] = "unix_socket:" + socket
        self.log = os.path.join(s.scratch, "orca-debug.out")
        prefs = os.path.join(s.scratch, "orca")
        os.makedirs(prefs)
        s.start([PYTHON, "-c", ORCA, self.log, prefs], stderr=subprocess.DEVNULL)
        self.said = []
        self.seen = 0
        self.wait_for("Screen reader on", 60)

    def read(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as f:
                f.seek(self.seen)
                text = f.read()
        except FileNotFoundError:
            return
        # Whole entries only: one still being written is read next time.
        end = 0
        for entry in SPOKEN.finditer(text):
            self.said.append(" ".join(entry.group(1).split()))
            end = entry.end()
        self.seen += len(text[:end].encode("utf-8"))

    def wait_for(self, words, timeout=10.0, since=None):
        """Waits until Orca has said something containing `words` (since the
        entry `since`) and returns what it said."""
        start = len(self.said) if since is None else since

        def heard():
            self.read()
            return next((x for x in self.said[start:] if words in x), None)

        return wait_until(heard, timeout, "Orca to say %r; it said %r" % (words, self.said[start:]))


def keys(s, orca, key, words, timeout=10.0):
    """Presses `key` and waits for Orca to say `words`."""
    mark = len(orca.said)
    s.xdotool("key", key)
    return orca.wait_for(words, timeout, since=mark)


def tab_to(s, orca, window, name, key="Tab"):
    """Moves the focus to the player's button `name` and waits for Orca to
    say it. The focus is followed on the bus, not by what Orca says, which
    may come late on a busy machine."""
    button = wait_until(lambda: find(window, pyatspi.ROLE_PUSH_BUTTON, name), what=name)
    mark = len(orca.said)
    for pressed in range(12):
        if has(button, pyatspi.STATE_FOCUSED):
            if pressed:
                orca.wait_for(name + " push button", since=mark)
            return
        s.xdotool("key", key)
        try:
            wait_until(lambda: has(button, pyatspi.STATE_FOCUSED), 1.5)
        except AssertionError:
            pass
    raise AssertionError("%s does not reach %s; Orca said %r" % (key, name, orca.said[mark:]))


def x_window(s, name):
    return wait_until(lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=s.env,
                                             capture_output=True, text=True).stdout.split()[0], what=name)


def listen(s, orca, paths):
    window = s.launch()
    s.xdotool("windowactivate", "--sync", x_window(s, "^Ormatel$"))
    orca.wait_for("Power push button")
    keys(s, orca, "space", "Player on")

    # The list: Down selects the first song, then the second.
    tab_to(s, orca, window, "Playlist")
    keys(s, orca, "Return", "List with 3 items")
    keys(s, orca, "Down", paths[0])
    keys(s, orca, "Down", paths[1])

    # Back to the player (the window manager's Alt+Tab skips utility windows).
    s.xdotool("windowactivate", "--sync", x_window(s, "^Ormatel$"))
    tab_to(s, orca, window, "Play", "shift+Tab")
    keys(s, orca, "Return", "two")
    tab_to(s, orca, window, "Volume Down")
    keys(s, orca, "space", "Volume 90%")

    # Delete in the list selects the next song, and Orca says it.
    tab_to(s, orca, window, "Playlist")
    keys(s, orca, "Return", "List with 3 items")
    keys(s, orca, "Delete", paths[2])

    # Pause puts the list away; Play asks for a file, which plays, and the
    # player has the keys again.
    s.xdotool("windowactivate", "--sync", x_window(s, "^Ormatel$"))
    tab_to(s, orca, window, "Pause")
    keys(s, orca, "space", "Play push button")
    keys(s, orca, "Return", "Open")
    time.sleep(0.5)
    s.xdotool("type", "--delay", "20", paths[0])
    keys(s, orca, "Return", "one")
    tab_to(s, orca, window, "Volume Down")

    # The cap: the launcher opens with Help; Enter opens help.
    tab_to(s, orca, window, "USB cap")
    keys(s, orca, "Return", "Help push button")
    keys(s, orca, "Return", "document frame Vorlix")
    keys(s, orca, "Down", "Vorlix is a small MP3 player")
    keys(s, orca, "Tab", "Switching on and off link")
    keys(s, orca, "Tab", "Playing a song link")
    keys(s, orca, "Return", "document frame Playing a song")
    keys(s, orca, "Escape", "Help push button")

    # The about dialog reads its text; Tab reaches its link.
    keys(s, orca, "Tab", "About push button")
    keys(s, orca, "Return", "About Vorlix dialog Requirement")
    orca.wait_for("Exit push button")
    keys(s, orca, "Tab", "System... push button")
    keys(s, orca, "Tab", "https://vorlix.org/ link")
    keys(s, orca, "Escape", "About push button")
    keys(s, orca, "Escape", "USB plug push button")

    # The other skin's buttons, and the cap back on.
    tab_to(s, orca, window, "Close")
    tab_to(s, orca, window, "USB plug")
    keys(s, orca, "Return", "USB cap push button")
    orca.read()


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    with tempfile.TemporaryDirectory() as scratch:
        s = Session(sys.argv[1], scratch)
        orca = None
        try:
            s.up()
            paths = s.write_list(["one", "two", "three"])
            orca = Listener(s)
            listen(s, orca, paths)
        finally:
            s.down()
            if orca:
                print("Orca said:")
                for line in orca.said:
                    print("  " + line.replace(scratch, "$SCRATCH"))
    print("PASS")


if __name__ == "__main__":
    main()
