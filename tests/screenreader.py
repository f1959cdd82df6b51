#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Uses the running program as a screen reader does, over the AT-SPI bus: presses the
# thumbnail "Vodnář" and the topic "Povolání" through their actions and reads back the title,
# the chosen tabs of the two rows, the names and roles, and text 10105 by visual line; opens the settings
# panel through the text box's action and finds its labels, their states and the size by
# pointing at them.
# usage: screenreader.py PATH/TO/catalogue/texts/10105.txt
import sys
import time

import pyatspi
from gi.repository import GLib


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def wait_for(what, check, seconds=10):
    """Polls check() until it gives something true, for at most a few seconds."""
    deadline = time.monotonic() + seconds
    while True:
        pump()
        result = check()
        if result:
            return result
        if time.monotonic() > deadline:
            fail(f"{what} (waited {seconds} s)")
        time.sleep(0.05)


# The events a screen reader hears: (event, source name, detail).
events = []


def pump():
    """Lets the events that have come in reach the listener."""
    loop = GLib.MainLoop()
    GLib.timeout_add(20, loop.quit)
    loop.run()


def heard(kind, name):
    return [e for e in events if e[0] == kind and e[1] == name]


def walk(node):
    """What a screen reader meets: the node and, depth first, its children that are showing."""
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
            yield from walk(child)


def application():
    return next((a for a in pyatspi.Registry.getDesktop(0)
                 if a is not None and a.name.lower() == "astrelo"), None)


def main_window():
    return next((n for n in walk(app) if n.getRoleName() in ("frame", "window")
                 and n.name.startswith("Astrelo - ")), None)


def named(name, role=None):
    return [n for n in walk(window) if n.name == name and role in (None, n.getRoleName())]


def act(node, action):
    actions = node.queryAction()
    names = [actions.getName(i).lower() for i in range(actions.nActions)]
    if action not in names:
        fail(f"{node.name} offers no action {action}: {names}")
    actions.doAction(names.index(action))


def press(name):
    """Clicks a control by its action: "press", or "toggle" for a check box or radio button."""
    node = wait_for(f"nothing named {name} to press",
                    lambda: [n for n in named(name) if n.getRoleName() != "label"])[0]
    act(node, "toggle" if node.getRoleName() in ("check box", "radio button") else "press")


def marked(role, state=pyatspi.STATE_CHECKED):
    return sorted(n.name for n in walk(window)
                  if n.getRoleName() == role and n.getState().contains(state))


def tabs(row):
    lists = named(row, "page tab list")
    return [lists[0].getChildAtIndex(i).name for i in range(lists[0].childCount)] if lists else []


def first_at(node, x, y):
    """What Orca's mouse review finds at a point: depth first, the first child that covers it."""
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None and child.getState().contains(pyatspi.STATE_SHOWING) \
                and child.queryComponent().contains(x, y, pyatspi.DESKTOP_COORDS):
            return first_at(child, x, y)
    return node


def at_point(node):
    """What a screen reader finds under the middle of a control (mouse review)."""
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return window.queryComponent().getAccessibleAtPoint(
        box.x + box.width // 2, box.y + box.height // 2, pyatspi.DESKTOP_COORDS)


pyatspi.Registry.registerEventListener(
    lambda e: events.append((e.type, e.source.name if e.source else None, e.detail1)),
    "object:state-changed:checked", "object:selection-changed")
app = wait_for("the program is not on the accessibility bus", application)
window = wait_for("no window titled Astrelo - ...", main_window)
# From the start the status line says where the reader is.
wait_for("the status line does not name the choice at start-up",
         lambda: named("Beran, Povaha", "status bar"))
press("Vodnář")
wait_for("the title did not follow the sign", lambda: window.name == "Astrelo - Vodnář")
# A new choice in a row of tabs is told as a new selection of the row, never as a box checked.
wait_for(f"no selection told for the row Znamení: {events}",
         lambda: heard("object:selection-changed", "Znamení"))
if heard("object:state-changed:checked", "Vodnář"):
    fail(f"Vodnář told as checked: {events}")
# Pointing at a thumbnail or a topic finds that tab (mouse review).
for name in ("Vodnář", "Láska"):
    found = at_point(named(name, "page tab")[0])
    if found is None or (found.getRoleName(), found.name) != ("page tab", name):
        fail(f"pointing at the tab {name} finds {found and (found.getRoleName(), found.name)}")
press("Povolání")
wait_for(f"chosen tabs: {marked('page tab', pyatspi.STATE_SELECTED)}",
         lambda: marked("page tab", pyatspi.STATE_SELECTED) == ["Povolání", "Vodnář"])
if tabs("Znamení")[::11] != ["Beran", "Ryby"] or len(tabs("Znamení")) != 12 \
        or tabs("Téma") != ["Povaha", "Vzhled", "Nemoci", "Láska", "Dětství", "Povolání"]:
    fail(f"the rows of tabs: {tabs('Znamení')}, {tabs('Téma')}")
# Names and roles as they are seen: each sign name once (on its thumbnail), the heading, the
# picture named after its sign, the planets once and readable under the pointer.
if len(named("Beran")) != 1:
    fail(f"the sign name Beran is heard {len(named('Beran'))} times")
if not named("VODNÁŘ - AQUARIUS", "heading") or not named("Vodnář", "image"):
    fail("no heading VODNÁŘ - AQUARIUS, or no picture named Vodnář")
planets = named("Saturn a Uran")
if len(planets) != 1 or at_point(planets[0]).name != "Saturn a Uran":
    fail(f"the planets are heard {len(planets)} times, or not found under the pointer")

texts = [n for n in walk(window) if n.getRoleName() == "text"]
if len(texts) != 1:
    fail(f"{len(texts)} text boxes")
text = texts[0].queryText()
shown = text.getText(0, text.characterCount)
paragraphs = open(sys.argv[1], encoding="utf-8").read().strip().split("\n\n")
if shown.replace("\r", "").replace("\n", "") != "".join(paragraphs):
    fail(f"the text read back is not text 10105: {shown[:60]!r}...")
# The text by the lines it is shown in: the first line begins the first paragraph and ends
# well before it; its size and face come with it.
line, start, end = text.getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_LINE_START)
if start != 0 or not 20 < len(line.strip()) < len(paragraphs[0]) or not paragraphs[0].startswith(line.strip()):
    fail(f"the first line is {start}..{end}: {line!r}")
