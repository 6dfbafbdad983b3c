"""Prints the name and text of every accessible object inside top-level windows whose name
is argv[1], one per line, for the application tests."""

import sys

import pyatspi


def walk(node, depth=0):
    if node is None or depth > 20:
        return
    name = node.name or ""
    if name:
        print(name)
    try:
        text = node.queryText()
        content = text.getText(0, text.characterCount)
        if content and content != name:
            print(content)
    except NotImplementedError:
        pass
    except Exception:
        pass
    for i in range(node.childCount):
        walk(node.getChildAtIndex(i), depth + 1)


def main():
    title = sys.argv[1]
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        for window in app:
            if window is not None and window.name == title:
                walk(window)


main()
