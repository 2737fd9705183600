#!/usr/bin/env python3
"""Writes examples/every_deal_shoe.txt: every deal of the six cards that does not start
solved (2H not on the Target), once with CK and once with NK moving first, 1200 hands
always in the same order. The tests and the benchmark play it.

usage: scripts/generate_shoe.py [FILE]   (examples/every_deal_shoe.txt without FILE)
"""
import itertools
import os
import sys

CARDS = ["2H", "3H", "4H", "2C", "3C", "4C"]
TARGET = 3  # positions C, CK, UP, T, N, NK: T is the fourth


def main():
    lines = []
    for deal in itertools.permutations(CARDS):
        if deal[TARGET] == "2H":
            continue
        for first in ("CK", "NK"):
            lines.append(" ".join(deal) + " " + first)
    text = "\n".join(lines) + "\n"
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "examples", "every_deal_shoe.txt")
    with open(path, "w", newline="\n") as out:
        out.write(text)


if __name__ == "__main__":
    main()
