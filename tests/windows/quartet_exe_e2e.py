#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays quartet.exe under Wine on a virtual X display, as a player would.

Starts Xvfb and the Windows build of the program in a Wine prefix of its own
(removed afterwards, with a CJK font in its Fonts folder), and works it with
key presses sent by xdotool. What the windows show is read from screenshots
and, for text, from the clipboard: Ctrl+C in the result list or the settings
box copies a line, which Wine hands to the X clipboard. The lines of a deal
are checked against the Linux build's --solve for the same hand.

  quartet_exe_e2e.py --program quartet.exe --linux-program quartet \
      --card-picture assets/card.bmp [--screenshots DIR]

Exit status: 0 passed, 1 failed, 77 skipped (no X server could be started).
"""

import argparse
import glob
import itertools
import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from main_window_e2e import (CLIENT_SIZE, EVENT_TIMEOUT, RESULT_LIST, SKIPPED, Client, Display,  # noqa: E402
                             Failure, check, find_window, list_ink, mismatches_with_card, read_bmp8,
                             settled, start_xvfb, stop, wait_for, window_geometry)

WINDOW_TIMEOUT = 120.0  # the first start in a fresh prefix sets up Wine's services
CJK_FONTS = "/usr/share/fonts/opentype/noto/NotoSansCJK-*.ttc"
STORE_KEY = r"HKCU\Software\Quartet\General"
MSINFO_KEYS = (r"HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO", r"HKLM\SOFTWARE\Microsoft\Shared Tools Location")


class Wine:
    """A Wine prefix of its own on the display: nothing shown but what the
    program opens, nothing written outside the prefix."""

    def __init__(self, display, folder):
        # In the C locale Wine's own programs (Notepad) have their English titles.
        self.env = dict(display.env, WINEPREFIX=folder, WINEARCH="win64", WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d", LC_ALL="C.UTF-8")
        self.run("wineboot", "--init")
        fonts = os.path.join(folder, "drive_c", "windows", "Fonts")
        for font in glob.glob(CJK_FONTS):
            os.symlink(font, os.path.join(fonts, os.path.basename(font)))

    def run(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=120)

    def start(self, program, *arguments):
        return subprocess.Popen(["wine", program, *arguments], env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL, start_new_session=True)

    def registry_value(self, key, name):
        """The text of a registry value, or None where there is none."""
        result = self.run("wine", "reg", "query", key, "/v", name)
        match = re.search(rf"^\s*{re.escape(name)}\s+REG_\w+\s+(.*?)\r?$", result.stdout, re.MULTILINE)
        return match.group(1) if result.returncode == 0 and match else None

    def set_registry_value(self, key, name, text):
        result = self.run("wine", "reg", "add", key, "/v", name, "/d", text, "/f")
        check(result.returncode == 0, f"reg add {key} {name} failed: {result.stdout}{result.stderr}")

    def delete_registry_key(self, key):
        self.run("wine", "reg", "delete", key, "/f")

    def stop(self):
        self.run("wineserver", "-k")


class WindowsEndToEnd:
    def __init__(self, display, wine, program, linux_program, card, screenshots):
        self.display, self.wine = display, wine
        self.program, self.linux_program = program, linux_program
        self.card, self.screenshots = card, screenshots
        self.process = self.window = self.origin = None
        self.passed = 0

    def ok(self, message):
        self.passed += 1
        print(f"ok {self.passed}: {message}", flush=True)

    def key(self, *keys):
        status, _ = self.display.run("xdotool", "key", "--delay", "50", *keys)
        check(status == 0, f"xdotool could not press {keys}")

    def focus(self, window):
        status, _ = self.display.run("xdotool", "windowfocus", "--sync", window)
        check(status == 0, "xdotool could not give a window the keyboard focus")

    def screen(self):
        return Client(self.display.screenshot(), self.origin)

    def keep_screenshot(self, name):
        if self.screenshots:
            self.display.run("import", "-window", "root", os.path.join(self.screenshots, name))

    def copied(self, *keys):
        """The text that Ctrl+C copies after the keys (none: at once)."""
        # xclip stays behind, holding the emptied clipboard, until the copy takes it.
        subprocess.run(["xclip", "-selection", "clipboard", "-i", "/dev/null"], env=self.display.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        self.key(*keys, "ctrl+c")

        def text():
            status, out = self.display.run("xclip", "-selection", "clipboard", "-o")
            return (out,) if status == 0 and out else None
        return wait_for(text, EVENT_TIMEOUT, f"text on the clipboard after {keys} Ctrl+C")[0]

    def start(self):
        self.process = self.wine.start(self.program)

        def shown():
            check(self.process.poll() is None, f"quartet.exe ended with status {self.process.returncode}")
            return find_window(self.display, "Quartet")
        self.window = wait_for(shown, WINDOW_TIMEOUT, "the window 'Quartet'")
        self.focus(self.window)

    def exit_with_ctrl_x(self):
        self.focus(self.window)
        self.key("ctrl+x")
        try:
            status = self.process.wait(timeout=EVENT_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure("quartet.exe still runs after Ctrl+X")
        check(status == 0, f"quartet.exe ended with status {status} after Ctrl+X")

    def measure_client_area(self):
        """The menu bar's height is where the first card picture, fixed at
        client (41, 33), is found; below it lies the layout's client area."""
        x, y, width, height = window_geometry(self.display, self.window)

        def menu_bar_height():
            picture = self.display.screenshot()
            for menu_bar in range(1, 81):
                if mismatches_with_card(Client(picture, (x, y + menu_bar)), self.card, 0) == 0:
                    return (menu_bar,)
            return None
        menu_bar, = wait_for(menu_bar_height, EVENT_TIMEOUT, "the first card picture under the menu bar")
        self.origin = (x, y + menu_bar)
        check((width, height - menu_bar) == CLIENT_SIZE,
              f"the client area is {width} x {height - menu_bar} under a {menu_bar} px menu bar, not "
              f"{CLIENT_SIZE[0]} x {CLIENT_SIZE[1]}")
        self.keep_screenshot("main-window.png")
        self.ok(f"the window 'Quartet': a {menu_bar} px menu bar over a {width} x {height - menu_bar} client area")

    def deal_and_answer(self):
        """Ctrl+D deals, Alt+A lists the hand's solutions. The list, read line
        by line through the clipboard, is what the Linux build's --solve
        prints for the hand in one order of its four values (those of the
        first line): the order of the cards dealt, which only the picture shows."""
        self.key("ctrl+d")
        wait_for(lambda: all(mismatches_with_card(self.screen(), self.card, i) > 20 for i in range(4)),
                 EVENT_TIMEOUT, "four card values after Ctrl+D")
        self.key("alt+a")
        wait_for(settled(lambda: list_ink(self.screen())), EVENT_TIMEOUT, "lines in the result list after Alt+A")
        left, top, width, _ = RESULT_LIST
        x, y = self.origin[0] + left + width // 2, self.origin[1] + top + 8
        status, _ = self.display.run("xdotool", "mousemove", str(x), str(y), "click", "1")
        check(status == 0, "xdotool could not click the result list")
        first = self.copied("Home")
        hand = [int(n) for n in re.findall(r"\d+", first)[:-1]]
        check(len(hand) == 4, f"the first line {first!r} does not name four cards")
        printed = {order: self.solve(order) for order in set(itertools.permutations(hand))}
        count = len(next(iter(printed.values())))
        lines = [first] + [self.copied("Down") for _ in range(count - 1)]
        check(self.copied("End") == lines[-1], f"the result list has more than the {count} lines of --solve")
        self.keep_screenshot("answers.png")
        check(lines in printed.values(),
              f"the window lists {lines}; the Linux build's --solve prints no such list for any order of {hand}")
        self.ok(f"a deal of {sorted(hand)} and 答案 list the {count} lines of the Linux build's --solve")

    def solve(self, hand):
        linux = subprocess.run([self.linux_program, "--solve", *map(str, hand)], capture_output=True, text=True)
        check(linux.returncode == 0, f"the Linux build's --solve {hand} ended with status {linux.returncode}")
        return linux.stdout.splitlines()

    def settings_box(self):
        self.focus(self.window)
        self.key("alt+f", "o")
        box = wait_for(lambda: find_window(self.display, "设置"), EVENT_TIMEOUT, "the settings box after Alt+F, O")
        self.focus(box)
        return box

    def settings_stored_and_read_after_a_restart(self):
        """37 entered in the settings box lands in the user's registry; after
        a restart the box offers 37 again."""
        self.settings_box()
        self.keep_screenshot("settings-box.png")
        self.key("ctrl+a")
        self.display.run("xdotool", "type", "37")
        self.key("Return")
        wait_for(lambda: find_window(self.display, "设置") is None, EVENT_TIMEOUT, "the settings box to close")
        stored = wait_for(lambda: self.wine.registry_value(STORE_KEY, "MaxVal"), EVENT_TIMEOUT,
                          f"MaxVal under {STORE_KEY}")
        check(stored == "37", f"the registry holds MaxVal {stored!r}, not '37'")
        self.exit_with_ctrl_x()
        self.start()
        self.settings_box()
        shown = self.copied("ctrl+a")
        check(shown == "37", f"after a restart the settings box offers {shown!r}, not '37'")
        self.key("Escape")
        wait_for(lambda: find_window(self.display, "设置") is None, EVENT_TIMEOUT, "the settings box to close")
        self.ok(f"the settings box stores MaxVal=37 under {STORE_KEY}; after a restart it offers 37")

    def about_dialog(self):
        self.focus(self.window)
        self.key("ctrl+a")
        about = wait_for(lambda: find_window(self.display, "关于Quartet"), EVENT_TIMEOUT, "the About dialog")
        self.focus(about)
        state = self.display.property(about, "_NET_WM_STATE")
        check("_NET_WM_STATE_SKIP_TASKBAR" in state, f"the About dialog has a task-bar entry: {state!r}")
        return about

    def system_information(self):
        """系统信息(S)... starts the tool that the registry names (Wine's
        Notepad stands in for it), and without one says it is unavailable."""
        for key in MSINFO_KEYS:
            self.wine.delete_registry_key(key)
        self.wine.set_registry_value(MSINFO_KEYS[0], "PATH", r"C:\windows\notepad.exe")
        about = self.about_dialog()
        self.keep_screenshot("about-dialog.png")
        self.key("alt+s")
        notepad = wait_for(lambda: find_window(self.display, "Untitled - Notepad"), EVENT_TIMEOUT,
                           "the tool named in the registry to start after Alt+S")
        self.focus(notepad)
        self.key("alt+F4")
        wait_for(lambda: not find_window(self.display, "Untitled - Notepad"), EVENT_TIMEOUT, "Notepad to close")
        self.wine.delete_registry_key(MSINFO_KEYS[0])
        self.focus(about)
        self.key("alt+s")

        def message_box():
            status, out = self.display.run("xdotool", "search", "--onlyvisible", "--name", "^Quartet$")
            others = [w for w in out.split() if w != self.window]
            return others[0] if others else None
        box = wait_for(message_box, EVENT_TIMEOUT, "a message box after Alt+S without the tool")
        self.keep_screenshot("system-information-message.png")
        self.focus(box)
        said = self.copied()
        check("此时系统信息无效" in said, f"the message box says {said!r}")
        self.key("Return")
        wait_for(lambda: message_box() is None, EVENT_TIMEOUT, "the message box to close after Enter")
        self.focus(about)
        self.key("Escape")
        wait_for(lambda: find_window(self.display, "关于Quartet") is None, EVENT_TIMEOUT, "the About dialog to close")
        self.ok("the About dialog has no task-bar entry; Alt+S starts the tool in the registry, "
                "and without one a message box says 此时系统信息无效")

    def command_line(self):
        """--solve prints into the pipe it is given and ends as on Linux."""
        for arguments in (["--solve", "3", "3", "8", "8"], ["--solve", "1", "1", "1", "1"], ["--bogus"]):
            windows = self.wine.run("wine", self.program, *arguments)
            linux = subprocess.run([self.linux_program, *arguments], capture_output=True, text=True)
            check(windows.returncode == linux.returncode,
                  f"quartet.exe {arguments} ends with {windows.returncode}, Linux with {linux.returncode}")
            check(windows.stdout.replace("\r\n", "\n") == linux.stdout,
                  f"quartet.exe {arguments} prints {windows.stdout!r}, Linux {linux.stdout!r}")
        self.ok("--solve prints the Linux build's lines and ends with its status")

    def run(self):
        self.command_line()
        self.start()
        self.measure_client_area()
        self.deal_and_answer()
        self.settings_stored_and_read_after_a_restart()
        self.system_information()
        self.exit_with_ctrl_x()
        self.ok("Ctrl+X ends quartet.exe with status 0")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="quartet.exe")
    parser.add_argument("--linux-program", required=True, help="the Linux build, for --solve")
    parser.add_argument("--card-picture", required=True)
    parser.add_argument("--screenshots", help="a folder for screenshots of the windows")
    args = parser.parse_args()
    for tool in ("wine", "xdotool", "xwininfo", "xclip", "import"):
        check(shutil.which(tool) is not None, f"{tool} is missing (make test-windows installs it)")
    if args.screenshots:
        os.makedirs(args.screenshots, exist_ok=True)

    server, name = start_xvfb()
    if server is None:
        print("SKIP: no X server could be started (Xvfb missing or failing)")
        return SKIPPED
    prefix = tempfile.mkdtemp(prefix="quartet-wine-e2e-")
    display = Display(name)
    wine = None
    test = None
    try:
        wine = Wine(display, prefix)
        test = WindowsEndToEnd(display, wine, os.path.abspath(args.program), args.linux_program,
                               read_bmp8(args.card_picture), args.screenshots)
        test.run()
        print(f"{test.passed} passed, 0 failed")
        return 0
    except Failure as failure:
        print(f"FAIL: {failure}")
        if args.screenshots:
            display.run("import", "-window", "root", os.path.join(args.screenshots, "failure.png"))
        print(f"{test.passed if test else 0} passed, 1 failed")
        return 1
    finally:
        if test:
            stop(test.process)
        if wine:
            wine.stop()
        stop(server)
        shutil.rmtree(prefix, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
