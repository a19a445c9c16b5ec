#!/usr/bin/env python3
"""Fails when the product's rooms include each other the wrong way.

Reads the quoted #include lines of every source and resource file in the rooms
and fails when two rooms include each other (directly or through others), when
framework/ includes a program room, when common/ includes any room but
framework/, when library/ includes show/, setup/ or app/, when picture/
includes decode/ or display/, when decode/ and display/ include each other, or
when any of picture/, decode/ and display/ includes library/, show/, setup/ or
app/.
"""
import os
import re
import sys

ROOMS = ["app", "show", "setup", "library", "decode", "display", "picture", "common",
         "framework", "res"]
ABOVE_PICTURES = {"library", "show", "setup", "app"}
FORBIDDEN = {
    "framework": set(ROOMS) - {"framework"},
    "common": set(ROOMS) - {"common", "framework"},
    "library": {"show", "setup", "app"},
    "picture": ABOVE_PICTURES | {"decode", "display"},
    "decode": ABOVE_PICTURES | {"display"},
    "display": ABOVE_PICTURES | {"decode"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCES = (".cpp", ".h", ".rc")


def room_of(path):
    first = path.split(os.sep, 1)[0]
    return first if first in ROOMS else None


def included_room(including_file, name, top):
    # Includes name a file from the top of the tree, or relative to the file.
    for base in (top, os.path.dirname(os.path.join(top, including_file))):
        candidate = os.path.relpath(os.path.normpath(os.path.join(base, name)), top)
        if os.path.exists(os.path.join(top, candidate)):
            return room_of(candidate)
    return room_of(os.path.normpath(name))


def read_edges(top):
    edges = {}  # (from room, to room) -> the first include line that makes it
    for room in ROOMS:
        for folder, _, files in os.walk(os.path.join(top, room)):
            for file in sorted(files):
                if not file.endswith(SOURCES):
                    continue
                path = os.path.relpath(os.path.join(folder, file), top)
                with open(os.path.join(top, path), encoding="utf-8", errors="replace") as text:
                    for number, line in enumerate(text, 1):
                        match = INCLUDE.match(line)
                        target = match and included_room(path, match.group(1), top)
                        if target and target != room:
                            edges.setdefault((room, target), f"{path}:{number}: {line.strip()}")
    return edges


def reaches(edges, start, goal):
    seen, todo = set(), [start]
    while todo:
        room = todo.pop()
        for (source, target) in edges:
            if source == room and target not in seen:
                seen.add(target)
                todo.append(target)
    return goal in seen


def main():
    # The tree is the one this script is in, or the one named (for its tests).
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    top = os.path.normpath(sys.argv[1] if len(sys.argv) > 1 else here)
    edges = read_edges(top)
    faults = []
    for (source, target), where in sorted(edges.items()):
        if target in FORBIDDEN.get(source, ()):
            faults.append(f"{source}/ must not include {target}/: {where}")
        elif reaches(edges, target, source):
            faults.append(f"{source}/ and {target}/ include each other: {where}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
