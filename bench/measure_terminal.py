#!/usr/bin/env python3
"""Key to printed line in the terminal front-end.

Starts `velloxa --terminal` on a pseudo-terminal with audio off, begins an
Instant action battle, and times Shift+1 until "You drop" is printed, once
straight away and once right after a tile description (slot given by SLOT,
default 1). Usage: bench/measure_terminal.py build/release/velloxa [runs]
"""
import os
import pty
import select
import sys
import tempfile
import time


def battle(binary, home, describe, slot):
    pid, fd = pty.fork()
    if pid == 0:
        os.environ["VELLOXA_NO_AUDIO"] = "1"
        os.environ["TERM"] = "dumb"
        os.execv(binary, [binary, "--terminal", "--home", home, "--seed", "3"])
    seen = b""

    def wait_for(text, timeout=20):
        nonlocal seen
        end = time.monotonic() + timeout
        while text not in seen:
            ready, _, _ = select.select([fd], [], [], max(0, end - time.monotonic()))
            if not ready:
                raise SystemExit("no %r within %d s" % (text, timeout))
            seen += os.read(fd, 4096)
        return time.monotonic()

    wait_for(b"Main menu.")
    for key in (b"\x1b[B", b"\x1b[B", b"\x1b[B"):
        seen = b""
        os.write(fd, key)
        wait_for(b"\n")
    seen = b""
    os.write(fd, b"\r")
    wait_for(b"go first")
    time.sleep(1.5)  # the coin flip's own wait; this is a measurement, not a test
    if describe:
        seen = b""
        os.write(fd, slot)
        wait_for(b"\n")
    seen = b""
    start = time.monotonic()
    os.write(fd, b"!")
    printed = wait_for(b"You drop")
    os.kill(pid, 9)
    os.waitpid(pid, 0)
    return printed - start


def main():
    binary = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    slot = os.environ.get("SLOT", "1").encode()
    with tempfile.TemporaryDirectory() as home:
        for describe in (False, True):
            times = sorted(battle(binary, home, describe, slot) for _ in range(runs))
            label = "after a description" if describe else "straight away"
            print("%-20s median %.3f s, worst %.3f s" % (label, times[len(times) // 2], times[-1]))


if __name__ == "__main__":
    main()