# Just past the last character there is nothing more to read, and the last line ends there.
count = text.characterCount
line, start, end = text.getTextAtOffset(count, pyatspi.TEXT_BOUNDARY_LINE_START)
if end != count or not line or not shown.endswith(line) or text.getTextAtOffset(count, pyatspi.TEXT_BOUNDARY_CHAR)[0]:
    fail(f"at the end of the text ({count}): the line {start}..{end} {line!r}")
if text.getTextAtOffset(count + 1, pyatspi.TEXT_BOUNDARY_LINE_START)[0]:
    fail("a line is read past the end of the text")
attributes = dict(a.split(":", 1) for a in text.getAttributeRun(0, False)[0])
if attributes.get("size") != "8" or attributes.get("family-name", "").strip('"') != "MS Sans Serif":
    fail(f"the text's attributes: {attributes}")

# The text box's "toggle" is its double-click: the settings panel comes, above the text box.
act(texts[0], "toggle")
bigger = wait_for("the settings panel did not come", lambda: named("Zvětšit písmo o 1 bod"))[0]
wait_for("the panel's opening does not say how it closes", lambda: named(
    "Nastavení textového okna otevřeno, zavře se klávesou Escape nebo klepnutím na text či na prázdné místo panelu", "notification"))
if at_point(bigger).name != "Zvětšit písmo o 1 bod":
    fail(f"pointing at the panel finds {at_point(bigger).name!r}")
box = bigger.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
found = first_at(window, box.x + box.width // 2, box.y + box.height // 2)
if found.name != "Zvětšit písmo o 1 bod":
    fail(f"mouse review over the panel finds {found.getRoleName()} {found.name!r}")
# The text box holds nothing but a scroll bar in use: no unnamed child to take the focus.
if any(c.getRoleName() != "scroll bar" for c in texts[0]):
    fail(f"the text box holds {[c.getRoleName() for c in texts[0]]}")
wait_for("the size is not heard", lambda: named("Velikost písma 8", "label"))
if marked("radio button") != ["MS Sans Serif"]:
    fail(f"checked with the panel shown: {marked('radio button')}")
press("Tučné")
press("Zvětšit písmo o 1 bod")
# The size told is the new one.
wait_for("the notice does not tell the new size",
         lambda: named("Velikost písma 9", "notification"))
wait_for(f"Tučné not told as checked: {events}",
         lambda: ("object:state-changed:checked", "Tučné", 1) in events)
wait_for(f"checked boxes: {marked('check box')}", lambda: marked("check box") == ["Tučné"])
wait_for("the size did not follow", lambda: named("Velikost písma 9", "label"))
if named("Nastavení textového okna", "panel") and any(
        n.name == "Nastavení textového okna" for n in walk(named("Nastavení textového okna")[0])
        if n.getRoleName() not in ("panel", "label")):
    fail("the panel's drawn marks are heard as the panel")
# The notice tells what the restore brings back; the status line still says where the reader is.
press("Původní nastavení")
wait_for("the notice does not tell the restore", lambda: named(
    "Původní nastavení: písmo MS Sans Serif, velikost 8, bez tučného a kurzívy", "notification"))
if not named("Vodnář, Povolání", "status bar"):
    fail("the status line does not name the choice after the panel's changes")
# At the smallest and the largest size the notice says so (the presses apart, as a quick
# second one is a double-click).
for button, presses, told in (("Zmenšit", 7, "1, nejmenší"), ("Zvětšit", 71, "72, největší")):
    for _ in range(presses):
        press(f"{button} písmo o 1 bod")
        time.sleep(0.45)
    wait_for(f"the size {told} is not told as such",
             lambda: named(f"Velikost písma {told}", "notification"))
act(texts[0], "press")
wait_for("the text box's press did not hide the panel", lambda: not named("Zvětšit písmo o 1 bod"))
# Opened again (a double-click time later), the panel is told in short: how it closes was told
# the first time.
time.sleep(0.6)
act(texts[0], "toggle")
wait_for("the panel's second opening is not told in short",
         lambda: named("Nastavení textového okna otevřeno", "notification"))
act(texts[0], "press")
wait_for("the panel did not hide again", lambda: not named("Zvětšit písmo o 1 bod"))
# The about window has nothing that takes the keyboard: the screen reader's focus rests on its
# title line, inside the window.
press("O programu")
about = wait_for("the about window did not come",
                 lambda: next((w for w in app if w is not None and w.name == "O programu"), None))
wait_for("the about window's title line does not hold the focus", lambda: [
    n for n in walk(about) if n.name == "Astrelo v1.1." and n.getState().contains(pyatspi.STATE_FOCUSED)])
print("ok: pressed Vodnář and Povolání; title, chosen tabs, names, roles, lines, the panel and "
      "the about window")
