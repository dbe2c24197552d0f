#!/usr/bin/env python3
"""velmat-tool on rolls of 1 to 50 MB: CPU time per command, how it grows with
the roll (the exponent of time against size, 1.0 is linear), and how it stands
against a plain python3 line loop doing the same work on the largest roll.

Usage: python3 bench/cli_scaling.py [BUILD_DIR] [--sizes 1,10,20,50] [--runs 3]
                                    [--commands count,trim]

The rolls are made of the sentences of tests/data/roll-sample.txt in a
shuffled order, written as Shift-JIS with CR LF, as a captioning team's rolls
are. Times are CPU seconds (user + system) of the child, best of --runs, so a
busy machine disturbs them less than wall time.
"""
import math
import os
import random
import resource
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(HERE)

# The python3 baselines: the same reading (Shift-JIS, CR LF) and the same work
# per line, written as anyone would in a few lines.
BASELINES = {
    "count": r"""
import sys
text = open(sys.argv[1], 'rb').read().decode('cp932', 'replace')
total = 0
for line in text.split('\r\n'):
    total += len(line)
print(total)
""",
    "trim": r"""
import sys
text = open(sys.argv[1], 'rb').read().decode('cp932', 'replace')
out = []
for line in text.split('\r\n'):
    out.append(line if line.startswith('<-') else line.strip(' \t\u3000'))
sys.stdout.write('\n'.join(out))
""",
}

COMMANDS = {
    "count": ["count"],
    "width": ["width"],
    "check": ["check", "--chars", "20"],
    "trim": ["trim"],
    "center": ["center", "--chars", "20"],
    "break": ["break", "--at", "。"],
    "reshape": ["reshape", "--chars", "20"],
    "talkers": ["talkers"],
    "find": ["find", "要約筆記"],
    "convert": ["convert", "--num=full", "--kata=full"],
}


def make_roll(path, megabytes):
    with open(os.path.join(TOP, "tests", "data", "roll-sample.txt"), encoding="utf-8-sig") as f:
        lines = f.read().splitlines()
    rnd = random.Random(megabytes)
    target = megabytes * 1024 * 1024
    size = 0
    with open(path, "wb") as out:
        chunk = []
        while size < target:
            line = rnd.choice(lines).encode("cp932") + b"\r\n"
            chunk.append(line)
            size += len(line)
            if len(chunk) >= 4096:
                out.write(b"".join(chunk))
                chunk = []
        out.write(b"".join(chunk))


def cpu_seconds(argv):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def best(argv, runs):
    return min(cpu_seconds(argv) for _ in range(runs))


def main():
    args = sys.argv[1:]
    build = os.path.join(TOP, "build")
    sizes = [1, 10, 20, 50]
    runs = 3
    chosen = list(COMMANDS)
    while args:
        a = args.pop(0)
        if a == "--sizes":
            sizes = [int(s) for s in args.pop(0).split(",")]
        elif a == "--runs":
            runs = int(args.pop(0))
        elif a == "--commands":
            chosen = args.pop(0).split(",")
            unknown = [c for c in chosen if c not in COMMANDS]
            if unknown:
                sys.exit(f"cli_scaling: no command {', '.join(unknown)}")
        else:
            build = a
    tool = os.path.join(build, "cli", "velmat-tool")
    if not os.access(tool, os.X_OK):
        sys.exit(f"cli_scaling: no {tool}; build first")

    with tempfile.TemporaryDirectory() as tmp:
        rolls = {}
        for mb in sizes:
            rolls[mb] = os.path.join(tmp, f"roll{mb}.txt")
            make_roll(rolls[mb], mb)
        big = max(sizes)
        print(f"cli_scaling: CPU seconds, best of {runs}; rolls of {', '.join(map(str, sizes))} MB (Shift-JIS, CR LF)")
        header = "command  " + "".join(f"{mb:>8} MB" for mb in sizes) + "   exponent   python3/ours"
        print(header)
        worst = 0.0
        for name in chosen:
            argv = COMMANDS[name]
            times = [best([tool] + argv + [rolls[mb]], runs) for mb in sizes]
            # Fitted from the two largest rolls, where start-up no longer counts.
            exponent = math.log(times[-1] / times[-2]) / math.log(sizes[-1] / sizes[-2]) if len(sizes) > 1 else float("nan")
            worst = max(worst, exponent)
            ratio = ""
            if name in BASELINES:
                py = best([sys.executable, "-c", BASELINES[name], rolls[big]], runs)
                ratio = f"{py / times[-1]:.2f}x ({py:.2f} s)"
            print(f"{name:8} " + "".join(f"{t:10.3f}" for t in times) + f"   {exponent:8.2f}   {ratio}")
        print(f"cli_scaling: largest exponent {worst:.2f} (1.00 is linear)")


if __name__ == "__main__":
    main()
