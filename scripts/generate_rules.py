#!/usr/bin/env python3
"""Writes the two 150-rule files of the benchmark, bench/rules_150_ck.txt and
bench/rules_150_nk.txt, always the same.

Each file starts with the example rules of its role (examples/rules_ck.txt or
examples/rules_nk.txt) and fills up to 150 rules with variants of them: the same action and
conditions plus one to four conditions on the moves and cards of earlier steps. A variant
scores higher than its example rule only in the rarer situations it names, so the files
play much as the examples do while every evaluation scans 150 rules.

usage: scripts/generate_rules.py
"""
import os

MAX_RULES = 150
WIDTHS = [1, 2, 2, 2, 1, 2, 2, 1, 2, 2, 2, 1, 2, 2, 1, 2, 2, 2]
CARDS = ["2H", "3H", "4H", "2C", "3C", "4C"]
MOVES = ["C", "U", "N", "T", "P"]
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


class Lcg:
    """A small generator of our own, so that the files never depend on a library's."""

    def __init__(self, seed):
        self.state = seed

    def below(self, n):
        self.state = (self.state * 6364136223846793005 + 1442695040888963407) % 2**64
        return (self.state >> 33) % n


def example_rules(path):
    """The weights line and the rules of an example file, each rule as its 18 fields."""
    weights, rules = None, []
    with open(path) as source:
        for line in source:
            compact = "".join(line.split())
            if not compact or compact.startswith("/"):
                continue
            if weights is None:
                weights = line.strip()
                continue
            rules.append(cut(compact))
    return weights, rules


def cut(compact):
    fields, cursor = [], 0
    for width in WIDTHS:
        if cursor >= len(compact):
            fields.append("#" * width)
        elif compact[cursor] == "#":
            fields.append("#" * width)
            cursor += 1
        else:
            fields.append(compact[cursor:cursor + width])
            cursor += width
    return fields


def variant(rule, random):
    fields = list(rule)
    for _ in range(1 + random.below(4)):
        field = 4 + random.below(14)  # fields 5 to 18, counted from 0
        choices = MOVES if WIDTHS[field] == 1 else CARDS
        fields[field] = choices[random.below(len(choices))]
    return fields


def text(fields):
    """A rule line; a wildcard is written as one "#" whatever its width, and the wildcards
    at the end are left out."""
    words = ["#" if field.startswith("#") else field for field in fields]
    while words[-1] == "#":
        words.pop()
    return " ".join(words)


def write(role, seed):
    weights, rules = example_rules(os.path.join(ROOT, "examples", "rules_%s.txt" % role))
    random = Lcg(seed)
    lines = [
        "/ %d rules for the %s player, for the benchmark: the example rules, then variants of"
        % (MAX_RULES, role.upper()),
        "/ them with conditions on earlier steps. Written by scripts/generate_rules.py.",
        weights,
    ]
    lines += [text(fields) for fields in rules]
    while len(lines) - 3 < MAX_RULES:
        lines.append(text(variant(rules[random.below(len(rules))], random)))
    path = os.path.join(ROOT, "bench", "rules_150_%s.txt" % role)
    with open(path, "w", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def main():
    write("ck", 1)
    write("nk", 2)


if __name__ == "__main__":
    main()
