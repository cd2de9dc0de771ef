#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the built program on a real X server, as a player would.

Starts Xvfb on a free display and the program on it, first alone, then under
the openbox window manager, with its settings in a temporary directory, and
works it only through the X server: window lookup, window-manager properties (xprop), screenshots
(ImageMagick `import`) and key presses and clicks sent by xdotool. Every wait
polls a condition with a deadline; nothing sleeps for a fixed time.

  main_window_e2e.py --program PATH --card-picture assets/card.bmp

Exit status: 0 passed, 1 failed, 77 skipped (no X server could be started).
"""

import argparse
import contextlib
import ctypes
import ctypes.util
import os
import re
import select
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time

SKIPPED = 77

# The window's client area and the places in it that the layout fixes, in
# pixels (twips / 15). Controls on a panel are placed from the inside of its
# one-pixel border.
CLIENT_SIZE = (438, 328)
CARD_DISPLAY = (24, 16, 209, 268)       # Picture1: left, top, width, height
RESULT_LIST = (248, 16, 169, 268)       # lstResult
CARD_PICTURES = [(17, 17), (113, 17), (17, 137), (113, 137)]  # Image1..4 on Picture1
CARD_LABELS = [(41, 49, 49, 49), (137, 49, 49, 57), (41, 169, 49, 65), (137, 169, 57, 65)]
COMMAND_BUTTONS = [(24, 296, 89, 25), (125, 296, 89, 25), (227, 296, 89, 25), (328, 296, 89, 25)]

SCREEN_SIZE = (1024, 768)
# _MOTIF_WM_HINTS: the functions a window asks its frame to offer.
MWM_HINTS_FUNCTIONS = 0x1
MWM_FUNC_MINIMIZE = 0x8
MWM_FUNC_MAXIMIZE = 0x10
MWM_FUNC_CLOSE = 0x20

WINDOW_TIMEOUT = 60.0   # generous: a sanitizer build starts slowly
EVENT_TIMEOUT = 15.0
EXIT_TIMEOUT = 2.0

# Written by the system information tool of the test's desktop when it starts.
SYSTEM_INFORMATION_MARKER = "system-information-started"


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def settled(observe):
    """A condition that holds once observe() gives the same non-empty
    answer twice in a row, so that a half-painted screen is not judged."""
    last = [None]

    def condition():
        now = observe()
        stable = now if now and now == last[0] else None
        last[0] = now
        return stable
    return condition


def wait_for(condition, timeout, what, interval=0.05):
    """Polls condition() until it returns something true, or fails."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


# --------------------------------------------------------------------------
# Pictures

