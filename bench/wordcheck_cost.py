#!/usr/bin/env python3
"""The word check against ChaSen alone: velmat-tool analyze and the word-check
reshapes (by count and by pixels) on one roll, each beside a raw
`chasen -i w` run over the same text, in alternating pairs. Prints CPU
seconds (the command with its ChaSen child), the ratio to ChaSen alone, and
the peak resident memory of the command per byte of the roll.

Usage: python3 bench/wordcheck_cost.py [BUILD_DIR] [--mb 5] [--runs 3]

The roll is made as bench/cli_scaling.py makes its rolls (the sample's
sentences shuffled, Shift-JIS, CR LF).
"""
import os
import resource
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from cli_scaling import make_roll  # noqa: E402

COMMANDS = {
    "analyze": ["analyze"],
    "reshape by count": ["reshape", "--chars", "20", "--word-check"],
    "reshape by pixels": ["reshape", "--pixels", "1440", "--word-check"],
}


def run(argv, stdin_path=None):
    """CPU seconds of the child and its children, and their peak RSS in KB."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    with open(stdin_path or os.devnull, "rb") as stdin:
        # GNU time reports the peak of the command itself (its waited-for
        # children included), which RUSAGE_CHILDREN would mix with earlier runs.
        out = subprocess.run(["/usr/bin/time", "-f", "%M"] + argv, stdin=stdin,
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, check=False)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    peak = int(out.stderr.decode().strip().splitlines()[-1])
    return cpu, peak


def main():
    args = sys.argv[1:]
    build = os.path.join(os.path.dirname(HERE), "build")
    mb, runs = 5, 3
    while args:
        a = args.pop(0)
        if a == "--mb":
            mb = float(args.pop(0))
        elif a == "--runs":
            runs = int(args.pop(0))
        else:
            build = a
    tool = os.path.join(build, "cli", "velmat-tool")
    if not os.access(tool, os.X_OK):
        sys.exit(f"wordcheck_cost: no {tool}; build first")
    with tempfile.TemporaryDirectory() as tmp:
        roll = os.path.join(tmp, "roll.txt")
        make_roll(roll, mb)
        size = os.path.getsize(roll)
        utf8 = os.path.join(tmp, "roll-utf8.txt")
        with open(roll, "rb") as f, open(utf8, "w", encoding="utf-8") as out:
            out.write(f.read().decode("cp932").replace("\r\n", "\n"))
        chasen = ["chasen", "-i", "w", "-F", "%m,%M,%y1,%U(%P-)\\n", utf8]
        print(f"wordcheck_cost: a {size / 1e6:.1f} MB roll, best of {runs} alternating pairs")
        print(f"{'command':18} {'ours s':>8} {'chasen s':>9} {'ratio':>7} {'peak MB':>8} {'bytes/byte':>11}")
        for name, argv in COMMANDS.items():
            ours, alone, peak = [], [], 0
            for _ in range(runs):
                cpu, kb = run([tool] + argv + [roll])
                ours.append(cpu)
                peak = max(peak, kb)
                alone.append(run(chasen)[0])
            best, base = min(ours), min(alone)
            print(f"{name:18} {best:8.2f} {base:9.2f} {best / base:6.2f}x {peak / 1024:8.1f} {peak * 1024 / size:11.2f}")
        print(f"chasen alone, peak: {run(chasen)[1] / 1024:.1f} MB")


if __name__ == "__main__":
    main()
