"""Bruso from Python: read a shoe, replay and score it, fit the model, simulate and play;
build game states and ask the model and the rules about them.

The functions run the same code as bruso-batch, so that the same seed gives the same
numbers. Tables come back as lists of dicts, one per row, with the column names of
bruso-batch's CSV files, or with as_frame=True as pandas data frames with those columns.
"""

import csv
import functools
import io

from ._bruso import Board, Hand, Rules, Settings, State
from . import _bruso

__all__ = ["Hand", "Rules", "Settings", "Board", "State", "read_shoe", "read_rules", "classify", "positions",
           "log_likelihood", "model_chances", "rule_chances", "fit", "simulate", "play", "recover", "write_shoe"]


def _by_name(function):
    """The compiled function as a function of this package, which pickles by its name (a
    compiled function does not), so that executors can send it to worker processes."""
    @functools.wraps(function)
    def call(*args, **kwargs):
        return function(*args, **kwargs)
    call.__module__, call.__qualname__ = __name__, function.__name__
    return call


log_likelihood, model_chances, read_rules, read_shoe, rule_chances, simulate = map(_by_name, (
    _bruso.log_likelihood, _bruso.model_chances, _bruso.read_rules, _bruso.read_shoe, _bruso.rule_chances,
    _bruso.simulate))

# The pandas type of each column of each table that is not a float: "string" for text, a
# tuple for a categorical of those categories, "Int64" for whole numbers that may be missing.
_ROLES = ("CK", "NK")
_BRANCHES = ("card_at_hand", "search", "step_aside", "hand_over", "none")
_COLUMN_TYPES = {
    "lines": {"hand": "int64", "line": "int64", "moves": "string", "usable": "int64", "reaches_2h": "int64",
              "positions": "int64", "suggested": "int64", "agreements": "int64"},
    "positions": {"hand": "int64", "line": "int64", "position": "int64", "role": _ROLES, "board": "string",
                  "target": "string", "looked_for": "string", "branch": _BRANCHES, "suggested": "string",
                  "recorded": "string", "agrees": "Int64"},
    "fit": {"model": "string", "conflict_mode": "Int64", "altruism": "Int64", "n": "int64", "k": "int64"},
    "recover": {"replicate": "int64", "seed": "uint64", "generating_conflict_mode": "int64",
                "generating_altruism": "int64", "conflict_mode": "int64", "altruism": "int64", "n": "int64",
                "k": "int64"},
    "play": {"hand": "int64", "iteration": "int64", "moves": "int64", "attempts": "int64", "solved": "bool",
             "move_string": "string"},
}
_PLAY_COLUMNS = list(_COLUMN_TYPES["play"])


def _type(column, table):
    return _COLUMN_TYPES[table].get(column, "float64")


def _value(column, field, table):
    if field == "":
        return None
    if _type(column, table) == "string" or isinstance(_type(column, table), tuple):
        return field
    try:
        return int(field)
    except ValueError:
        return float(field)


def _frame(columns, records, table):
    """The records as a data frame with the table's column types."""
    import pandas

    def pandas_type(column):
        kind = _type(column, table)
        return pandas.CategoricalDtype(kind) if isinstance(kind, tuple) else kind

    frame = pandas.DataFrame.from_records(records, columns=columns)
    return frame.astype({column: pandas_type(column) for column in columns})


def _table(rows, table, as_frame):
    header, *body = rows
    records = [{column: _value(column, field, table) for column, field in zip(header, row)} for row in body]
    return _frame(header, records, table) if as_frame else records


def _csv_table(text, table, as_frame=False):
    return _table(list(csv.reader(io.StringIO(text))), table, as_frame)


def classify(shoe, settings=None, seed=0, as_frame=False):
    """A record per replayed line, the columns of `classify --csv`."""
    return _csv_table(_bruso.classify_tables(shoe, settings or Settings(), seed)[0], "lines", as_frame)


def positions(shoe, settings=None, seed=0, as_frame=False):
    """A record per position, the columns of `classify --positions`."""
    return _csv_table(_bruso.classify_tables(shoe, settings or Settings(), seed)[1], "positions", as_frame)


def fit(shoe, conflict_mode=None, altruism=None, fixed=None, jobs=1, as_frame=False):
    """The fit table of `fit --csv`: a record per variant (conflict_mode and altruism 0, 1
    or None for both), then the uniform player. `fixed` holds parameters at a value,
    {"p3": 0.5, "lapse": 0.02}."""
    return _table(_bruso.fit_rows(shoe, conflict_mode, altruism, fixed or {}, jobs), "fit", as_frame)


def play(shoe, ck_rules, nk_rules, iterations=1, seed=0, as_frame=False):
    """"Play All Hands Artificially": a record per play, with its move string as Automa.txt
    holds it."""
    records = _bruso.play(shoe, ck_rules, nk_rules, iterations, seed)
    return _frame(_PLAY_COLUMNS, records, "play") if as_frame else records


def _recovery_replicate(shoe, arguments, replicate):
    """The rows of one replicate of a recovery study: the piece of work sent to an executor."""
    return _bruso.recovery_replicate(shoe, arguments, replicate)


def recover(shoe, lines, replicates=10, seed=0, conflict_mode=None, altruism=None, prob_range=(0.05, 0.95),
            lapse_range=(0.01, 0.2), fixed=None, level=0.95, executor=None):
    """Parameter and model recovery, the table of `recover --csv` as a data frame: for each
    replicate and generating variant (conflict_mode and altruism 0, 1 or None for both),
    true values drawn from the ranges, `lines` lines per hand simulated with them and every
    variant fitted, a row per fit. With `executor` (a concurrent.futures.Executor or a
    dask.distributed Client) the replicates run there; each is seeded from `seed` and its
    index, so that the table equals the serial one."""
    arguments = {"lines": lines, "replicates": replicates, "seed": seed, "conflict_mode": conflict_mode,
                 "altruism": altruism, "prob_range": prob_range, "lapse_range": lapse_range, "fixed": fixed,
                 "level": level}
    _bruso.check_recovery_design(arguments)
    if executor is None:
        pieces = [_recovery_replicate(shoe, arguments, r) for r in range(replicates)]
    else:
        futures = [executor.submit(_recovery_replicate, shoe, arguments, r) for r in range(replicates)]
        pieces = [future.result() for future in futures]
    records = [row for piece in pieces for row in piece]
    return _frame(_bruso.recovery_columns, records, "recover")


def write_shoe(shoe, path):
    """Writes the hands as a shoe file that bruso-batch and the window read."""
    with open(path, "w", encoding="latin-1", newline="\n") as file:
        file.write("".join(hand.shoe_text() for hand in shoe))
