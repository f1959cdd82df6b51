#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Uses the running program as a screen reader does, over the AT-SPI bus: presses the
# thumbnail "Vodnář" and the topic "Povolání" through their actions, then reads the window's
# title, which sign and topic report themselves checked, and the text.
# usage: screenreader.py PATH/TO/catalogue/texts/10105.txt
import sys
import time

import pyatspi


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def application():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name.lower() == "astrelo":
                return app
        time.sleep(0.1)
    fail("the program is not on the accessibility bus")


def main_window(app):
    for _ in range(50):
        for node in walk(app):
            if node.getRoleName() in ("frame", "window") and node.name.startswith("Astrelo - "):
                return node
        time.sleep(0.1)
    fail("no window titled Astrelo - ...")


def press(window, name):
    for node in walk(window):
        if node.name == name and node.getRoleName() != "label":
            action = node.queryAction()
            names = [action.getName(i).lower() for i in range(action.nActions)]
            if "press" not in names:
                fail(f"{name} offers no press action: {names}")
            action.doAction(names.index("press"))
            time.sleep(0.5)
            return
    fail(f"nothing named {name} to press")


def checked(window, role):
    return [n.name for n in walk(window)
            if n.getRoleName() == role and n.getState().contains(pyatspi.STATE_CHECKED)]


app = application()
window = main_window(app)
press(window, "Vodnář")
press(window, "Povolání")
window = main_window(app)
if window.name != "Astrelo - Vodnář":
    fail(f"title {window.name!r}")
if sorted(checked(window, "radio button")) != ["MS Sans Serif", "Povolání", "Vodnář"]:
    fail(f"checked: {checked(window, 'radio button')}")
planets = [n for n in walk(window) if n.name == "Saturn a Uran"]
if len(planets) != 1:
    fail(f"the planets are announced {len(planets)} times")
texts = [n for n in walk(window) if n.getRoleName() == "text"]
if len(texts) != 1:
    fail(f"{len(texts)} text boxes")
text = texts[0].queryText()
shown = text.getText(0, text.characterCount)
expected = open(sys.argv[1], encoding="utf-8").read().strip()
if shown.replace("\r", "").replace("\n", "") != expected.replace("\n", ""):
    fail(f"the text read back is not text 10105: {shown[:60]!r}...")
# The text box's actions: "toggle" is its double-click (the settings panel), "press" its click.
panel = [n for n in walk(window) if n.name == "Nastavení textového okna" and n.getRoleName() == "panel"]
action = texts[0].queryAction()
names = [action.getName(i).lower() for i in range(action.nActions)]
for name, shown in (("toggle", True), ("press", False)):
    action.doAction(names.index(name))
    time.sleep(0.5)
    if len(panel) != 1 or panel[0].getState().contains(pyatspi.STATE_SHOWING) != shown:
        fail(f"the text box's {name} did not {'show' if shown else 'hide'} the settings panel")
print("ok: pressed Vodnář and Povolání; title, checked states and text 10105 read back")
