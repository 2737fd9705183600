"""Bruso from Python: read a shoe, replay and score it, fit the model, simulate and play;
build game states and ask the model and the rules about them.

The functions run the same code as bruso-batch, so that the same seed gives the same
numbers. Tables come back as lists of dicts, one per row, with the column names of
bruso-batch's CSV files; pandas.DataFrame(records) makes a data frame of them.
"""

import csv
import io

import functools

from ._bruso import Board, Hand, Rules, Settings, State
from . import _bruso

__all__ = ["Hand", "Rules", "Settings", "Board", "State", "read_shoe", "read_rules", "classify", "positions",
           "log_likelihood", "model_chances", "rule_chances", "fit", "simulate", "play", "write_shoe"]



def _by_name(function):
    """The compiled function as a function of this package, which pickles by its name (a
    compiled function does not), so that executors can send it to worker processes."""
    @functools.wraps(function)
    def call(*args, **kwargs):
        return function(*args, **kwargs)
    call.__module__, call.__qualname__ = __name__, function.__name__
    return call


log_likelihood, model_chances, play, read_rules, read_shoe, rule_chances, simulate = map(_by_name, (
    _bruso.log_likelihood, _bruso.model_chances, _bruso.play, _bruso.read_rules, _bruso.read_shoe,
    _bruso.rule_chances, _bruso.simulate))

# Columns that hold text, not numbers.
_TEXT_COLUMNS = {"moves", "role", "board", "target", "looked_for", "branch", "recorded", "model"}


def _value(column, field, table):
    if field == "":
        return None
    if column in _TEXT_COLUMNS or (column == "suggested" and table == "positions"):
        return field
    try:
        return int(field)
    except ValueError:
        return float(field)


def _records(rows, table):
    header, *body = rows
    return [{column: _value(column, field, table) for column, field in zip(header, row)} for row in body]


def _csv_records(text, table):
    return _records(list(csv.reader(io.StringIO(text))), table)


def classify(shoe, settings=None, seed=0):
    """A record per replayed line, the columns of `classify --csv`."""
    return _csv_records(_bruso.classify_tables(shoe, settings or Settings(), seed)[0], "lines")


def positions(shoe, settings=None, seed=0):
    """A record per position, the columns of `classify --positions`."""
    return _csv_records(_bruso.classify_tables(shoe, settings or Settings(), seed)[1], "positions")


def fit(shoe, conflict_mode=None, altruism=None, fixed=None, jobs=1):
    """The fit table of `fit --csv`: a record per variant (conflict_mode and altruism 0, 1
    or None for both), then the uniform player. `fixed` holds parameters at a value,
    {"p3": 0.5, "lapse": 0.02}."""
    return _records(_bruso.fit_rows(shoe, conflict_mode, altruism, fixed or {}, jobs), "fit")


def write_shoe(shoe, path):
    """Writes the hands as a shoe file that bruso-batch and the window read."""
    with open(path, "w", encoding="latin-1", newline="\n") as file:
        file.write("".join(hand.shoe_text() for hand in shoe))
