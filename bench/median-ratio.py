#!/usr/bin/env python3
"""Ratios of commands' median times over every run of hyperfine's JSON exports.

The benchmarks run their commands in several short rounds, one after the other, so that a
machine that slows down for a while slows every command alike; medians, because a run another
process delayed moves a mean, not a median.

usage: median-ratio.py TARGET A/B [C/D ...] -- FILE...
Prints each ratio; the first is held to TARGET: exit 1 when it is above.
"""
import json
import statistics
import sys


def main(argv):
    if "--" not in argv or len(argv) < 4:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    split = argv.index("--")
    target = float(argv[0])
    ratios = argv[1:split]
    times = {}
    for name in argv[split + 1:]:
        with open(name) as export:
            for result in json.load(export)["results"]:
                times.setdefault(result["command"], []).extend(result["times"])
    medians = {command: statistics.median(runs) for command, runs in times.items()}
    held = None
    for ratio in ratios:
        a, b = ratio.split("/")
        value = medians[a] / medians[b]
        runs = min(len(times[a]), len(times[b]))
        note = f" (target: at most {target:g})" if held is None else ""
        print(f"{a} / {b} = {value:.2f}, medians of {runs} runs{note}")
        if held is None:
            held = value
    return 0 if held <= target else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
