#!/usr/bin/python3
"""Plays turns of Meldora by keys, as a listener would, for scripts/orca_check.sh.

It watches the window through AT-SPI (what a screen reader sees) to know
when a key will be taken, and presses keys with xdotool so that Orca hears
them as a person's: Return on "Deal 'Em Now", Alt+P to pass a "May I?",
Alt+K to take the stock card, then in the hand Home (the first card), Space
(pick it up), Down (over the discard pile) and Space (let it go)."""

import subprocess
import sys
import time

import pyatspi


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=False)
    time.sleep(1.5)


def game():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name and "meldora" in app.name.lower():
            return app
    return None


def showing(app, name):
    """True when an object named `name` shows in the window."""
    found = pyatspi.findDescendant(
        app, lambda o: o is not None and o.name == name and o.getState().contains(pyatspi.STATE_SHOWING))
    return found is not None


def wait_for(names, seconds):
    end = time.time() + seconds
    while time.time() < end:
        app = game()
        if app is not None:
            for name in names:
                if showing(app, name):
                    return name
        time.sleep(1)
    return None


def main():
    turns = int(sys.argv[1]) if len(sys.argv) > 1 else 3
    if wait_for(["Deal 'Em Now"], 60) is None:
        print("no welcome", file=sys.stderr)
        return 1
    time.sleep(2)
    key("Return")
    played = 0
    while played < turns:
        what = wait_for(["Pass", "Take Stock Card"], 180)
        if what is None:
            print("no turn came", file=sys.stderr)
            return 1
        if what == "Pass":
            time.sleep(2)
            key("alt+p")
            continue
        time.sleep(2)
        key("alt+k")
        time.sleep(4)  # the card travels to the hand, which takes the keyboard
        key("Home")
        key("space")
        key("Down")
        key("space")
        played += 1
        time.sleep(3)
    return 0


if __name__ == "__main__":
    sys.exit(main())