class Picture:
    """An RGB picture with pixel access, top row first."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def region(self, left, top, width, height):
        return [self.pixel(x, y) for y in range(top, top + height)
                for x in range(left, left + width)]


def read_ppm(data):
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    check(match is not None, "the screenshot is not a PPM image")
    width, height, maxval = (int(group) for group in match.groups())
    check(maxval == 255, f"the screenshot has {maxval + 1} levels per channel, not 256")
    pixels = data[match.end():match.end() + width * height * 3]
    check(len(pixels) == width * height * 3, "the screenshot is truncated")
    return Picture(width, height, pixels)


def read_bmp8(path):
    """An uncompressed 8-bit BMP file with a palette, as RGB."""
    with open(path, "rb") as file:
        data = file.read()
    check(data[:2] == b"BM", f"{path} is not a BMP file")
    offset, = struct.unpack_from("<I", data, 10)
    header_size, width, height, _, bits = struct.unpack_from("<IiiHH", data, 14)
    check(bits == 8 and height > 0, f"{path} is not a bottom-up 8-bit BMP file")
    palette_at = 14 + header_size
    stride = (width + 3) // 4 * 4
    rgb = bytearray()
    for y in range(height):
        row = offset + (height - 1 - y) * stride
        for index in data[row:row + width]:
            blue, green, red = data[palette_at + 4 * index:palette_at + 4 * index + 3]
            rgb += bytes((red, green, blue))
    return Picture(width, height, bytes(rgb))


# --------------------------------------------------------------------------
# The X server and the program

def start_xvfb():
    """Starts Xvfb on a display of its own choosing; None if it cannot."""
    xvfb = shutil.which("Xvfb")
    if xvfb is None:
        return None, None
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        [xvfb, "-displayfd", str(write_end), "-screen", "0", f"{SCREEN_SIZE[0]}x{SCREEN_SIZE[1]}x24",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        start_new_session=True)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 30
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([read_end], [], [], 0.5)
        if ready:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        elif server.poll() is not None:
            break
    os.close(read_end)
    if not number.strip().isdigit():
        stop(server)
        return None, None
    return server, ":" + number.strip().decode()


def start_window_manager(display):
    """Starts openbox on the display and waits until it manages windows."""
    manager = subprocess.Popen(["openbox", "--sm-disable"], env=display.env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    wait_for(lambda: "window id" in display.property(None, "_NET_SUPPORTING_WM_CHECK"), EVENT_TIMEOUT,
             "openbox to manage the display")
    return manager


def stop(process):
    """Ends a process started in a session of its own, with all it started."""
    if process is None or process.poll() is not None:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(timeout=5)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()


class Display:
    def __init__(self, name):
        self.env = dict(os.environ, DISPLAY=name)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.env.pop("QT_QPA_PLATFORM", None)

    def run(self, *command):
        result = subprocess.run(command, env=self.env, capture_output=True, text=True)
        return result.returncode, result.stdout

    def property(self, window, name):
        """An X property as xprop prints it, on a window or (None) the root."""
        where = ["-root"] if window is None else ["-id", window]
        _, out = self.run("xprop", *where, name)
        return out.partition("=")[2].strip() if "=" in out else out

    def window_in(self, window, name):
        """The window that a property names, on a window or (None) the root."""
        found = re.search(r"0x[0-9a-f]+", self.property(window, name))
        return int(found.group(0), 16) if found else None

    def set_root_atoms(self, name, atoms):
        """Sets a list of atoms on the root window, through Xlib: xprop sets one value only."""
        xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
        xlib.XOpenDisplay.restype = ctypes.c_void_p
        xlib.XDefaultRootWindow.argtypes = (ctypes.c_void_p,)
        xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        xlib.XInternAtom.argtypes = (ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int)
        xlib.XInternAtom.restype = ctypes.c_ulong
        xlib.XChangeProperty.argtypes = (ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong,
                                         ctypes.c_int, ctypes.c_int, ctypes.c_void_p, ctypes.c_int)
        xlib.XCloseDisplay.argtypes = (ctypes.c_void_p,)
        connection = xlib.XOpenDisplay(self.env["DISPLAY"].encode())
        check(connection is not None, "Xlib cannot open the display")
        values = (ctypes.c_ulong * len(atoms))(*(xlib.XInternAtom(connection, atom.encode(), 0) for atom in atoms))
        xa_atom, replace = 4, 0
        root, property_name = xlib.XDefaultRootWindow(connection), xlib.XInternAtom(connection, name.encode(), 0)
        xlib.XChangeProperty(connection, root, property_name, xa_atom, 32, replace, values, len(atoms))
        xlib.XCloseDisplay(connection)

    def stacking(self):
        """The managed windows, bottom first, as the window manager stacks them."""
        return [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", self.property(None, "_NET_CLIENT_LIST_STACKING"))]

    def screenshot(self):
        result = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                                env=self.env, capture_output=True)
        check(result.returncode == 0, "import could not take a screenshot: "
              + result.stderr.decode(errors="replace").strip())
        return read_ppm(result.stdout)


def find_window(display, title, pid=None):
    by_pid = ["--all", "--pid", str(pid)] if pid else []
    status, out = display.run("xdotool", "search", "--onlyvisible", *by_pid, "--name",
                              "^" + re.escape(title) + "$")
    windows = out.split()
    return windows[0] if status == 0 and windows else None


def window_geometry(display, window):
    status, out = display.run("xwininfo", "-id", window)
    check(status == 0, "xwininfo cannot describe the window")
    fields = {}
    for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
        match = re.search(re.escape(key) + r":\s+(-?\d+)", out)
        check(match is not None, f"xwininfo gives no '{key}'")
        fields[key] = int(match.group(1))
    return (fields["Absolute upper-left X"], fields["Absolute upper-left Y"],
            fields["Width"], fields["Height"])


# --------------------------------------------------------------------------
# Buses and display servers that misbehave

GUID = b"0123456789abcdef0123456789abcdef"


def each_line(reply):
    """Answers every line heard (an authentication command) with reply."""
    return lambda heard, answered: reply if heard.count(b"\r\n") > answered else b""


def first_words(reply):
    """Answers the first bytes heard with reply, and then nothing."""
    return lambda heard, answered: reply if not answered else b""


def silent(heard, answered):
    return b""


class FakePeer:
    """A listening socket (a path, or a TCP port where path is None) that
    stands for a bus or a display server: every connection it takes is
    answered by answer(bytes heard, replies sent), or, with relay_to, passed
    on to that socket only after a delay. Counts the connections."""

    def __init__(self, path, answer=silent, relay_to=None, delay=0.0):
        self.path, self.answer, self.relay_to, self.delay = path, answer, relay_to, delay
        self.socket = socket.socket(socket.AF_UNIX if path else socket.AF_INET)
        self.socket.bind(path or ("127.0.0.1", 0))
        self.socket.listen(16)
        self.address = f"unix:path={path}" if path else f"tcp:host=127.0.0.1,port={self.socket.getsockname()[1]}"
        self.connections = 0
        threading.Thread(target=self.serve, daemon=True).start()

    def serve(self):
        while True:
            try:
                peer, _ = self.socket.accept()
            except OSError:
                return
            self.connections += 1
            threading.Thread(target=self.relay if self.relay_to else self.talk, args=(peer,), daemon=True).start()

    def talk(self, peer):
        heard, answered = b"", 0
        with peer, contextlib.suppress(OSError):
            while chunk := peer.recv(4096):
                heard += chunk
                if reply := self.answer(heard, answered):
                    peer.sendall(reply)
                    answered += 1

    def relay(self, peer):
        time.sleep(self.delay)
        with peer, socket.socket(socket.AF_UNIX) as upstream, contextlib.suppress(OSError):
            upstream.connect(self.relay_to)
            ends = {peer: upstream, upstream: peer}
            while True:
                for ready in select.select(list(ends), [], [])[0]:
                    data = ready.recv(65536)
                    if not data:
                        return
                    ends[ready].sendall(data)

    def close(self):
        self.socket.close()
        if self.path:
            os.remove(self.path)


# --------------------------------------------------------------------------
# The checks, each on a screenshot in the window's client coordinates

class Client:
    """A screenshot seen through the window's client area."""

    def __init__(self, picture, origin):
        self.picture = picture
        self.origin = origin

    def pixel(self, x, y):
        return self.picture.pixel(self.origin[0] + x, self.origin[1] + y)

    def region(self, left, top, width, height):
        return self.picture.region(self.origin[0] + left, self.origin[1] + top, width, height)


