#!/usr/bin/env python3
"""Times a program from its start to the first time the middle of the X screen
shows a given colour (or, with --until-exit, to the program's end), a number of
times, and prints the fastest and the median run in milliseconds. After each
picture the program is ended with a key press (xdotool). A run that shows no
picture within --timeout seconds is ended by force and reported as "> N s";
the runs left are then not made. With --key-after S the key is pressed S
seconds after the picture, and what is timed is the key to the program's end
(the worst and the median run are printed). With --before, a command runs
before each run, untimed.

    first_picture.py --display :N --runs N [--timeout S] [--before SHELL-COMMAND]
                     [--colour RRGGBB [--key-after S] | --until-exit] -- COMMAND...
"""
import argparse
import ctypes
import os
import statistics
import subprocess
import sys
import time

ZPIXMAP = 2
ALL_PLANES = 0xFFFFFFFFFFFFFFFF


class Screen:
    """One pixel of an X screen, read straight from the server."""

    def __init__(self, display):
        self.xlib = ctypes.CDLL("libX11.so.6")
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.xlib.XGetImage.restype = ctypes.c_void_p
        self.xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                        ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                        ctypes.c_ulong, ctypes.c_int]
        self.xlib.XGetPixel.restype = ctypes.c_ulong
        self.xlib.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
        self.xlib.XDestroyImage.argtypes = [ctypes.c_void_p]
        self.display = self.xlib.XOpenDisplay(display.encode())
        if not self.display:
            sys.exit(f"first_picture: cannot open display {display}")
        self.root = self.xlib.XDefaultRootWindow(self.display)

    def pixel(self, x, y):
        """The pixel value (0xRRGGBB on a 24-bit screen)."""
        image = self.xlib.XGetImage(self.display, self.root, x, y, 1, 1, ALL_PLANES, ZPIXMAP)
        value = self.xlib.XGetPixel(image, 0, 0)
        self.xlib.XDestroyImage(image)
        return value


def close_to(value, colour):
    return all(abs(((value >> shift) & 255) - ((colour >> shift) & 255)) < 40
               for shift in (0, 8, 16))


def time_picture(screen, command, colour, display, timeout, key_after=None):
    """Seconds to the picture (or, with key_after, from the key to the end), or
    None when the picture did not come within timeout."""
    start = time.perf_counter()
    program = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    while not close_to(screen.pixel(512, 384), colour):
        if program.poll() is not None:
            sys.exit("first_picture: the program ended before its picture")
        if time.perf_counter() - start > timeout:
            # A program busy before its message loop does not read the key.
            program.kill()
            program.wait()
            return None
        time.sleep(0.002)
    elapsed = time.perf_counter() - start
    if key_after is not None:
        time.sleep(key_after)
        start = time.perf_counter()
    subprocess.run(["xdotool", "key", "space"], env={**os.environ, "DISPLAY": display},
                   check=False)
    try:
        program.wait(timeout=10)
    except subprocess.TimeoutExpired:
        program.kill()
        sys.exit("first_picture: the program did not end on a key press")
    if key_after is not None:
        elapsed = time.perf_counter() - start
    # The old picture must be gone before the next run looks for the new one.
    while close_to(screen.pixel(512, 384), colour):
        time.sleep(0.01)
    return elapsed


def time_exit(command):
    start = time.perf_counter()
    subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--display", required=True)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--timeout", type=float, default=60)
    parser.add_argument("--colour")
    parser.add_argument("--until-exit", action="store_true")
    parser.add_argument("--key-after", type=float)
    parser.add_argument("--before")
    parser.add_argument("command", nargs="+")
    options = parser.parse_args()
    screen = Screen(options.display)
    times = []
    for _ in range(options.runs):
        if options.before:
            subprocess.run(options.before, shell=True, stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
        if options.until_exit:
            times.append(time_exit(options.command))
            continue
        elapsed = time_picture(screen, options.command, int(options.colour, 16),
                               options.display, options.timeout, options.key_after)
        if elapsed is None:
            print(f"> {options.timeout:.0f} s (no picture in run {len(times) + 1};"
                  f" {len(times)} runs before it)")
            return
        times.append(elapsed)
    first = ("worst", max(times)) if options.key_after is not None else ("fastest", min(times))
    print(f"{first[0]} {first[1] * 1000:7.0f} ms   median {statistics.median(times) * 1000:7.0f} ms"
          f"   ({options.runs} runs)")


if __name__ == "__main__":
    main()
