#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays Quartet as a blind player does, with the Orca screen reader and the
keyboard alone, and checks what Orca says at every step.

The program, Orca and openbox run on a virtual display of their own
(xvfb-run) with a session bus of their own (dbus-run-session), and every
folder they write to is a temporary one. There is no speech server: Orca
finds none and writes all it would say into its debug log, which each step
reads back. Keys are sent by xdotool one key event at a time (the X server
repeats none), each once the log has been quiet for a moment: Qt hands every
key to the screen reader first, and when that takes more than 100 ms, it lets
the waiting keys through out of step. Every wait is on the log, with a
deadline.

  orca_speech_test.py PROGRAM

Prints what Orca said at each step, then "N passed, N failed".
"""

import codecs
import os
import re
import subprocess
import sys
import tempfile
import threading
import time
import tty

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from main_window_e2e import Failure, wait_for  # noqa: E402

SESSION_MARK = "QUARTET_ORCA_SESSION"
START_TIMEOUT = 20.0
STEP_TIMEOUT = 20.0
KEY_TIMEOUT = 10.0
QUIET = 0.2
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*?)'\s*(?:voice=\S+\s*)?[\[{]")


class OrcaLog:
    """Orca's debug log, read as Orca writes it. Orca flushes its log only
    when a buffer is full, unless the log is a terminal: so Orca writes to
    a pseudo-terminal, which a thread drains into the log as it comes."""

    def __init__(self, path):
        self.path = path
        self.parts = []
        self.reader, self.writer = os.openpty()
        tty.setraw(self.writer)  # line feeds as they are
        threading.Thread(target=self.drain, daemon=True).start()

    def drain(self):
        decoder = codecs.getincrementaldecoder("utf-8")(errors="replace")
        with open(self.path, "w", encoding="utf-8") as copy:
            while True:
                try:
                    data = os.read(self.reader, 65536)
                except OSError:  # the last writer has gone
                    return
                if not data:
                    return
                self.parts.append(decoder.decode(data))
                copy.write(self.parts[-1])

    def text(self):
        return "".join(self.parts)

    def wait_until_quiet(self):
        """Until Orca has written nothing for a moment: it has taken the
        last key and what the program did with it."""
        seen = [len(self.parts), time.monotonic()]

        def quiet():
            if len(self.parts) != seen[0]:
                seen[:] = [len(self.parts), time.monotonic()]
            return time.monotonic() - seen[1] >= QUIET
        wait_for(quiet, KEY_TIMEOUT, "Orca to fall quiet")

    def said_since(self, mark):
        """What Orca said after the log's first mark characters."""
        return [m.group(1) for m in SPEECH.finditer(self.text(), mark)]


def in_order(said, expected):
    """The matches of the patterns in expected, met in this order in what
    was said (several may match within one utterance); None if one is missing."""
    matches, at = [], 0
    for pattern in expected:
        while at < len(said) and not re.search(pattern, said[at]):
            at += 1
        if at == len(said):
            return None
        matches.append(re.search(pattern, said[at]))
    return matches


class Player:
    def __init__(self, work):
        self.work = work
        self.log = OrcaLog(os.path.join(work, "orca.log"))
        self.env = dict(os.environ, LANG="C.UTF-8", LANGUAGE="", XDG_CONFIG_HOME=self.folder("config"),
                        XDG_DATA_HOME=self.folder("data"), XDG_CACHE_HOME=self.folder("cache"),
                        XDG_RUNTIME_DIR=self.folder("runtime"),
                        # No speech server: Orca's client finds none and may not start one.
                        SPEECHD_ADDRESS="unix_socket:" + os.path.join(work, "no-speech-server"),
                        SPEECHD_CMD="/bin/false")
        for variable in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON"):
            self.env.pop(variable, None)
        self.processes = []
        self.outputs = []
        self.transcript = []

    def set_up(self, program):
        self.program = program
        self.start("openbox", ["openbox", "--sm-disable"])
        wait_for(lambda: "window id" in self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"), START_TIMEOUT,
                 "openbox to manage the display")
        self.start("orca", ["orca", "--user-prefs", self.folder("orca"), "--debug-file", "/dev/stdout"],
                   output=self.log.writer)
        os.close(self.log.writer)
        wait_for(lambda: self.log.said_since(0), START_TIMEOUT, "Orca to speak")

    def folder(self, name):
        path = os.path.join(self.work, name)
        os.makedirs(path, mode=0o700, exist_ok=True)
        return path

    def start(self, name, command, output=None):
        self.outputs.append(open(os.path.join(self.work, name + ".out"), "w"))
        self.processes.append(subprocess.Popen(command, env=self.env, stdout=output or self.outputs[-1],
                                               stderr=self.outputs[-1], start_new_session=True))

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        for output in self.outputs:
            output.close()

    def run(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True).stdout

    def key_event(self, action, key):
        subprocess.run(["xdotool", action, key], env=self.env, check=True)
        self.log.wait_until_quiet()

    def press(self, chord):
        """A key with its modifiers (ctrl+d), one key event at a time."""
        keys = chord.split("+")
        for key in keys:
            self.key_event("keydown", key)
        for key in reversed(keys):
            self.key_event("keyup", key)

    def step(self, name, keys, *expected):
        """Presses the keys (no keys: starts the program), then waits until
        Orca has said something that matches each pattern of expected, in
        this order; returns the matches."""
        mark = len(self.log.text())
        if not keys:
            self.start("quartet", [self.program])
        for chord in keys:
            self.press(chord)
        try:
            return wait_for(lambda: in_order(self.log.said_since(mark), expected), STEP_TIMEOUT,
                            f"Orca to say {' … '.join(expected)}")
        finally:
            self.transcript.append((name, " ".join(keys), self.log.said_since(mark)))


