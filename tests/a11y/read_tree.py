#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the running program's accessible tree over AT-SPI and checks that a
screen reader finds its controls: the four command buttons, the thirteen
card-value buttons, the result list and the named card pictures."""
import sys
import time

import pyatspi

COMMANDS = ["发牌(D)", "答案(A)", "指定牌(S)", "退出(X)"]
CARD_PICTURES = ["第1张牌", "第2张牌", "第3张牌", "第4张牌"]


def find_application(name, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == name:
                return app
        time.sleep(0.1)
    return None


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def main():
    app = find_application(sys.argv[1], 20)
    if app is None:
        print("FAIL: the program did not appear on the accessibility bus")
        return 1
    nodes = list(walk(app))
    buttons = [n.name for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    lists = [n for n in nodes if n.getRole() in (pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX)]
    names = {n.name for n in nodes}

    failures = []
    for caption in COMMANDS:
        if not any(b.replace("&", "") == caption or b == caption for b in buttons):
            failures.append(f"command button {caption} missing (buttons: {buttons})")
    values = [str(v) for v in range(1, 14)]
    missing_values = [v for v in values if v not in buttons]
    if missing_values:
        failures.append(f"card-value buttons missing: {missing_values}")
    if len(lists) != 1 or lists[0].name != "答案":
        failures.append(f"expected one list named 答案, found {[l.name for l in lists]}")
    for picture in CARD_PICTURES:
        if picture not in names:
            failures.append(f"card picture {picture} has no accessible name")

    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print(f"ok: {len(buttons)} buttons, the result list and the card pictures found")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
