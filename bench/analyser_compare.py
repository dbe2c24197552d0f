#!/usr/bin/env python3
"""ChaSen against MeCab on the same rolls, through velmat-tool: the time each
analyser takes (CPU seconds of the tool and the analyser, per MB of roll text,
best of --runs; ChaSen is the baseline, MeCab's figure is also given as a
ratio to it), and how often the two give different captions: the roll
reshaped to --chars with the word check, and with phrases, once with each
analyser; the caption lines of ChaSen's output that MeCab's output does not
have at the same place are counted (diff), as a share of ChaSen's lines.

Usage: python3 bench/analyser_compare.py [BUILD_DIR] [--chars 10] [--runs 3] ROLL...

Rolls are read as the editor reads them (Shift-JIS, or UTF-8 with a
byte-order mark); a UTF-8 file without one is given one on the way.
bench/caption_corpus.sh gathers real texts to use; tests/data/roll-sample.txt
is a short real-looking roll.
"""
import os
import resource
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(HERE)
ANALYSERS = ("chasen", "mecab")


def as_roll(path, folder):
    data = open(path, "rb").read()
    try:
        data.decode("utf-8")
    except UnicodeDecodeError:
        return path, len(data)  # Shift-JIS already
    if not data.startswith(b"\xef\xbb\xbf"):
        copy = os.path.join(folder, os.path.basename(path))
        with open(copy, "wb") as f:
            f.write(b"\xef\xbb\xbf" + data)
        path = copy
    return path, len(data)


def cpu_of(args):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    out = subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=True).stdout
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime), out


def differing(base, other, folder):
    paths = []
    for name, data in (("chasen.txt", base), ("mecab.txt", other)):
        paths.append(os.path.join(folder, name))
        with open(paths[-1], "wb") as f:
            f.write(data)
    # GNU diff: lines of the first file not in the second, in order.
    out = subprocess.run(["diff", "--unchanged-line-format=", "--new-line-format=", "--old-line-format=<\n"]
                         + paths, stdout=subprocess.PIPE).stdout
    return out.count(b"<"), base.count(b"\n")


def main():
    args = sys.argv[1:]
    build = os.path.join(TOP, "build")
    chars, runs, rolls = "10", 3, []
    i = 0
    while i < len(args):
        if args[i] == "--chars":
            chars, i = args[i + 1], i + 2
        elif args[i] == "--runs":
            runs, i = int(args[i + 1]), i + 2
        elif not rolls and os.path.isdir(args[i]):
            build, i = args[i], i + 1
        else:
            rolls.append(args[i])
            i += 1
    if not rolls:
        sys.exit(__doc__)
    tool = os.path.join(build, "cli", "velmat-tool")
    with tempfile.TemporaryDirectory() as folder:
        for roll in rolls:
            path, size = as_roll(roll, folder)
            mb = size / 1048576.0
            print(f"{os.path.basename(roll)}: {size} bytes")
            seconds = {}
            for analyser in ANALYSERS:
                seconds[analyser] = min(
                    cpu_of([tool, "analyze", "--analyser", analyser, path])[0] for _ in range(runs))
            print(f"  analyse: ChaSen {seconds['chasen'] / mb:.2f} s/MB, MeCab {seconds['mecab'] / mb:.2f} s/MB "
                  f"(MeCab/ChaSen {seconds['mecab'] / seconds['chasen']:.2f})")
            for option in ("--word-check", "--phrase"):
                outs = {a: cpu_of([tool, "reshape", "--chars", chars, option, "--analyser", a, path])[1]
                        for a in ANALYSERS}
                diff, total = differing(outs["chasen"], outs["mecab"], folder)
                print(f"  reshape --chars {chars} {option}: {diff} of {total} caption lines differ "
                      f"({100.0 * diff / max(total, 1):.1f}%)")


if __name__ == "__main__":
    main()
