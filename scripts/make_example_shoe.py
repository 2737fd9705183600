#!/usr/bin/env python3
"""Writes a shoe of random hands with recorded move lines, some that solve the hand and
some that do not. The same seed always gives the same file.

    scripts/make_example_shoe.py --hands 300 --seed 2024 > examples/large_shoe.txt

Each hand line holds the six cards in the order C, CK, UP, T, N, NK and the role that moves
first. The first line after it is never listed or replayed by Bruso, so it says how many of
the lines below it solve the hand ("solving lines: 2 of 5"); the session tests replay every
line with the move engine and check that count.
"""

import argparse
import collections
import random

CARDS = ["2H", "3H", "4H", "2C", "3C", "4C"]
C, CK, UP, T, N, NK = range(6)
KEEPER = {"C": CK, "N": NK}
SWAPPED = {"C": C, "U": UP, "N": N, "T": T}
GOAL = "2H"


def play(board, role, letter):
    """The board after the move, or None when the move is not allowed."""
    if letter == "P":
        return board
    keeper, cell = KEEPER[role], SWAPPED[letter]
    if letter == "T":
        mine, target = board[keeper], board[T]
        # CK plays on the Target with a card of its suit, NK with one of its number.
        if (role == "C" and mine[1] != target[1]) or (role == "N" and mine[0] != target[0]):
            return None
    swapped = list(board)
    swapped[keeper], swapped[cell] = swapped[cell], swapped[keeper]
    return tuple(swapped)


def other(role):
    return "N" if role == "C" else "C"


def legal_moves(board, role):
    for letter in "CUNTP":
        after = play(board, role, letter)
        if after is not None:
            yield letter, after


def shortest_solution(board, role):
    """The letters of a shortest line from the position to 2H on the Target, or None."""
    start = (board, role)
    came_from = {start: None}
    queue = collections.deque([start])
    while queue:
        state = queue.popleft()
        if state[0][T] == GOAL:
            letters = []
            while came_from[state] is not None:
                state, letter = came_from[state]
                letters.append(letter)
            return "".join(reversed(letters))
        for letter, after in legal_moves(*state):
            following = (after, other(state[1]))
            if following not in came_from:
                came_from[following] = (state, letter)
                queue.append(following)
    return None


def wander(rng, board, role, steps):
    """A random line of legal moves that never puts 2H on the Target."""
    letters = ""
    for _ in range(steps):
        choices = [(l, b) for l, b in legal_moves(board, role) if b[T] != GOAL]
        letter, board = rng.choice(choices)
        letters += letter
        role = other(role)
    return letters, board, role


def solving_line(rng, board, role):
    letters, board, role = wander(rng, board, role, rng.randint(0, 6))
    return letters + shortest_solution(board, role)


def hand(rng):
    """A hand whose shortest solution takes at least two moves, so that every recorded line
    is at least two letters long (a replay needs its second letter)."""
    while True:
        board = tuple(rng.sample(CARDS, len(CARDS)))
        role = rng.choice("CN")
        best = shortest_solution(board, role)
        if best is not None and len(best) >= 2:
            return board, role


def write_hand(rng, out):
    board, role = hand(rng)
    lines = []
    for _ in range(rng.randint(1, 5)):
        if rng.random() < 0.5:
            lines.append((solving_line(rng, board, role), True))
        else:
            lines.append((wander(rng, board, role, rng.randint(2, 12))[0], False))
    solving = sum(1 for _, solves in lines if solves)
    out.append(" ".join(board) + (" CK" if role == "C" else " NK"))
    out.append(f"solving lines: {solving} of {len(lines)}")
    out.extend(letters for letters, _ in lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--hands", type=int, default=300)
    parser.add_argument("--seed", type=int, default=2024)
    options = parser.parse_args()
    rng = random.Random(options.seed)
    out = []
    for _ in range(options.hands):
        write_hand(rng, out)
    print("\n".join(out))


if __name__ == "__main__":
    main()
