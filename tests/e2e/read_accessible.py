"""Prints what a screen reader finds in the running program: one line per accessible object,
its role, name and whether it is showing, indented by depth. Exit status 1 when the program is
not on the accessibility bus."""
import sys

import pyatspi


def walk(node, depth):
    showing = node.getState().contains(pyatspi.STATE_SHOWING)
    print(f"{'  ' * depth}{node.getRoleName()}|{node.name}|{'showing' if showing else 'hidden'}")
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1)


found = False
for app in pyatspi.Registry.getDesktop(0):
    if app is not None and app.name == sys.argv[1]:
        walk(app, 0)
        found = True
sys.exit(0 if found else 1)
