#!/usr/bin/env python3
"""scripts/check-layout.py on small trees of its rooms: each rule of the picture
rooms fails on one planted include, and a tree that keeps the rules passes."""
import os
import subprocess
import sys
import tempfile

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                     "check-layout.py")
ROOMS = ["app", "show", "setup", "library", "decode", "display", "picture", "common"]
# Includes that keep the layers: each room includes one file of a room below.
ALLOWED = [("decode", "picture"), ("display", "picture"), ("library", "decode"),
           ("show", "display"), ("picture", "common")]
PLANTED = [("picture", "decode"), ("picture", "display"), ("decode", "display"),
           ("display", "decode")] + [(low, high) for low in ("picture", "decode", "display")
                                     for high in ("library", "show", "setup", "app")]


def check(includes):
    with tempfile.TemporaryDirectory() as top:
        for room in ROOMS:
            os.mkdir(os.path.join(top, room))
            with open(os.path.join(top, room, "thing.h"), "w") as header:
                header.write("#pragma once\n")
        for source, target in includes:
            with open(os.path.join(top, source, f"uses_{target}.cpp"), "w") as text:
                text.write(f'#include "{target}/thing.h"\n')
        return subprocess.run([CHECK, top], capture_output=True, text=True)


def main():
    failures = []
    if check(ALLOWED).returncode != 0:
        failures.append("a tree that keeps the layers fails")
    for planted in PLANTED:
        result = check(ALLOWED + [planted])
        if result.returncode == 0 or f"{planted[0]}/" not in result.stdout:
            failures.append(f"{planted[0]}/ including {planted[1]}/ passes")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