def card_picture_at(index):
    return CARD_DISPLAY[0] + CARD_PICTURES[index][0], CARD_DISPLAY[1] + CARD_PICTURES[index][1]


def mismatches_with_card(client, card, index, area=None):
    """Pixels of card picture `index` (or of an area on it) unlike card.bmp."""
    left, top = card_picture_at(index)
    ax, ay, aw, ah = area if area else (0, 0, card.width, card.height)
    shown = client.region(left + ax, top + ay, aw, ah)
    expected = card.region(ax, ay, aw, ah)
    return sum(1 for a, b in zip(shown, expected) if a != b)


def label_area_on_card(index):
    """A card label's rectangle relative to its card picture, clipped to it."""
    lx, ly, lw, lh = CARD_LABELS[index]
    px, py = CARD_PICTURES[index]
    return lx - px, ly - py, min(lw, 75 - (lx - px)), min(lh, 102 - (ly - py))


def luminance(rgb):
    return 0.299 * rgb[0] + 0.587 * rgb[1] + 0.114 * rgb[2]


def check_panel_border(client):
    """Picture1's thin sunken border: shadow along the top and left edges,
    light along the bottom and right ones, exactly on its rectangle."""
    left, top, width, height = CARD_DISPLAY
    right, bottom = left + width - 1, top + height - 1
    shadow = {client.pixel(x, top) for x in range(left, right)} \
        | {client.pixel(left, y) for y in range(top, bottom)}
    light = {client.pixel(x, bottom) for x in range(left, right + 1)} \
        | {client.pixel(right, y) for y in range(top, bottom + 1)}
    check(len(shadow) == 1, f"the top and left edges of the card display are not one colour: {shadow}")
    check(len(light) == 1, f"the bottom and right edges of the card display are not one colour: {light}")
    shadow, light = shadow.pop(), light.pop()
    check(luminance(shadow) < luminance(light),
          f"the card display's border is not sunken: edges {shadow} above, {light} below")
    outside = {client.pixel(left - 1, top + height // 2), client.pixel(left + width // 2, top - 1),
               client.pixel(right + 1, top + height // 2), client.pixel(left + width // 2, bottom + 1)}
    inside = {client.pixel(left + 1, top + height // 2), client.pixel(left + width // 2, top + 1),
              client.pixel(right - 1, top + height // 2), client.pixel(left + width // 2, bottom - 1)}
    check(shadow not in outside | inside and light not in outside | inside,
          "the card display's border is wider than one pixel or out of place")
    return shadow, light


def list_ink(client):
    """Rows of the result list's inside that differ from its background."""
    left, top, width, height = RESULT_LIST
    inner = (left + 3, top + 3, width - 6, height - 6)
    background = client.pixel(inner[0] + inner[2] - 1, inner[1] + inner[3] - 1)
    rows = []
    for y in range(inner[1], inner[1] + inner[3]):
        if any(client.pixel(x, y) != background for x in range(inner[0], inner[0] + inner[2])):
            rows.append(y)
    return rows


def ink_pixels(client, rect):
    """Pixels inside a button that are much darker than its face."""
    left, top, width, height = rect
    face = client.pixel(left + 3, top + height // 2)
    return sum(1 for p in client.region(left + 3, top + 3, width - 6, height - 6)
               if luminance(p) < luminance(face) - 96)


# --------------------------------------------------------------------------

class EndToEnd:
    def __init__(self, display, program, card, workdir):
        self.display = display
        self.program = program
        self.card = card
        self.workdir = workdir
        self.process = None
        self.window = None
        self.origin = None
        self.passed = 0

    def ok(self, message):
        self.passed += 1
        print(f"ok {self.passed}: {message}", flush=True)

    def runtime_folder(self):
        runtime = os.path.join(self.workdir, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        return runtime

    def launch(self, variables=None, stderr=None, scale=1):
        """Starts the program on a session bus of its own, so that nothing Qt
        starts on one outlives the test, or with the variables that name the
        buses and displays of a hostile start; Qt scales it by scale."""
        config = os.path.join(self.workdir, "config")
        os.makedirs(config, exist_ok=True)
        env = dict(self.display.env, XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=self.runtime_folder())
        env.update(self.desktop_with_system_information_tool(), QT_SCALE_FACTOR=str(scale))
        if variables is None:
            command = ["dbus-run-session", "--", self.program]
        else:
            command = [self.program]
            env.pop("DBUS_SESSION_BUS_ADDRESS", None)
            env.update(variables)
        return subprocess.Popen(command, env=env, stderr=stderr, start_new_session=True)

    def start_program(self, scale=1):
        self.process = self.launch(scale=scale)

    def screen(self):
        return Client(self.display.screenshot(), self.origin)

    def key(self, keys):
        status, _ = self.display.run("xdotool", "key", keys)
        check(status == 0, f"xdotool could not press {keys}")

    def wait_for_window(self, timeout=WINDOW_TIMEOUT, by_pid=False):
        def mapped():
            check(self.process.poll() is None,
                  f"the program ended with status {self.process.returncode} before showing its window")
            return find_window(self.display, "Quartet", self.process.pid if by_pid else None)
        self.window = wait_for(mapped, timeout, "the window 'Quartet'")
        status, name = self.display.run("xdotool", "getwindowname", self.window)
        check(status == 0 and name.rstrip("\n") == "Quartet", f"the window's title is {name!r}")
        self.ok("the window 'Quartet' is shown")

    def measure_client_area(self):
        """The window that xdotool finds is the Qt window inside openbox's
        frame: the menu bar above the client area. The menu bar's
        height is where the first card picture, fixed at client (41, 33),
        is found; the rest of the window must then be the 438 x 328 client area."""
        x, y, width, height = window_geometry(self.display, self.window)

        def menu_bar_height():
            picture = self.display.screenshot()
            for menu_bar in range(0, 81):
                client = Client(picture, (x, y + menu_bar))
                if mismatches_with_card(client, self.card, 0, (0, 0, 75, 4)) == 0 \
                        and mismatches_with_card(client, self.card, 0) == 0:
                    return (menu_bar,)  # a tuple: a menu bar of 0 px is still an answer
            return None
        menu_bar, = wait_for(menu_bar_height, EVENT_TIMEOUT,
                              f"the card picture drawn at client x = {card_picture_at(0)[0]}")
        check(menu_bar > 0, "the window shows no menu bar above its client area")
        self.origin = (x, y + menu_bar)
        client_size = (width, height - menu_bar)
        check(client_size == CLIENT_SIZE,
              f"the client area is {client_size[0]} x {client_size[1]}, window {width} x {height} "
              f"with a {menu_bar} px menu bar")
        self.ok(f"window {width} x {height}: a {menu_bar} px menu bar over a "
                f"{client_size[0]} x {client_size[1]} client area")

    def check_start_picture(self):
        client = self.screen()
        for index in range(4):
            wrong = mismatches_with_card(client, self.card, index)
            check(wrong == 0, f"card picture {index + 1} at client "
                  f"{card_picture_at(index)} differs from card.bmp in {wrong} pixels")
        self.ok("the four card pictures show card.bmp's sky, pixel for pixel, at their places")
        shadow, light = check_panel_border(client)
        self.ok(f"the card display has its one-pixel sunken border ({shadow[0]} above, {light[0]} below)")
        check(list_ink(client) == [], "the result list is not empty at start")
        for rect, caption in zip(COMMAND_BUTTONS, ("发牌", "答案", "指定牌", "退出")):
            check(ink_pixels(client, rect) > 30, f"the button {caption} shows no caption")
        self.ok("the result list is empty and the four command buttons show captions")

    def focus(self):
        status, _ = self.display.run("xdotool", "windowfocus", "--sync", self.window)
        check(status == 0, "xdotool could not give the window the keyboard focus")

    def answer_with_alt_a(self):
        self.focus()
        self.key("alt+a")
        rows = wait_for(settled(lambda: list_ink(self.screen())), EVENT_TIMEOUT,
                        "a line in the result list after Alt+A")
        check(rows[-1] - rows[0] < 24,
              f"the result list shows more than one line (ink on rows {rows[0]} to {rows[-1]})")
        check(rows[0] - RESULT_LIST[1] < 12, "the line is not at the top of the result list")
        self.ok(f"Alt+A shows one line at the top of the result list (rows {rows[0]}-{rows[-1]})")

    def deal_with_ctrl_d(self):
        self.key("ctrl+d")

        def dealt():
            client = self.screen()
            changed = [mismatches_with_card(client, self.card, i, label_area_on_card(i)) > 20
                       for i in range(4)]
            return client if all(changed) and list_ink(client) == [] else None
        client = wait_for(dealt, EVENT_TIMEOUT,
                          "all four card labels to show values and the list to empty after Ctrl+D")
        # Only the labels are drawn on: the card pictures keep their sky elsewhere.
        for index in range(4):
            _, ly, _, _ = label_area_on_card(index)
            top_band = mismatches_with_card(client, self.card, index, (0, 0, 75, ly))
            check(top_band == 0, f"card picture {index + 1} changed above its label")
        self.ok("Ctrl+D deals: four values on the card pictures, the result list emptied")

    def frame_centre(self, window):
        """The centre of the window's frame (of the window itself where nothing frames it)."""
        extents = self.display.property(window, "_NET_FRAME_EXTENTS")
        left, right, top, bottom = (int(v) for v in extents.split(",")) if "," in extents else (0, 0, 0, 0)
        x, y, width, height = window_geometry(self.display, window)
        return x - left + (left + width + right) / 2, y - top + (top + height + bottom) / 2

    def centre_offset(self, window, title, centre=(SCREEN_SIZE[0] / 2, SCREEN_SIZE[1] / 2), on="the screen",
                      scale=1):
        """How far the window's frame stands from a centre, by default the
        screen's; fails beyond one of the window's (scaled) pixels."""
        off = tuple(a - b for a, b in zip(self.frame_centre(window), centre))
        check(abs(off[0]) <= scale and abs(off[1]) <= scale,
              f"{title}'s frame stands {off} away from the centre of {on}")
        return off

    def hostile_cases(self):
        """Starts among buses and display servers that misbehave, the fakes of
        each: its variables, the fakes it must leave out (connected to once,
        by the program's own check, never by Qt) and those it must keep."""
        work = os.path.join(self.workdir, "fakes")
        os.makedirs(work)
        fake = lambda name, *how, **relay: FakePeer(os.path.join(work, name), *how, **relay)
        nonce = os.path.join(work, "nonce")
        with open(nonce, "wb") as file:
            file.write(os.urandom(16))
        daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1",
                                   f"--address=unix:path={work}/real-bus"], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True, start_new_session=True)
        daemon.stdout.readline()
        error, data, rejected = (fake(name, each_line(line)) for name, line in (
            ("error", b"ERROR\r\n"), ("data", b"DATA\r\n"), ("rejected", b"REJECTED DBUS_COOKIE_SHA1\r\n")))
        garbage = fake("garbage", each_line(b"\x89PNG garbage\xff\r\n"))
        ok_garbage = fake("ok-garbage", first_words(b"OK " + GUID + b"\r\n" + b"\xde\xad\xbe\xef" * 8))
        ok_silent = fake("ok-silent", first_words(b"OK " + GUID + b"\r\n"))
        in_runtime_folder = FakePeer(os.path.join(self.runtime_folder(), "bus"), first_words(b"OK " + GUID + b"\r\n"))
        tcp, nonce_tcp = FakePeer(None), FakePeer(None)
        silent_socket, wayland_silent = fake("silent"), fake("wayland-silent")
        wayland_garbage = fake("wayland-garbage", first_words(b"\x01garbage" * 4))
        slow = fake("slow-bus", relay_to=f"{work}/real-bus", delay=2.1)
        sleep = shutil.which("sleep")
        on_wayland = {"XDG_SESSION_TYPE": "wayland"}
        cases = [
            ("ERROR on the session bus, DATA on the accessibility bus, a silent Wayland socket",
             {"DBUS_SESSION_BUS_ADDRESS": error.address, "AT_SPI_BUS_ADDRESS": data.address,
              "WAYLAND_DISPLAY": wayland_silent.path, **on_wayland}, [error, data, wayland_silent], []),
            ("REJECTED DBUS_COOKIE_SHA1, garbage, a Wayland socket that answers garbage",
             {"DBUS_SESSION_BUS_ADDRESS": rejected.address, "AT_SPI_BUS_ADDRESS": garbage.address,
              "WAYLAND_DISPLAY": wayland_garbage.path, **on_wayland}, [rejected, garbage, wayland_garbage], []),
            ("OK then garbage, a silent TCP bus, no Wayland compositor at WAYLAND_DISPLAY",
             {"DBUS_SESSION_BUS_ADDRESS": ok_garbage.address, "AT_SPI_BUS_ADDRESS": tcp.address,
              "WAYLAND_DISPLAY": f"{work}/no-compositor", **on_wayland}, [ok_garbage, tcp], []),
            ("the runtime folder's bus that answers OK and then nothing, a silent nonce-TCP bus",
             {"AT_SPI_BUS_ADDRESS": f"nonce-{nonce_tcp.address},noncefile={nonce}"},
             [in_runtime_folder, nonce_tcp], []),
            ("a silent bus after entries that fail at once (tmpdir, launchd, no socket), a silent unixexec bus",
             {"DBUS_SESSION_BUS_ADDRESS": f"unix:tmpdir={work};launchd:env=QUARTET_NO_LAUNCHD;unix:path={work}/none;"
                                          + silent_socket.address,
              "AT_SPI_BUS_ADDRESS": f"unixexec:path={sleep},argv1=60"}, [silent_socket], []),
            ("a session bus that answers after 2.1 s (kept), an accessibility bus that answers OK and then nothing",
             {"DBUS_SESSION_BUS_ADDRESS": slow.address, "AT_SPI_BUS_ADDRESS": ok_silent.address}, [ok_silent], [slow]),
        ]
        return cases, [error, data, rejected, garbage, ok_garbage, ok_silent, in_runtime_folder, tcp, nonce_tcp,
                       silent_socket, wayland_silent, wayland_garbage, slow], daemon

    def hostile_starts(self):
        """On a bare X server nothing places a window but the program. Started
        among buses and display servers that take connections and then say
        nothing or what is not their protocol, all at once, each start opens
        its window centred all the same, quietly on X, and answers Ctrl+X:
        the display check gives up on a display after 2 s, the bus check on a
        bus after 10 s and leaves it out; a slow bus is kept."""
        cases, fakes, daemon = self.hostile_cases()
        processes = []
        try:
            started = time.monotonic()
            errors = [tempfile.TemporaryFile(dir=self.workdir) for _ in cases]
            processes = [self.launch(variables, stderr) for (_, variables, _, _), stderr in zip(cases, errors)]
            windows = []
            for self.process in processes:
                self.wait_for_window(by_pid=True)
                windows.append((self.window, time.monotonic() - started))
            # Only now, with every window shown, does the focus stay where it is put.
            for (what, _, left_out, kept), self.process, (self.window, seconds), stderr in zip(
                    cases, processes, windows, errors):
                off = self.centre_offset(self.window, "the main window")
                self.focus()
                self.exit_with_ctrl_x()
                stderr.seek(0)
                said = stderr.read().decode(errors="replace")
                check("wayland" not in said.lower(), f"{what}: the program speaks of Wayland: {said!r}")
                for peer in left_out:
                    check(peer.connections == 1, f"{what}: {peer.connections} connections to {peer.address}, not 1")
                for peer in kept:
                    check(peer.connections >= 2, f"{what}: Qt left out {peer.address}")
                self.ok(f"{what}: window centred (off by {off}) {seconds:.1f} s after the start")
        finally:
            for process in processes:  # with what it started (a unixexec bus)
                with contextlib.suppress(ProcessLookupError):
                    os.killpg(process.pid, signal.SIGKILL)
            for peer in fakes:
                peer.close()
            stop(daemon)

    def check_frame(self, window, title):
        """The window asks for a frame with the close box only and a fixed
        size; openbox then offers neither maximising nor resizing. (Openbox
        keeps its minimise button on every window, whatever the window asks.)
        The frame stands centred on the screen, to the pixel."""
        motif = [int(v, 16) for v in re.findall(r"0x[0-9a-f]+", self.display.property(window, "_MOTIF_WM_HINTS"))]
        check(len(motif) == 5 and motif[0] & MWM_HINTS_FUNCTIONS, f"{title} sets no frame functions: {motif}")
        check(motif[1] & MWM_FUNC_CLOSE and not motif[1] & (MWM_FUNC_MINIMIZE | MWM_FUNC_MAXIMIZE),
              f"{title} asks for frame functions {motif[1]:#x}, not the close box alone")
        hints = self.display.property(window, "WM_NORMAL_HINTS")
        sizes = re.findall(r"program specified (minimum|maximum) size: (\d+) by (\d+)", hints)
        check(len(sizes) == 2 and sizes[0][1:] == sizes[1][1:], f"{title} can be resized: {hints!r}")
        allowed = self.display.property(window, "_NET_WM_ALLOWED_ACTIONS")
        check("_NET_WM_ACTION_CLOSE" in allowed, f"openbox offers no close box on {title}")
        for action in ("_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"):
            check(action not in allowed, f"openbox offers {action} on {title}")
        check("," in self.display.property(window, "_NET_FRAME_EXTENTS"), f"openbox tells no frame of {title}")
        return self.centre_offset(window, title)

    def stays_at_its_size_when_maximised(self, window, title):
        """A maximise request through _NET_WM_STATE (what a desktop's
        maximise action sends) leaves the window unmaximised at its own size.
        Openbox handles requests in turn, so once the "above" asked for next
        shows, the maximise has been dealt with."""
        before = window_geometry(self.display, window)
        for change in ("add,maximized_vert,maximized_horz", "add,above"):
            status, _ = self.display.run("wmctrl", "-i", "-r", window, "-b", change)
            check(status == 0, f"wmctrl could not send {change} to {title}")
        wait_for(lambda: "_NET_WM_STATE_ABOVE" in self.display.property(window, "_NET_WM_STATE"), EVENT_TIMEOUT,
                 f"openbox to deal with the requests to {title}")
        last = [None]

        def unmaximised():
            last[0] = (self.display.property(window, "_NET_WM_STATE"), window_geometry(self.display, window))
            return "MAXIMIZED" not in last[0][0] and last[0][1] == before
        try:
            wait_for(unmaximised, EVENT_TIMEOUT, f"{title} to be back at its size")
        except Failure:
            raise Failure(f"{title} stays maximised after a maximise request: {last[0]}, was {before}")
        self.display.run("wmctrl", "-i", "-r", window, "-b", "remove,above")

    def settings_box_of_one_size(self):
        """The settings box (Alt+F, O) tells the window manager one size,
        and openbox offers neither resizing nor maximising it; Esc closes it."""
        self.focus()
        self.key("alt+f")
        self.key("o")
        box = wait_for(lambda: find_window(self.display, "设置"), EVENT_TIMEOUT, "the settings box after Alt+F, O")
        wait_for(lambda: int(box) in self.display.stacking(), EVENT_TIMEOUT, "openbox to manage the settings box")
        hints = self.display.property(box, "WM_NORMAL_HINTS")
        sizes = re.findall(r"program specified (minimum|maximum) size: (\d+) by (\d+)", hints)
        check(len(sizes) == 2 and sizes[0][1:] == sizes[1][1:], f"the settings box can be resized: {hints!r}")
        allowed = self.display.property(box, "_NET_WM_ALLOWED_ACTIONS")
        for action in ("_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"):
            check(action not in allowed, f"openbox offers {action} on the settings box")
        self.stays_at_its_size_when_maximised(box, "the settings box")
        self.key("Escape")
        wait_for(lambda: find_window(self.display, "设置") is None, EVENT_TIMEOUT, "the settings box to close after Esc")
        self.ok(f"the settings box: one size ({sizes[0][1]} x {sizes[0][2]}), neither resized nor maximised")

    def in_front(self, upper, lower):
        order = self.display.stacking()
        return order.index(int(upper)) > order.index(int(lower))

    def check_main_window_frame(self):
        off = self.check_frame(self.window, "the main window")
        self.stays_at_its_size_when_maximised(self.window, "the main window")
        self.ok(f"the main window: close box only, fixed size, centred (frame centre off by {off}), "
                "not maximised on request")

    def about_dialog_beside_the_main_window(self):
        """The About dialog has no task-bar entry and no owner: it is not kept
        above the main window, which a click brings in front of it."""
        self.key("ctrl+a")
        about = wait_for(lambda: find_window(self.display, "关于Quartet"), EVENT_TIMEOUT,
                         "the About dialog after Ctrl+A")
        wait_for(lambda: int(about) in self.display.stacking(), EVENT_TIMEOUT, "openbox to manage the About dialog")
        off = self.check_frame(about, "the About dialog")
        self.stays_at_its_size_when_maximised(about, "the About dialog")
        state = self.display.property(about, "_NET_WM_STATE")
        check("_NET_WM_STATE_SKIP_TASKBAR" in state, f"the About dialog has a task-bar entry: {state!r}")
        owner = self.display.property(about, "WM_TRANSIENT_FOR")
        check("not found" in owner, f"the About dialog belongs to another window: {owner!r}")
        check(self.in_front(about, self.window), "the About dialog opened behind the main window")
        # An empty place on the main window's menu bar, clear of the dialog.
        status, _ = self.display.run("xdotool", "mousemove", "--window", self.window, "420", "8", "click", "1")
        check(status == 0, "xdotool could not click the main window")
        wait_for(lambda: self.in_front(self.window, about), EVENT_TIMEOUT,
                 "the main window to come in front of the About dialog after a click")
        status, _ = self.display.run("xdotool", "windowactivate", "--sync", about)
        check(status == 0, "xdotool could not activate the About dialog")
        self.key("Escape")
        wait_for(lambda: find_window(self.display, "关于Quartet") is None, EVENT_TIMEOUT,
                 "the About dialog to close after Esc")
        self.focus()
        self.ok(f"the About dialog: close box only, fixed size, centred (off by {off}), no task-bar entry, "
                "no owner; a click brings the main window in front of it")

    def desktop_with_system_information_tool(self):
        """The environment of a desktop whose one system information tool is
        hardinfo.desktop in a private XDG data folder, its Exec a script that
        writes its arguments into a marker file."""
        applications = os.path.join(self.workdir, "data", "applications")
        os.makedirs(applications, exist_ok=True)
        marker = os.path.join(self.workdir, SYSTEM_INFORMATION_MARKER)
        tool = os.path.join(self.workdir, "marker tool")
        with open(tool, "w", encoding="utf-8") as file:
            file.write(f"#!/bin/sh\nprintf '%s\\n' \"$@\" >'{marker}.part' && mv '{marker}.part' '{marker}'\n")
        os.chmod(tool, 0o755)
        with open(os.path.join(applications, "hardinfo.desktop"), "w", encoding="utf-8") as file:
            file.write(f'[Desktop Entry]\nType=Application\nName=HardInfo\nExec="{tool}" "system information"\n')
        return {"XDG_DATA_HOME": os.path.join(self.workdir, "user-data"),
                "XDG_DATA_DIRS": os.path.join(self.workdir, "data")}

    def system_information_with_alt_s(self):
        """Ctrl+A opens the About dialog; its Alt+S (系统信息(S)...) starts the
        desktop's tool, which writes the marker. With the tool gone, Alt+S
        shows a message box that belongs to the dialog; Enter closes the box
        and gives the focus back to the dialog (openbox itself would hand it
        to the main window), so Esc closes the dialog."""
        self.key("ctrl+a")
        about = wait_for(lambda: find_window(self.display, "关于Quartet"), EVENT_TIMEOUT,
                         "the About dialog after Ctrl+A")
        status, _ = self.display.run("xdotool", "windowfocus", "--sync", about)
        check(status == 0, "xdotool could not give the About dialog the keyboard focus")
        self.key("alt+s")
        marker = os.path.join(self.workdir, SYSTEM_INFORMATION_MARKER)
        wait_for(lambda: os.path.exists(marker), EVENT_TIMEOUT, "the system information tool to start after Alt+S")
        with open(marker, encoding="utf-8") as file:
            arguments = file.read()
        check(arguments == "system information\n", f"the tool was started with {arguments!r}")
        os.remove(os.path.join(self.workdir, "data", "applications", "hardinfo.desktop"))
        self.key("alt+s")
        def focused_box():
            active = self.display.window_in(None, "_NET_ACTIVE_WINDOW")
            return active if active not in (None, int(about), int(self.window)) else None
        box = wait_for(focused_box, EVENT_TIMEOUT, "a message box to take the focus after Alt+S without the tool")
        owner = self.display.window_in(hex(box), "WM_TRANSIENT_FOR")
        check(owner == int(about), f"the message box belongs to window {owner}, not to the About dialog")
        off = self.centre_offset(hex(box), "the message box", self.frame_centre(about), "the About dialog")
        self.key("Return")
        wait_for(lambda: self.display.window_in(None, "_NET_ACTIVE_WINDOW") == int(about), EVENT_TIMEOUT,
                 "the focus to come back to the About dialog after Enter closes the message box")
        self.key("Escape")
        wait_for(lambda: find_window(self.display, "关于Quartet") is None, EVENT_TIMEOUT,
                 "the About dialog to close after Esc")
        self.focus()
        self.ok("Ctrl+A, Alt+S starts the desktop's system information tool (hardinfo.desktop); without it a message "
                f"box centred on About (off by {off}) that gives the focus back to it; Esc closes About")

    def exit_with_ctrl_x(self):
        check(self.process.poll() is None,
              f"the program ended with status {self.process.returncode} before Ctrl+X")
        started = time.monotonic()
        self.key("ctrl+x")
        try:
            status = self.process.wait(timeout=EXIT_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise Failure(f"the program still runs {EXIT_TIMEOUT:.0f} s after Ctrl+X")
        check(status == 0, f"the program ended with status {status} after Ctrl+X")
        self.ok(f"Ctrl+X ends the program with status 0 after {time.monotonic() - started:.2f} s")

    def starts_centred(self, scale=1):
        """Starts the program and waits for its framed window to stand
        centred; returns how far off it stands, and how wide it is."""
        self.start_program(scale)
        self.wait_for_window()
        last = [None]

        def centred():
            if "," not in self.display.property(self.window, "_NET_FRAME_EXTENTS"):
                return None
            try:
                return (self.centre_offset(self.window, "the main window", scale=scale),)
            except Failure as failure:
                last[0] = failure
                return None
        try:
            off, = wait_for(centred, EVENT_TIMEOUT, "the main window's frame to stand centred")
        except Failure:
            raise last[0] or Failure("the main window could not be measured")
        width = window_geometry(self.display, self.window)[2]
        stop(self.process)
        return off, width

    def centred_when_scaled(self):
        """Qt scales the window by 2 (QT_SCALE_FACTOR) while the window
        manager tells the frame in the screen's pixels: the frame still
        stands centred."""
        off, width = self.starts_centred(scale=2)
        check(width == 2 * CLIENT_SIZE[0], f"scaled by 2, the window is {width} px wide")
        self.ok(f"scaled by 2 ({width} px wide), the frame stands centred (off by {off})")

    def centred_when_frame_told_late(self):
        """Window managers such as KWin tell the frame only as they take the
        window on: openbox is made to look like one by taking the frame request
        out of the features it announces. The frame still stands centred."""
        supported = [atom.strip() for atom in self.display.property(None, "_NET_SUPPORTED").split(",")]
        check("_NET_REQUEST_FRAME_EXTENTS" in supported, "openbox announces no frame request")
        supported.remove("_NET_REQUEST_FRAME_EXTENTS")
        self.display.set_root_atoms("_NET_SUPPORTED", supported)
        off, _ = self.starts_centred()
        self.ok(f"where the window manager tells the frame only as it frames the window, the frame still "
                f"stands centred (off by {off})")

    def run(self):
        self.start_program()
        self.wait_for_window()
        self.measure_client_area()
        self.check_main_window_frame()
        self.check_start_picture()
        self.answer_with_alt_a()
        self.deal_with_ctrl_d()
        self.settings_box_of_one_size()
        self.about_dialog_beside_the_main_window()
        self.system_information_with_alt_s()
        self.exit_with_ctrl_x()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--card-picture", required=True)
    parser.add_argument("--keep-screenshot", help="write the last screenshot here on failure")
    args = parser.parse_args()

    for tool in ("xdotool", "xwininfo", "xprop", "import", "dbus-run-session", "openbox", "wmctrl"):
        if shutil.which(tool) is None:
            print(f"FAIL: {tool} is missing (scripts/install-deps.sh installs it)")
            return 1

    server, name = start_xvfb()
    if server is None:
        print("SKIP: no X server could be started (Xvfb missing or failing)")
        return SKIPPED
    workdir = tempfile.mkdtemp(prefix="quartet-e2e-")
    display = Display(name)
    test = EndToEnd(display, args.program, read_bmp8(args.card_picture), workdir)
    manager = None
    try:
        test.hostile_starts()
        manager = start_window_manager(display)
        test.run()
        test.centred_when_scaled()
        test.centred_when_frame_told_late()
        print(f"{test.passed} passed, 0 failed")
        return 0
    except Failure as failure:
        print(f"FAIL: {failure}")
        if args.keep_screenshot:
            subprocess.run(["import", "-window", "root", args.keep_screenshot],
                           env=test.display.env, check=False)
        print(f"{test.passed} passed, 1 failed")
        return 1
    finally:
        stop(test.process)
        stop(manager)
        stop(server)
        shutil.rmtree(workdir, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