def solution_lines(program, hand):
    out = subprocess.run([program, "--solve", *hand], capture_output=True, text=True, check=True).stdout
    return out.splitlines()


def play(program, player):
    """The steps, each with what Orca must say. A step that fails does not
    end the game; the steps that need what it should have said are left out."""
    steps = []

    def step(name, keys, *expected):
        try:
            matches = player.step(name, keys, *expected)
            steps.append((name, None))
            return matches
        except Failure as failure:
            steps.append((name, str(failure)))
            return None

    step("start: the result list has the focus", [], r"^答案")
    dealt = step("deal: the hand is said", ["ctrl+d"], r"发出的牌：(\d+)、(\d+)、(\d+)、(\d+)")
    if dealt:
        hand = dealt[0].groups()
        said_hand = re.escape("发出的牌：" + "、".join(hand))
        step("Tab: the card display says the hand", ["Tab"], said_hand)
        step("where am I: the card display says the hand", ["KP_Enter"], said_hand)
        lines = solution_lines(program, hand)
        step("answer: the count and the first line are said", ["alt+a"],
             re.escape(f"共有{len(lines)}种算法，第一种：{lines[0]}"))
        step("back to the list: its first line is read", ["shift+Tab"], r"答案", re.escape(lines[0]))
        step("Down: the second line", ["Down"], re.escape(lines[1]))
    step("specify: the entry panel's opening is said", ["ctrl+s"], r"指定牌面板：四个空位都是空的")
    step("Tab to the value 1", ["Tab", "Tab"], r"^1\b")
    step("1: the slots are said", ["space"], r"指定的牌：1、空、空、空")
    step("1, 1, 1: the slots are said", ["space", "space", "space"], r"指定的牌：1、1、1、1")
    step("answer, no solution", ["alt+a"], r"此组合无法形成24点")
    step("2: the 1 pushed out is said", ["Tab", "space"], r"1被挤出，指定的牌：1、1、1、2")
    step("settings: the field is read whole", ["alt+f", "o"], r"^13 selected")
    step("Escape closes the settings box", ["Escape"], r"^Quartet")
    step("About: its texts are read", ["ctrl+a"], r"关于Quartet", r"版本 \d+\.\d+\.\d+", r"纯属个人爱好", r"https://")
    return steps


def report(player, steps):
    for name, keys, said in player.transcript:
        print(f"--- {name} [{keys or 'no key'}]")
        for utterance in said:
            print(f"    {utterance}")
    failed = [(name, why) for name, why in steps if why]
    for name, why in failed:
        print(f"FAIL: {name}: {why}")
    print(f"{len(steps) - len(failed)} passed, {len(failed)} failed")
    return 1 if failed else 0


def in_session(program):
    with tempfile.TemporaryDirectory(prefix="quartet-orca-", ignore_cleanup_errors=True) as work:
        player = Player(work)
        try:
            player.set_up(program)
            status = report(player, play(program, player))
        except Failure as failure:
            print(f"FAIL: {failure}")
            status = 1
        finally:
            player.stop()
        if status:
            for name in ("quartet.out", "orca.out"):
                if os.path.exists(os.path.join(work, name)):
                    with open(os.path.join(work, name), errors="replace") as output:
                        tail = output.readlines()[-20:]
                    print(f"--- {name}, last lines:\n{''.join(tail)}")
        return status


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    program = os.path.abspath(sys.argv[1])
    if os.environ.get(SESSION_MARK):
        return in_session(program)
    return subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1024x768x24 -r", "dbus-run-session", "--",
                           sys.executable, os.path.abspath(__file__), program],
                          env=dict(os.environ, **{SESSION_MARK: "1"})).returncode


if __name__ == "__main__":
    sys.exit(main())
