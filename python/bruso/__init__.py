"""Bruso from Python: read a shoe, replay and score it, fit the model, simulate and play;
build game states and ask the model and the rules about them; run recovery studies and
fits of participants on any executor.

The functions run the same code as bruso-batch, so that the same seed gives the same
numbers. Tables come back as lists of dicts, one per row, with the column names of
bruso-batch's CSV files, or with as_frame=True as pandas data frames with those columns;
the studies' tables always as data frames.
"""

import functools
import os

from ._bruso import Board, Hand, Participant, Rules, Settings, State
from . import _bruso

__all__ = ["Hand", "Rules", "Settings", "Board", "State", "Participant", "read_shoe", "read_rules", "classify",
           "positions", "log_likelihood", "model_chances", "rule_chances", "fit", "simulate", "play", "recover",
           "read_participants", "fit_participants", "fit_hierarchical", "write_shoe"]


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
    "participants": {"participant": "string", "condition": "string", "model": "string", "conflict_mode": "Int64",
                     "altruism": "Int64", "n": "int64", "k": "int64", "best_by_aic": "int64",
                     "beats_uniform": "int64"},
    "hierarchical": {"row": ("group_mean", "group_spread", "participant"), "conflict_mode": "int64",
                     "altruism": "int64", "participant": "string", "condition": "string", "k": "int64",
                     "iterations": "int64", "converged": "int64"},
}
_PLAY_COLUMNS = list(_COLUMN_TYPES["play"])


def _type(column, table):
    return _COLUMN_TYPES[table].get(column, "float64")


def _frame(columns, records, table):
    """The records as a data frame with the table's column types."""
    import pandas

    def pandas_type(column):
        kind = _type(column, table)
        return pandas.CategoricalDtype(kind) if isinstance(kind, tuple) else kind

    frame = pandas.DataFrame.from_records(records, columns=columns)
    return frame.astype({column: pandas_type(column) for column in columns})


def _table(columns_and_rows, table, as_frame=False):
    """The rows of a table, each a list of values, as records or as a data frame."""
    columns, rows = columns_and_rows
    records = [dict(zip(columns, row)) for row in rows]
    return _frame(columns, records, table) if as_frame else records


def classify(shoe, settings=None, seed=0, as_frame=False):
    """A record per replayed line, the columns of `classify --csv`."""
    return _table(_bruso.classify_tables(shoe, settings or Settings(), seed)[0], "lines", as_frame)


def positions(shoe, settings=None, seed=0, as_frame=False):
    """A record per position, the columns of `classify --positions`."""
    return _table(_bruso.classify_tables(shoe, settings or Settings(), seed)[1], "positions", as_frame)


def fit(shoe, conflict_mode=None, altruism=None, fixed=None, jobs=1, as_frame=False):
    """The fit table of `fit --csv`: a record per variant (conflict_mode and altruism 0, 1
    or None for both), then the uniform player. `fixed` holds parameters at a value,
    {"p3": 0.5, "lapse": 0.02}."""
    return _table(_bruso.fit_table(shoe, conflict_mode, altruism, fixed or {}, jobs), "fit", as_frame)


def play(shoe, ck_rules, nk_rules, iterations=1, seed=0, as_frame=False):
    """"Play All Hands Artificially": a record per play, with its move string as Automa.txt
    holds it."""
    records = _bruso.play(shoe, ck_rules, nk_rules, iterations, seed)
    return _frame(_PLAY_COLUMNS, records, "play") if as_frame else records


def _run_pieces(function, pieces, executor):
    """The results of function(*piece) for each piece, in the order of the pieces: here one
    after another, or all at once on the executor (a concurrent.futures.Executor or a
    dask.distributed Client), which ships the function by name and the pieces pickled.
    However the work comes back, the results are those of the serial run."""
    if executor is None:
        return [function(*piece) for piece in pieces]
    futures = [executor.submit(function, *piece) for piece in pieces]
    return [future.result() for future in futures]


def _study_frame(pieces, columns, table):
    return _frame(columns, [dict(zip(columns, row)) for piece in pieces for row in piece], table)


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
    pieces = _run_pieces(_recovery_replicate, [(shoe, arguments, r) for r in range(replicates)], executor)
    return _study_frame(pieces, _bruso.recovery_columns, "recover")


def read_participants(shoes, groups=None, conditions=None):
    """Who played each line, as `fit --per-participant` reads it: a list of Participant, each
    with the hands of the lines they played. Either one shoe and a groups file (a CSV with
    the columns hand, line, participant and an optional condition), or a participant per
    shoe file, named after the file, with their conditions from `conditions` (a CSV with the
    columns participant and condition) when given. ValueError for a file that does not say
    clearly who played each line."""
    paths = [os.fspath(shoes)] if isinstance(shoes, (str, os.PathLike)) else [os.fspath(p) for p in shoes]
    if groups is None:
        return _bruso.participants_from_shoes(paths, None if conditions is None else os.fspath(conditions))
    if len(paths) != 1 or conditions is not None:
        raise ValueError("groups goes with exactly one shoe, and gives the conditions itself")
    return _bruso.participants_from_groups(paths[0], os.fspath(groups))


def _participant_fit(participant, conflict_mode, altruism, fixed, jobs, level):
    """The rows of one participant's fits: the piece of work sent to an executor."""
    return _bruso.participant_fit_rows(participant, conflict_mode, altruism, fixed, jobs, level)


def fit_participants(participants, conflict_mode=None, altruism=None, fixed=None, jobs=1, level=0.95,
                     executor=None):
    """Each participant's fits, the table of `fit --per-participant --csv` as a data frame: a
    row per participant and variant (conflict_mode and altruism 0, 1 or None for both),
    with the uniform player's log-likelihood over their lines and whether the variant is
    their best by AIC. With `executor` the participants are fitted there, the table equal
    to the serial one."""
    pieces = _run_pieces(_participant_fit, [(p, conflict_mode, altruism, fixed or {}, jobs, level)
                                            for p in participants], executor)
    return _study_frame(pieces, _bruso.participant_columns, "participants")


def _hierarchical_fit(participants, conflict_mode, altruism, fixed, jobs):
    """The rows of the group's fit under one variant: the piece of work sent to an executor."""
    return _bruso.hierarchical_fit_rows(participants, conflict_mode, altruism, fixed, jobs)


def fit_hierarchical(participants, conflict_mode=None, altruism=None, fixed=None, jobs=1, executor=None):
    """The group fitted hierarchically under each variant, the table of `fit --hierarchical
    --csv` as a data frame: per variant the group's means and spreads (logit scale), then
    each participant's shrunk estimates. With `executor` the variants are fitted there, the
    table equal to the serial one."""
    variants = [(c, a) for c in ((0, 1) if conflict_mode is None else (conflict_mode,))
                for a in ((0, 1) if altruism is None else (altruism,))]
    participants = list(participants)
    pieces = _run_pieces(_hierarchical_fit, [(participants, c, a, fixed or {}, jobs) for c, a in variants],
                         executor)
    return _study_frame(pieces, _bruso.hierarchical_columns, "hierarchical")


def write_shoe(shoe, path):
    """Writes the hands as a shoe file that bruso-batch and the window read."""
    with open(path, "w", encoding="latin-1", newline="\n") as file:
        file.write("".join(hand.shoe_text() for hand in shoe))
