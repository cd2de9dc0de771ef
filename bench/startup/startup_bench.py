#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up time and peak memory of the program against a bare Qt window.

  startup_bench.py PROGRAM BARE_WINDOW [--runs 20]

Both run on one Xvfb, alternately, each inside its own session bus
(dbus-run-session), so that nothing either of them starts outlives its run.
The time is taken from the moment the program is started to the moment the
X server reports its top-level window mapped (a MapNotify seen by xev on the
root window); the peak resident memory is GNU time's %M. Each run then ends
its program with Ctrl+X, as a player would, right after the window is shown.
Prints the medians and the program's ratios to the bare window.
"""

import argparse
import os
import queue
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time

TARGET_RATIO = 1.3
MAP_TIMEOUT = 30.0
EXIT_TIMEOUT = 10.0

# Started by dbus-run-session once the bus is up: says it is ready, then waits
# for the go, so that the bus's own start-up is outside the measured time.
LAUNCHER = 'echo ready; read -r go; exec /usr/bin/time -f %M -o "$0" "$@" >/dev/null 2>&1'


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        start_new_session=True)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        ready, _, _ = select.select([read_end], [], [], 30)
        chunk = os.read(read_end, 16) if ready else b""
        if not chunk:
            server.kill()
            sys.exit("startup_bench: Xvfb did not start")
        number += chunk
    os.close(read_end)
    return server, ":" + number.strip().decode()


class MapWatcher:
    """Reads the root window's substructure events from xev and queues the
    windows that get mapped, with the time each report arrived."""

    def __init__(self, env):
        self.events = queue.Queue()
        self.xev = subprocess.Popen(["xev", "-root", "-event", "substructure"],
                                    stdout=subprocess.PIPE, env=env, text=True, bufsize=1)
        threading.Thread(target=self._read, daemon=True).start()
        self._wait_until_listening(env)

    def _read(self):
        # MapNotify event, serial 18, synthetic NO, window <root>,
        #     event <root>, window <mapped window>, override NO
        arrived = None
        for line in self.xev.stdout:
            if line.startswith("MapNotify event"):
                arrived = time.monotonic()
            elif arrived is not None:
                window = line.split("window ")[1].split(",")[0].strip()
                self.events.put((arrived, window))
                arrived = None

    def _wait_until_listening(self, env):
        """Maps a throw-away window until xev reports it: from then on no map is missed."""
        probe = subprocess.Popen(["xmessage", "-timeout", "30", "probe"], env=env,
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.events.get(timeout=MAP_TIMEOUT)
        probe.kill()
        probe.wait()
        self.drain()

    def drain(self):
        while not self.events.empty():
            self.events.get_nowait()

    def next_map(self):
        return self.events.get(timeout=MAP_TIMEOUT)

    def stop(self):
        self.xev.kill()
        self.xev.wait()


def run_once(program, env, watcher, workdir):
    """One start: seconds to the mapped window, and peak memory in KiB."""
    memory_file = os.path.join(workdir, "maxrss")
    if os.path.exists(memory_file):
        os.remove(memory_file)
    watcher.drain()
    session = subprocess.Popen(
        ["dbus-run-session", "--", "/bin/sh", "-c", LAUNCHER, memory_file, program],
        env=env, stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
        text=True, start_new_session=True)
    try:
        if session.stdout.readline().strip() != "ready":
            raise RuntimeError("the session bus did not start")
        started = time.monotonic()
        session.stdin.write("go\n")
        session.stdin.flush()
        mapped, window = watcher.next_map()
        subprocess.run(["xdotool", "windowfocus", "--sync", window], env=env, check=True)
        subprocess.run(["xdotool", "key", "ctrl+x"], env=env, check=True)
        session.wait(timeout=EXIT_TIMEOUT)
    finally:
        if session.poll() is None:
            os.killpg(session.pid, signal.SIGKILL)
            session.wait()
    with open(memory_file) as file:
        peak = int(file.read().split()[-1])
    return mapped - started, peak


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("bare_window")
    parser.add_argument("--runs", type=int, default=20)
    args = parser.parse_args()
    for tool in ("Xvfb", "xev", "xmessage", "xdotool", "dbus-run-session", "/usr/bin/time"):
        if shutil.which(tool) is None:
            sys.exit(f"startup_bench: {tool} is missing (scripts/install-deps.sh installs it)")

    server, display = start_xvfb()
    workdir = tempfile.mkdtemp(prefix="quartet-startup-")
    config = os.path.join(workdir, "config")
    runtime = os.path.join(workdir, "runtime")
    os.makedirs(config)
    os.makedirs(runtime, mode=0o700)
    env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=runtime)
    env.pop("WAYLAND_DISPLAY", None)
    env.pop("QT_QPA_PLATFORM", None)
    watcher = MapWatcher(env)

    programs = {"quartet": os.path.abspath(args.program),
                "bare window": os.path.abspath(args.bare_window)}
    results = {name: ([], []) for name in programs}
    try:
        for name, path in programs.items():  # one unmeasured start each warms the caches
            run_once(path, env, watcher, workdir)
        for _ in range(args.runs):
            for name, path in programs.items():
                seconds, peak = run_once(path, env, watcher, workdir)
                results[name][0].append(seconds)
                results[name][1].append(peak)
    finally:
        watcher.stop()
        server.terminate()
        server.wait()
        shutil.rmtree(workdir, ignore_errors=True)

    medians = {name: (statistics.median(times), statistics.median(peaks))
               for name, (times, peaks) in results.items()}
    print(f"Start-up to mapped window and peak resident memory, medians of {args.runs} "
          "alternating runs each on Xvfb:")
    for name, (seconds, peak) in medians.items():
        print(f"  {name:<12} {seconds * 1000:7.1f} ms   {peak / 1024:6.1f} MiB")
    time_ratio = medians["quartet"][0] / medians["bare window"][0]
    memory_ratio = medians["quartet"][1] / medians["bare window"][1]
    print(f"  ratio        {time_ratio:7.2f} x     {memory_ratio:6.2f} x")
    verdict = "within" if max(time_ratio, memory_ratio) <= TARGET_RATIO else "NOT within"
    print(f"  {verdict} the target of {TARGET_RATIO} x the bare window on both")
    return 0


if __name__ == "__main__":
    sys.exit(main())
