#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""A blind user's whole task on every panel, heard through the Orca screen reader.

Starts, on a private X display and private buses, openbox, the AT-SPI
registry, a silent speech-dispatcher and Orca with its debug log; then the
program with accessibility on. It types the coefficients of each panel, solves,
hears the roots, checks and hears the verdict, opens the menu and reads the
status bar, and asserts on what Orca says after each step (its log's
"SPEECH OUTPUT" lines). Exits 0 when every step was heard as expected, 1 when
not, and 77 (skipped) when Orca or what it needs cannot start here.

Usage: orca_task.py APP LOCALE
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77

# One step: what the user does, and what Orca must say in answer (each a
# regular expression that one utterance matches). ("type", "2") types text,
# ("key", "Tab") presses keys by their xdotool names, ("alt", "c") is Alt+C
# at human speed, as menu bars need it.
TAB = ("key", "Tab")
SPACE = ("key", "space")
STEPS = [
    # Linear panel: 2·x − 4 = 0. The focus starts in its a.
    (("type", "2"), []),
    (TAB, []),
    (("type", "-4"), []),
    (TAB, [r"求解后可以验算"]),
    (SPACE, [r"X 等于 二，验算可用"]),
    (TAB, [r"^2\. "]),
    (TAB, [r"一次方程 验算"]),
    (SPACE, [r"^计算正确"]),
    (("key", "Return"), [r"验算不可用"]),
    (TAB, []),
    (TAB, [r"a·x² \+ b·x \+ c = 0 中的 a"]),
    # Quadratic panel: x² − 3x + 2 = 0.
    (("type", "1"), []),
    (TAB, []),
    (("type", "-3"), []),
    (TAB, []),
    (("type", "2"), []),
    (TAB, []),
    (SPACE, [r"X 一 等于 二，X 二 等于 一，验算可用"]),
    (TAB, [r"^2\. "]),
    (TAB, [r"^1\. "]),
    (TAB, []),
    (SPACE, [r"^计算正确"]),
    (("key", "Return"), [r"验算不可用"]),
    (TAB, []),
    (TAB, []),
    (TAB, [r"x³ \+ p·x \+ q = 0 中的 p"]),
    # Cubic panel: x³ − 8 = 0.
    (("type", "0"), []),
    (TAB, []),
    (("type", "-8"), []),
    (TAB, []),
    (SPACE, [r"X 等于 二，验算可用"]),
    (TAB, []),
    (TAB, []),
    (SPACE, [r"^计算正确"]),
    (("key", "Return"), [r"验算不可用"]),
    (TAB, []),
    (TAB, []),
    # System panel: x + y − 3 = 0, x − y − 1 = 0.
    (("type", "1"), []),
    (TAB, []),
    (("type", "1"), []),
    (("key", "Tab", "Tab"), []),
    (("type", "-3"), []),
    (TAB, []),
    (("type", "1"), []),
    (TAB, []),
    (("type", "-1"), []),
    (("key", "Tab", "Tab"), []),
    (("type", "-1"), []),
    (("key", "Tab", "Tab", "Tab", "Tab", "Tab"), [r"方程组 求解"]),
    (SPACE, [r"X 等于 二，Y 等于 一，验算可用"]),
    (TAB, [r"方程组 验算"]),
    (SPACE, [r"^方程组解正确！"]),
    (("key", "Return"), [r"验算不可用"]),
    # The menu: its name as it opens, each item with its shortcut.
    (("alt", "c"), [r"控制\(C\) 菜单", r"重置\(N\) Ctrl\+N"]),
    (("key", "Down"), [r"退出\(X\) Ctrl\+X"]),
    (("key", "Up"), []),
    (("key", "Return"), [r"所有方程已清空"]),
    (("key", "F10"), [r"控制\(C\) 菜单"]),
    # The next menu opens on 解题详情, its shortcut heard as the others' are.
    (("key", "Right"), [r"辅助\(A\) 菜单", r"解题详情\(D\) Ctrl\+D"]),
    (("key", "Down"), [r"输入方程\(E\)… Ctrl\+E"]),
    (("key", "Escape"), []),
    # Where-am-I twice reads the status bar: the bar once, then its three parts.
    (("key", "Insert+KP_Enter", "Insert+KP_Enter"), [r"^(状态栏|status ?bar)\.?$", r"^状态\.?$", r"^\d{4}/\d{1,2}/\d{1,2}\.?$", r"^\d\d:\d\d\.?$"]),
    # 输入方程: the answer to what is typed, each line in Mandarin.
    (("key", "ctrl+e"), [r"输入方程"]),
    (("type", "x^2-3x+1=0"), []),
    (TAB, [r"x 的平方减三 ?x 加一 ?等于 ?零"]),
    (TAB, [r"一元二次方程"]),
    (TAB, [r"根：x 一 等于 二分之.*根号五"]),
    (("key", "Escape"), []),
]

PACKAGES = ["Xvfb", "openbox", "xdotool", "dbus-daemon", "speech-dispatcher", "orca", "localedef"]
SPEECH = re.compile(r" - SPEECH OUTPUT: '(.*?)'(?: voice=\w+| )?[\[{]")


