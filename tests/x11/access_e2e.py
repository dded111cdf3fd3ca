#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The player as a screen reader and a keyboard user meet it.

Starts an Xvfb with openbox, a session bus and the accessibility bus of its
own, runs the built player on a list of two generated tones, and reads it
through AT-SPI: the buttons by name, Power and Playlist pressed through the
bus, the display's text and the list's rows read back, the close question,
the about launcher and the about dialog. Then the keyboard
alone: Tab to Power and Space, Tab to Play and Enter plays the selected song.
Exits 77 (skipped) when a tool or pyatspi is missing.

Usage: access_e2e.py PLAYER [SHOTS_DIR]  (with SHOTS_DIR, the focus ring on
both skins is saved there as PNG pictures)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIP = 77
TOOLS = ["Xvfb", "openbox", "xprop", "dbus-daemon", "dbus-send", "xdotool", "sox", "lame", "import", "convert", "xmessage"]
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def skip(why):
    print("SKIP:", why)
    sys.exit(SKIP)


try:
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib
    import pyatspi
except (ImportError, ValueError) as error:
    skip("pyatspi is not installed (%s)" % error)
for tool in TOOLS:
    if not shutil.which(tool):
        skip(tool + " is not installed")
if not os.access(BUS_LAUNCHER, os.X_OK):
    skip("at-spi-bus-launcher is not installed")


def wait_until(done, timeout=10.0, what="condition"):
    end = time.monotonic() + timeout
    while True:
        try:
            value = done()
        except Exception:  # the object may not be there yet, or gone already
            value = None
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.05)


class Session:
    def __init__(self, player, scratch):
        self.player_path = player
        self.scratch = scratch
        self.procs = []
        self.player = None
        self.env = dict(os.environ)
        for name in ("WAYLAND_DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS",
                     "QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "QT_ACCESSIBILITY"):
            self.env.pop(name, None)
        self.env.update(HOME=scratch, XDG_CONFIG_HOME=os.path.join(scratch, "config"), XDG_CACHE_HOME=scratch,
                        XDG_RUNTIME_DIR=scratch, XDG_DATA_DIRS="/usr/share", SDL_AUDIODRIVER="dummy",
                        QT_QPA_PLATFORM="xcb",
                        LANGUAGE="en")  # English, whatever the desktop running the tests speaks

    def start(self, args, **kw):
        # Each in a process group of its own, so that what it starts ends with it.
        proc = subprocess.Popen(args, env=self.env, start_new_session=True, **kw)
        self.procs.append(proc)
        return proc

    def up(self):
        xvfb = self.start(["Xvfb", "-displayfd", "1", "-screen", "0", "800x600x24", "-nolisten", "tcp", "-noreset"],
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.env["DISPLAY"] = ":" + xvfb.stdout.readline().decode().strip()
        bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address",
                          "--address=unix:dir=" + self.scratch], stdout=subprocess.PIPE)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
        self.window_manager()
        self.start([BUS_LAUNCHER, "--launch-immediately"], stderr=subprocess.DEVNULL)
        # What a screen reader does when it starts: it switches accessibility on.
        wait_until(lambda: self.call(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                                      "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                                      "string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"]),
                   what="the accessibility bus")
        # This process reads the same buses.
        os.environ["DISPLAY"] = self.env["DISPLAY"]
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.env["DBUS_SESSION_BUS_ADDRESS"]

    def window_manager(self):
        # Seen once on a busy machine: openbox did not get the display it was
        # given. It is started again until it manages the screen.
        def managing():
            out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                 capture_output=True, text=True).stdout
            return "window id" in out

        for _ in range(3):
            wm = self.start(["openbox", "--sm-disable"], stderr=subprocess.DEVNULL)
            wait_until(lambda: managing() or wm.poll() is not None, what="openbox")
            if wm.poll() is None:
                return
        raise AssertionError("openbox does not start")

    def call(self, args):
        return subprocess.run(args, env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0

    def write_list(self, names):
        os.makedirs(os.path.join(self.scratch, "vorlix"), exist_ok=True)
        paths = []
        for name in names:
            mp3 = os.path.join(self.scratch, name + ".mp3")
            subprocess.run(["sox", "-n", "-r", "8000", mp3 + ".wav", "synth", "30", "sine", "440"], check=True)
            subprocess.run(["lame", "--quiet", mp3 + ".wav", mp3], check=True)
            paths.append(mp3)
        with open(os.path.join(self.scratch, "vorlix", "mp3list.ini"), "wb") as f:
            f.write(b"".join(p.encode() + b"\r\n" for p in paths))
        return paths

    def launch(self):
        if self.player:
            self.player.kill()
            self.player.wait()
        self.player = self.start([self.player_path])
        pid = self.player.pid
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_until(lambda: next(a for a in desktop if a and a.get_process_id() == pid), what="the player on the bus")
        return wait_until(lambda: next(w for w in app if w.name == "Vorlix"), what="the player window")

    def down(self):
        for proc in reversed(self.procs):
            try:
                os.killpg(proc.pid, 9)
            except ProcessLookupError:
                pass
            proc.wait()

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + list(args), env=self.env, check=True)

    def shot(self, path):
        subprocess.run(["import", "-window", "root", path], env=self.env, check=True)


