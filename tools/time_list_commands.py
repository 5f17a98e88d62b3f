#!/usr/bin/env python3
"""Times the list commands of a running Kesto window while an accessibility
client listens on the desktop's accessibility bus (AT-SPI), as a screen reader
such as Orca does. Without a listener Qt sends no events, so a window can be
fast for a sighted user and still stall for hours under a screen reader.

Run it next to a window with a long list, for example through
tools/check-accessibility.sh --time 2000. Prints one line per command with
its time and the number of events the listener received, and exits 1 when a
command takes longer than the limit (default 1 s).

    time_list_commands.py [APPLICATION-NAME] [--limit SECONDS] [--rows N] [--walk]

--rows N waits until the window has listed N files before it begins.

--walk first visits every cell of the list, as a reader that reads the whole
table does, so that the commands run with every cell in Qt's cache.
"""
import collections
import sys
import time

import pyatspi
from gi.repository import GLib

app_name = "kesto"
limit = 1.0
walk = False
expected_rows = 0
args = sys.argv[1:]
while args:
    arg = args.pop(0)
    if arg == "--limit":
        limit = float(args.pop(0))
    elif arg == "--walk":
        walk = True
    elif arg == "--rows":
        expected_rows = int(args.pop(0))
    else:
        app_name = arg.lower()

# The events Orca asks for; Qt sends an event only when someone asked for it.
LISTENED = [
    "object:state-changed", "object:children-changed", "object:text-changed",
    "object:text-caret-moved", "object:selection-changed", "object:active-descendant-changed",
    "object:property-change", "object:visible-data-changed", "object:value-changed",
    "object:row-inserted", "object:row-deleted", "object:model-changed",
    "window:activate", "focus:",
]

events = collections.Counter()


def on_event(event):
    events[event.type.split(":")[0] + ":" + event.type.split(":")[1]] += 1


def find_application():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for app in desktop:
            if app is not None and (app.name or "").lower() == app_name:
                return app
        time.sleep(0.2)
    return None


def find(node, predicate, depth=0):
    if predicate(node):
        return node
    if depth > 12 or node.getRoleName() == "table":
        return None
    for child in node:
        if child is not None:
            found = find(child, predicate, depth + 1)
            if found is not None:
                return found
    return None


def press(button):
    action = button.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click"):
            action.doAction(i)
            return
    action.doAction(0)


def main():
    app = find_application()
    if app is None:
        print(f"no application named {app_name!r} on the accessibility bus", file=sys.stderr)
        return 1
    buttons = {}
    for caption in ("Alle auswählen", "Keine Auswahl", "Auswahl umkehren"):
        buttons[caption] = find(app, lambda n, c=caption: n.getRoleName() == "push button"
                                and n.name == c)
    counts = find(app, lambda n: n.getRoleName() == "label" and n.description == "Dateianzahl")
    table = find(app, lambda n: n.getRoleName() == "table")
    if None in buttons.values() or counts is None or table is None:
        print("list buttons, count panel or table not found", file=sys.stderr)
        return 1
    if expected_rows:
        loaded = f"{expected_rows} von {expected_rows} Dateien markiert"
        start = time.monotonic()
        while counts.name != loaded:
            if time.monotonic() - start > 600:
                print(f"the list did not reach {expected_rows} rows in 600 s", file=sys.stderr)
                return 1
            time.sleep(0.5)
        print(f"{expected_rows} files listed after {time.monotonic() - start:.1f} s of waiting")
    rows = table.queryTable().nRows
    if walk:
        # A reader that has visited every cell keeps them all in Qt's cache.
        start = time.monotonic()
        cells = sum(1 for _ in table)
        print(f"visited {cells} children of the table in {time.monotonic() - start:.1f} s")
    for kind in LISTENED:
        pyatspi.Registry.registerEventListener(on_event, kind)

    # Each step presses a button, then waits (running the listener's loop)
    # until the count panel shows the expected text.
    steps = [("Keine Auswahl", f"0 von {rows} Dateien markiert", False),
             ("Alle auswählen", f"{rows} von {rows} Dateien markiert", True),
             ("Keine Auswahl", f"0 von {rows} Dateien markiert", True),
             ("Auswahl umkehren", f"{rows} von {rows} Dateien markiert", True)]
    results = []
    state = {"step": -1, "start": 0.0}
    loop = GLib.MainLoop()

    def next_step():
        state["step"] += 1
        if state["step"] >= len(steps):
            loop.quit()
            return False
        events.clear()
        state["start"] = time.monotonic()
        press(buttons[steps[state["step"]][0]])
        GLib.timeout_add(20, poll)
        return False

    def poll():
        caption, expected, timed = steps[state["step"]]
        if counts.name != expected:
            if time.monotonic() - state["start"] > 600:
                print(f"{caption}: no result after 600 s", file=sys.stderr)
                loop.quit()
            return True
        elapsed = time.monotonic() - state["start"]

        def finish():
            # The events sent with the command may still be on their way.
            if timed:
                results.append((caption, elapsed, sum(events.values()), dict(events)))
            next_step()
            return False

        GLib.timeout_add(300, finish)
        return False

    GLib.idle_add(next_step)
    loop.run()
    for kind in LISTENED:
        pyatspi.Registry.deregisterEventListener(on_event, kind)

    failed = False
    print(f"{rows} rows, a client listening to {len(LISTENED)} kinds of events:")
    for caption, elapsed, total, kinds in results:
        over = elapsed > limit
        failed |= over
        detail = ", ".join(f"{k} {n}" for k, n in sorted(kinds.items()))
        print(f"  {caption:18} {elapsed:7.3f} s  {total:6} events  ({detail})"
              + ("  TOO SLOW" if over else ""))
    if len(results) != len(steps) - 1:
        return 1
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