class Skip(Exception):
    pass


class Session:
    def __init__(self, work):
        self.work = work
        self.children = []
        self.env = dict(os.environ)

    def spawn(self, name, argv, **kwargs):
        log = open(os.path.join(self.work, name + ".log"), "ab")
        child = subprocess.Popen(argv, env=self.env, stdout=log, stderr=subprocess.STDOUT, **kwargs)
        self.children.append(child)
        return child

    def run(self, argv, timeout=10):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=timeout)

    def stop(self):
        for child in reversed(self.children):
            if child.poll() is None:
                child.terminate()
        deadline = time.monotonic() + 3
        for child in reversed(self.children):
            try:
                child.wait(max(0.1, deadline - time.monotonic()))
            except subprocess.TimeoutExpired:
                child.kill()
                child.wait()


def wait_until(what, seconds, check):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = check()
        if result:
            return result
        time.sleep(0.2)
    raise Skip(what)


def first_line(path):
    try:
        with open(path) as f:
            return f.readline().strip()
    except OSError:
        return ""


def use_locale(session, locale):
    installed = session.run(["locale", "-a"]).stdout.lower().split()
    if locale.lower().replace("utf-8", "utf8") not in installed:
        path = os.path.join(session.work, "locale")
        name, charset = locale.split(".", 1) if "." in locale else (locale, "UTF-8")
        os.makedirs(path, exist_ok=True)
        session.run(["localedef", "-i", name, "-f", charset, os.path.join(path, locale)], timeout=60)
        if not os.path.exists(os.path.join(path, locale, "LC_CTYPE")):
            raise Skip("the locale %s cannot be built" % locale)
        session.env["LOCPATH"] = path
    session.env.update(LANG=locale, LC_ALL=locale)


def start_desktop(session):
    """The display, the buses, the window manager and speech, all private."""
    work = session.work
    home = os.path.join(work, "home")
    runtime = os.path.join(work, "run")
    for folder in (home, runtime, os.path.join(runtime, "speech-dispatcher"), os.path.join(work, "orca")):
        os.makedirs(folder, mode=0o700, exist_ok=True)
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "LANGUAGE"):
        session.env.pop(name, None)
    session.env.update(HOME=home, XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                       XDG_CACHE_HOME=os.path.join(home, ".cache"), GSETTINGS_BACKEND="memory")

    display_file = os.path.join(work, "display")
    with open(display_file, "w") as out:
        session.spawn("xvfb", ["Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                      pass_fds=(3,), preexec_fn=lambda: os.dup2(out.fileno(), 3))
    session.env["DISPLAY"] = ":" + wait_until("Xvfb gave no display", 20, lambda: first_line(display_file))

    bus_file = os.path.join(work, "bus")
    with open(bus_file, "w") as out:
        session.spawn("dbus", ["dbus-daemon", "--session", "--nofork", "--print-address=3"],
                      pass_fds=(3,), preexec_fn=lambda: os.dup2(out.fileno(), 3))
    session.env["DBUS_SESSION_BUS_ADDRESS"] = wait_until("no session bus", 10, lambda: first_line(bus_file))

    session.spawn("openbox", ["openbox", "--sm-disable"])
    wait_until("openbox did not start", 15,
               lambda: "window id" in session.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]).stdout)

    session.spawn("atspi", ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    bus_owned = ["dbus-send", "--session", "--print-reply=literal", "--dest=org.freedesktop.DBus", "/",
                 "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"]
    wait_until("no accessibility bus", 15, lambda: "true" in session.run(bus_owned).stdout)
    session.spawn("atspi", ["/usr/libexec/at-spi2-registryd"])
    enable = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
              "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
              "variant:boolean:true"]
    if session.run(enable).returncode != 0:
        raise Skip("accessibility cannot be enabled on the session bus")

    # Speech goes nowhere: libao's null driver.
    config = os.path.join(work, "speechd")
    shutil.copytree("/etc/speech-dispatcher", config)
    with open(os.path.join(config, "speechd.conf"), "a") as conf:
        conf.write('AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\nDefaultModule espeak-ng\n'
                   'AudioOutputMethod "libao"\n')
    with open(os.path.join(home, ".libao"), "w") as ao:
        ao.write("default_driver=null\n")
    socket = os.path.join(runtime, "speech-dispatcher", "speechd.sock")
    session.spawn("speechd", ["speech-dispatcher", "--run-single", "--timeout", "0", "--config-dir", config,
                              "--communication-method", "unix_socket", "--socket-path", socket])
    wait_until("speech-dispatcher did not start", 15, lambda: os.path.exists(socket))
    session.env["SPEECHD_ADDRESS"] = "unix_socket:" + socket


# Orca with its debug log. It is told that no other Orca runs, so that runs
# of this test side by side, each on its own buses, leave each other alone.
ORCA = """
import runpy, sys
from orca import debug
debug.debugLevel, debug.eventDebugLevel = debug.LEVEL_ALL, debug.LEVEL_OFF
debug.debugFile = open(sys.argv[1], "w", buffering=1, encoding="utf-8")
sys.argv = ["orca", "--user-prefs", sys.argv[2]]
main = runpy.run_path("/usr/bin/orca", run_name="zembrel_orca_test")["main"]
main.__globals__.update(otherOrcas=lambda: [], setProcessName=lambda name: True)
sys.exit(main())
"""