def fresh(acc):
    acc.clear_cache()
    return acc


def descendants(acc):
    for child in fresh(acc):
        if child is not None:
            yield child
            yield from descendants(child)


def find(root, role, name=None):
    return next((a for a in descendants(root) if a.getRole() == role and (name is None or a.name == name)), None)


def has(acc, state):
    return fresh(acc).getState().contains(state)


def press(acc):
    action = acc.queryAction()
    assert action.getName(0) == "Press", action.getName(0)
    action.doAction(0)


def display_names_during(seconds, act=None):
    """The names the display announces while `act` runs and `seconds` pass."""
    names = []

    def heard(event):
        if event.source.getRole() == pyatspi.ROLE_STATUS_BAR:
            names.append(event.source.name)

    pyatspi.Registry.registerEventListener(heard, "object:property-change:accessible-name")
    if act:
        GLib.idle_add(lambda: act() and False)
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(heard, "object:property-change:accessible-name")
    return names


def ring_shown(s, wid):
    """Whether the player shows its focus ring: its light ring's colour anywhere."""
    png = subprocess.run(["import", "-window", wid, "png:-"], env=s.env, capture_output=True, check=True).stdout
    peak = subprocess.run(["convert", "png:-", "-fill", "black", "+opaque", "#ffd400", "-format", "%[max]", "info:"],
                          input=png, capture_output=True, check=True).stdout
    return float(peak) > 0


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def screen_reader(s, paths):
    window = s.launch()
    names = ["Power", "Play", "Volume Down", "Volume Up", "Playlist"]
    buttons = {n: wait_until(lambda n=n: find(window, pyatspi.ROLE_PUSH_BUTTON, n), what=n) for n in names}
    check(not has(buttons["Play"], pyatspi.STATE_ENABLED), "Play is enabled while the player is off")
    press(buttons["Power"])
    display = find(buttons["Power"].parent, pyatspi.ROLE_STATUS_BAR)
    wait_until(lambda: fresh(display).name == "Vorlix       v1.0", what="the idle caption, not %r" % display.name)
    wait_until(lambda: has(buttons["Playlist"], pyatspi.STATE_ENABLED), what="Playlist enabled")
    press(buttons["Playlist"])
    desktop = pyatspi.Registry.getDesktop(0)
    app = next(a for a in desktop if a and a.get_process_id() == s.player.pid)
    playlist = wait_until(lambda: next(w for w in fresh(app) if w.name == "Play List" and has(w, pyatspi.STATE_SHOWING)),
                          what="the playlist window")
    rows = wait_until(lambda: [r.name for r in fresh(find(playlist, pyatspi.ROLE_LIST))], what="the list")
    check(rows == paths, "the list reads %r" % rows)
    for name in ("Add", "Delete", "Hide playlist"):
        check(find(playlist, pyatspi.ROLE_PUSH_BUTTON, name), "the list has no %s button" % name)

    # The close question comes up as the active alert, with its text to read.
    press(buttons["Power"])
    alert = wait_until(lambda: next(w for w in fresh(app) if w.getRole() == pyatspi.ROLE_ALERT and
                                    has(w, pyatspi.STATE_ACTIVE)), what="the close question")
    check(find(alert, pyatspi.ROLE_LABEL, "Close Vorlix?"), "the question has no text to read")
    press(find(alert, pyatspi.ROLE_PUSH_BUTTON, "No"))
    wait_until(lambda: not any(w.getRole() == pyatspi.ROLE_ALERT for w in fresh(app)), what="the answer")

    # The cap off: the launcher's buttons, then the about dialog's controls.
    cap = find(window, pyatspi.ROLE_PUSH_BUTTON, "USB cap")
    press(cap)
    launcher = wait_until(lambda: next(w for w in fresh(app) if w.name == "About"), what="the about launcher")
    check(find(launcher, pyatspi.ROLE_PUSH_BUTTON, "Help"), "the launcher has no Help button")
    press(find(launcher, pyatspi.ROLE_PUSH_BUTTON, "About"))
    about = wait_until(lambda: next(w for w in fresh(app) if w.name == "About Vorlix"), what="the about dialog")
    for role, name in ((pyatspi.ROLE_LINK, "https://vorlix.org/"), (pyatspi.ROLE_IMAGE, "Vorlix player"),
                       (pyatspi.ROLE_PUSH_BUTTON, "Exit"), (pyatspi.ROLE_PUSH_BUTTON, "System..."),
                       (pyatspi.ROLE_LABEL, "Vorlix")):
        check(find(about, role, name), "the about dialog has no %s %r" % (role, name))


