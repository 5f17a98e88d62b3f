#!/usr/bin/env python3
"""Dumps the accessible tree of a running Kesto window from the desktop's
accessibility bus (AT-SPI), the way a screen reader sees it, and lists the
controls a keyboard user can focus but a screen reader cannot name.

Run it next to the window, for example through tools/check-accessibility.sh.
Exits 1 when the application is not found or a focusable control has no name.

    dump_accessibility.py [APPLICATION-NAME] [--rows N]
"""
import sys
import time

import pyatspi

app_name = "kesto"
max_rows = 3
args = sys.argv[1:]
while args:
    arg = args.pop(0)
    if arg == "--rows":
        max_rows = int(args.pop(0))
    else:
        app_name = arg.lower()

STATE_NAMES = {
    pyatspi.STATE_FOCUSABLE: "focusable",
    pyatspi.STATE_FOCUSED: "focused",
    pyatspi.STATE_SHOWING: "showing",
    pyatspi.STATE_SENSITIVE: "enabled",
    pyatspi.STATE_CHECKED: "checked",
    pyatspi.STATE_SELECTED: "selected",
    pyatspi.STATE_EDITABLE: "editable",
}


def find_application():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(50):
        for app in desktop:
            if app is not None and (app.name or "").lower() == app_name:
                return app
        time.sleep(0.2)
    return None


def states_of(node):
    s = node.getState()
    return [name for state, name in STATE_NAMES.items() if s.contains(state)]


def value_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        pass
    try:
        return str(node.queryValue().currentValue)
    except NotImplementedError:
        return None


def labelled_by(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                names.append(relation.getTarget(i).name)
    return names


unnamed = []


def walk(node, depth, path):
    role = node.getRoleName()
    name = node.name or ""
    states = states_of(node)
    line = "  " * depth + f"[{role}] {name!r}"
    if node.description:
        line += f" ({node.description})"
    value = value_of(node)
    if value and value != name and role not in ("label", "status bar"):
        line += f" = {value!r}"
    labels = labelled_by(node)
    if labels:
        line += f" <labelled by {', '.join(repr(l) for l in labels)}>"
    if states:
        line += "  {" + ", ".join(states) + "}"
    print(line)
    if "focusable" in states and "showing" in states and not name.strip() and not labels \
            and role not in ("table cell", "table column header", "page tab"):
        unnamed.append(f"{path}/{role}")
    children = list(node)
    shown = children
    if role == "table":
        # Headers and the first rows are enough to see what a reader says.
        shown = [c for c in children if "column header" in c.getRoleName()]
        cells = [c for c in children if "column header" not in c.getRoleName()]
        columns = max(1, len(shown))
        shown += cells[: columns * max_rows]
        if len(cells) > columns * max_rows:
            print("  " * (depth + 1) + f"... {len(cells) - columns * max_rows} more cells")
    for child in shown:
        if child is not None:
            walk(child, depth + 1, f"{path}/{name or role}")


def main():
    app = find_application()
    if app is None:
        print(f"no application named {app_name!r} on the accessibility bus", file=sys.stderr)
        return 1
    walk(app, 0, "")
    if unnamed:
        print("\nfocusable controls without a name:")
        for u in unnamed:
            print("  " + u)
        return 1
    print("\nevery focusable, shown control has a name")
    return 0


if __name__ == "__main__":
    sys.exit(main())