ORCA_SETTINGS = """{"general": {"enableBraille": false, "enableSound": false, "enableTutorialMessages": false,
  "orcaModifierKeys": ["Insert", "KP_Insert"]},
 "profiles": {"default": {"profile": ["Default", "default"]}}, "pronunciations": {}, "keybindings": {}}
"""


class Orca:
    def __init__(self, session):
        self.log = os.path.join(session.work, "orca-debug.log")
        prefs = os.path.join(session.work, "orca")
        with open(os.path.join(prefs, "user-settings.conf"), "w") as settings:
            settings.write(ORCA_SETTINGS)
        env = {k: v for k, v in session.env.items() if k not in ("PYTHONPATH", "PYTHONHOME")}
        self.process = subprocess.Popen(["/usr/bin/python3", "-c", ORCA, self.log, prefs], env=env,
                                        stdout=open(os.path.join(session.work, "orca.log"), "ab"),
                                        stderr=subprocess.STDOUT)
        session.children.append(self.process)
        wait_until("Orca did not start", 60, lambda: self.process.poll() is not None or self.text().count(
            "ORCA: Starting registry") > 0)
        if self.process.poll() is not None:
            raise Skip("Orca exited at start")

    def text(self):
        try:
            with open(self.log, encoding="utf-8", errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def size(self):
        try:
            return os.path.getsize(self.log)
        except OSError:
            return 0

    def settle(self):
        """Waits until the log has been quiet for a second (at most 15 s)."""
        time.sleep(0.3)
        last, since, deadline = -1, time.monotonic(), time.monotonic() + 15
        while time.monotonic() < deadline:
            size = self.size()
            if size != last:
                last, since = size, time.monotonic()
            elif time.monotonic() - since >= 1:
                return
            time.sleep(0.1)

    def said_since(self, offset):
        with open(self.log, "rb") as f:
            f.seek(offset)
            text = f.read().decode("utf-8", "replace")
        # A record may run over several lines; the speech is on its first.
        return [m.group(1).strip() for m in SPEECH.finditer(text.replace("\n", " \n")) if m.group(1).strip()]


def act(session, action):
    verb, *args = action
    if verb == "type":
        session.run(["xdotool", "type", "--delay", "150", "--", args[0]], timeout=30)
    elif verb == "key":
        session.run(["xdotool", "key", "--clearmodifiers", "--delay", "120", *args], timeout=30)
    elif verb == "alt":
        for command in (["keydown", "Alt_L"], ["keydown", args[0]], ["keyup", args[0]], ["keyup", "Alt_L"]):
            session.run(["xdotool", *command])
            time.sleep(0.15)


def main():
    if len(sys.argv) != 3:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    app, locale = os.path.abspath(sys.argv[1]), sys.argv[2]
    missing = [p for p in PACKAGES if shutil.which(p) is None]
    missing += [p for p in ("/usr/libexec/at-spi-bus-launcher", "/usr/libexec/at-spi2-registryd")
                if not os.path.exists(p)]
    if missing:
        print("SKIP: Orca cannot run here, missing: " + " ".join(missing) + " (scripts/setup installs them)")
        return SKIP

    work = tempfile.mkdtemp(prefix="zembrel-orca-")
    session = Session(work)
    failures = []
    try:
        use_locale(session, locale)
        start_desktop(session)
        orca = Orca(session)
        position = orca.size()
        session.env.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1", QT_QPA_PLATFORM="xcb")
        program = session.spawn("app", [app])
        window = wait_until("the window did not appear", 60, lambda: program.poll() is None and session.run(
            ["xdotool", "search", "--onlyvisible", "--name", "^Zembrel$"]).stdout.split())
        session.run(["xdotool", "windowactivate", "--sync", window[0]])
        wait_until("Orca said nothing when the window was activated", 30, lambda: orca.said_since(position))
        orca.settle()
        print("(window activated): " + " | ".join(orca.said_since(position)))
        for action, expected in STEPS:
            position = orca.size()
            act(session, action)
            orca.settle()
            said = orca.said_since(position)
            print("%-40s %s" % (" ".join(action), " | ".join(said)))
            for pattern in expected:
                if not any(re.search(pattern, utterance) for utterance in said):
                    failures.append("after %s Orca did not say /%s/; it said: %s" % (
                        " ".join(action), pattern, " | ".join(said) or "nothing"))
            if program.poll() is not None:
                failures.append("the program exited (status %s)" % program.returncode)
                break
            if orca.process.poll() is not None:
                raise Skip("Orca exited")
    except Skip as reason:
        print("SKIP: Orca cannot run here: %s (logs in %s)" % (reason, work))
        session.stop()
        return SKIP
    finally:
        session.stop()
    for failure in failures:
        print("FAIL: " + failure)
    if failures:
        print("logs in " + work)
        return 1
    shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    sys.exit(main())