def keyboard(s, paths, shots):
    window = s.launch()
    power = wait_until(lambda: find(window, pyatspi.ROLE_PUSH_BUTTON, "Power"), what="Power")
    play = find(window, pyatspi.ROLE_PUSH_BUTTON, "Play")
    wid = wait_until(lambda: s.call(["xdotool", "search", "--sync", "--name", "^Ormatel$"]) and
                     subprocess.run(["xdotool", "search", "--name", "^Ormatel$"], env=s.env,
                                    capture_output=True, text=True).stdout.split()[0], what="the X window")
    # Another window takes the focus; a click on the picture (the display's
    # glass) gives it back to the player.
    s.xdotool("windowmove", "--sync", wid, "100", "100")
    s.start(["xmessage", "-geometry", "+400+300", "elsewhere"], stderr=subprocess.DEVNULL)
    wait_until(lambda: not has(window, pyatspi.STATE_ACTIVE), what="another window to take the focus")
    s.xdotool("mousemove", "--window", wid, "60", "40", "click", "1")
    wait_until(lambda: has(window, pyatspi.STATE_ACTIVE), what="the player window to be active")
    wait_until(lambda: has(power, pyatspi.STATE_FOCUSED), what="the window's first focus on Power")
    check(not ring_shown(s, wid), "a mouse click showed the focus ring")

    def tab_to(button):
        for _ in range(12):
            s.xdotool("key", "Tab")
            try:  # the key reaches the player a moment after xdotool returns
                return wait_until(lambda: has(button, pyatspi.STATE_FOCUSED), 0.4)
            except AssertionError:
                pass
        raise AssertionError("Tab does not reach " + button.name)

    tab_to(power)
    wait_until(lambda: ring_shown(s, wid), what="the focus ring")
    if shots:
        time.sleep(0.3)
        s.shot(os.path.join(shots, "focus-ring-skin1.png"))
    s.xdotool("key", "space")
    wait_until(lambda: has(play, pyatspi.STATE_ENABLED), what="Space on Power to switch the player on")

    # The list, brought up from the keyboard; Down selects the second song.
    tab_to(find(window, pyatspi.ROLE_PUSH_BUTTON, "Playlist"))
    s.xdotool("key", "Return")
    app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == s.player.pid)
    playlist = wait_until(lambda: next(w for w in fresh(app) if w.name == "Play List" and has(w, pyatspi.STATE_ACTIVE)),
                          what="the playlist window to be active")
    songs = find(playlist, pyatspi.ROLE_LIST)
    wait_until(lambda: has(songs, pyatspi.STATE_FOCUSED), what="the list to have the focus")
    s.xdotool("key", "Down", "Down")
    wait_until(lambda: has(fresh(songs)[1], pyatspi.STATE_SELECTED), what="Down to select the second song")

    s.xdotool("windowactivate", "--sync", wid)
    tab_to(play)
    s.xdotool("key", "Return")
    display = find(power.parent, pyatspi.ROLE_STATUS_BAR)
    title = os.path.basename(paths[1])[:-4]
    wait_until(lambda: fresh(display).name == title, what="the display to read %r" % title)
    pause = find(window, pyatspi.ROLE_PUSH_BUTTON, "Pause")
    check(has(pause, pyatspi.STATE_FOCUSED), "the focus did not go from Play to Pause")

    # The scroll is not announced; a volume step is, and so is the song's
    # name when it comes back a second later.
    heard = display_names_during(2.5)
    check(heard == [], "the scroll was announced: %r" % heard)
    heard = display_names_during(2.5, lambda: press(find(window, pyatspi.ROLE_PUSH_BUTTON, "Volume Down")))
    check(heard == ["Volume :  90%", title], "announced %r" % heard)

    # The cap from the keyboard; the focus goes to the plug on the other skin.
    tab_to(find(window, pyatspi.ROLE_PUSH_BUTTON, "USB cap"))
    s.xdotool("key", "Return")
    plug = wait_until(lambda: find(window, pyatspi.ROLE_PUSH_BUTTON, "USB plug"), what="USB plug")
    # The about launcher comes up beside the player and takes the focus.
    wait_until(lambda: not has(window, pyatspi.STATE_ACTIVE), what="the about launcher")
    s.xdotool("windowactivate", "--sync", wid)
    wait_until(lambda: has(plug, pyatspi.STATE_FOCUSED), what="the plug to take the focus")
    if shots:
        tab_to(find(window, pyatspi.ROLE_PUSH_BUTTON, "Close"))
        time.sleep(0.3)
        s.shot(os.path.join(shots, "focus-ring-skin2.png"))


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    shots = sys.argv[2] if len(sys.argv) > 2 else None
    with tempfile.TemporaryDirectory() as scratch:
        s = Session(sys.argv[1], scratch)
        try:
            s.up()
            # The first path is longer than a row shows: the item reads it whole.
            paths = s.write_list(["one " + "x" * 170, "two"])
            screen_reader(s, paths)
            keyboard(s, paths, shots)
        finally:
            s.down()
    print("PASS")


if __name__ == "__main__":
    main()
