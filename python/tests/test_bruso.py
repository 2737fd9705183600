"""The module gives what bruso-batch gives on the example shoe with the same seed."""

import os
import subprocess
import sys

import pytest

import bruso

BATCH = os.environ["BRUSO_BATCH"]
EXAMPLES = os.environ["BRUSO_EXAMPLES"]
SHOE = os.path.join(EXAMPLES, "small_shoe.txt")
SEED = 7


def batch(tmp_path, *words):
    # The commands that write a session folder write it below tmp_path.
    out = ["--out", str(tmp_path / "out")] if words[0] not in ("fit", "recover") else []
    subprocess.run([BATCH, *words, *out],
                   check=True, capture_output=True, cwd=tmp_path)


def read(path):
    with open(path, encoding="latin-1") as file:
        return file.read()


def csv_value(field):
    if field == "":
        return None
    for kind in (int, float):
        try:
            return kind(field)
        except ValueError:
            pass
    return field


def read_table(path, table, as_frame=False):
    """A CSV table of bruso-batch as the module's records: empty fields None, numbers as numbers."""
    import csv

    with open(path, encoding="latin-1", newline="") as file:
        header, *rows = csv.reader(file)
    text_columns = {c for c, kind in bruso._COLUMN_TYPES[table].items() if kind == "string" or isinstance(kind, tuple)}
    records = [{c: (f or None) if c in text_columns else csv_value(f) for c, f in zip(header, row)} for row in rows]
    return bruso._frame(header, records, table) if as_frame else records


@pytest.fixture(scope="module")
def shoe():
    return bruso.read_shoe(SHOE)


def test_classify_and_positions_equal_the_batch_tables(tmp_path, shoe):
    settings = bruso.Settings(conflict_mode=1, altruism=1, prob=[0.25] * 5 + [0.75] * 5, lapse=0.05)
    batch(tmp_path, "classify", SHOE, "--seed", str(SEED), "--conflict-mode", "1", "--altruism", "1",
          "--prob", ",".join(str(p) for p in settings.prob), "--lapse", "0.05",
          "--csv", str(tmp_path / "lines.csv"), "--positions", str(tmp_path / "positions.csv"))
    assert bruso.classify(shoe, settings, SEED) == read_table(tmp_path / "lines.csv", "lines")
    assert bruso.positions(shoe, settings, SEED) == read_table(tmp_path / "positions.csv", "positions")


def test_log_likelihood_is_the_sum_over_the_lines(shoe):
    records = bruso.classify(shoe, bruso.Settings(), SEED)
    assert bruso.log_likelihood(shoe, bruso.Settings()) == pytest.approx(
        sum(r["log_likelihood"] for r in records), abs=1e-3)


def test_fit_equals_the_batch_table(tmp_path, shoe):
    batch(tmp_path, "fit", SHOE, "--fix", "p2=0.5", "--csv", str(tmp_path / "fit.csv"))
    assert bruso.fit(shoe, fixed={"p2": 0.5}) == read_table(tmp_path / "fit.csv", "fit")


def test_play_gives_the_move_strings_of_automa(tmp_path, shoe):
    ck, nk = (os.path.join(EXAMPLES, name) for name in ("rules_ck.txt", "rules_nk.txt"))
    batch(tmp_path, "play", SHOE, "--ck", ck, "--nk", nk, "--iterations", "3", "--seed", str(SEED))
    plays = bruso.play(shoe, bruso.read_rules(ck), bruso.read_rules(nk), 3, SEED)
    text = ""
    for play in plays:
        if play["iteration"] == 1:
            hand = shoe[play["hand"] - 1]
            text += f"{hand.text} {hand.first_role}\n\n"
        text += play["move_string"] + "\n"
    assert text == read(tmp_path / "out" / "Automa.txt")


def test_simulated_lines_are_replayed_by_classify(shoe):
    simulated = bruso.simulate(shoe, 4, bruso.Settings(), SEED)
    assert [len(hand.move_lines) for hand in simulated] == [5] * len(shoe)
    assert len(bruso.classify(simulated, bruso.Settings(), SEED)) == 4 * len(shoe)


@pytest.mark.parametrize("content, error", [(None, OSError), ("no hand line here\n", ValueError)])
def test_a_bad_shoe_raises_naming_the_file(tmp_path, content, error):
    path = tmp_path / "bad.txt"
    if content is not None:
        path.write_text(content)
    with pytest.raises(error, match="bad.txt" if error is ValueError else "not found"):
        bruso.read_shoe(str(path))


@pytest.mark.parametrize("kwargs", [{"lapse": 0}, {"lapse": 5e-324}, {"prob": [0.5] * 9}, {"conflict_mode": 2},
                                    {"prob": [1.5] * 10}])
def test_settings_refuse_values_the_model_cannot_take(kwargs):
    with pytest.raises(ValueError):
        bruso.Settings(**kwargs)


def test_the_example_notebook_runs_and_draws_into_the_output_folder(tmp_path):
    notebook = os.path.join(EXAMPLES, "notebook.py")
    run = subprocess.run([sys.executable, notebook, str(tmp_path / "out")], capture_output=True, text=True,
                         cwd=tmp_path, env=dict(os.environ, PYTHONPATH=os.path.dirname(os.path.dirname(bruso.__file__))))
    assert run.returncode == 0, run.stderr
    assert (tmp_path / "out" / "moves_to_solve.png").stat().st_size > 0
    assert os.listdir(tmp_path) == ["out"]


def recorded_states(hand):
    """The states of every recorded line of the hand, one per position, and the line's end."""
    for line in hand.move_lines[1:]:
        state = bruso.State(hand)
        for letter in line:
            if letter == "Q" or not state.legal_moves():
                break
            yield state, letter
            state = state.play(letter) if letter in state.legal_moves() else state.attempt(letter)


def test_states_along_the_recorded_lines_have_the_chances_of_the_positions_table(tmp_path, shoe):
    settings = bruso.Settings(conflict_mode=1, altruism=1, prob=[0.3, 0.6, 0.2, 0.9, 0.4, 0.7, 0.1, 0.8, 0.5, 0.35],
                              lapse=0.05)
    ck, nk = (os.path.join(EXAMPLES, name) for name in ("rules_ck.txt", "rules_nk.txt"))
    batch(tmp_path, "classify", SHOE, "--conflict-mode", "1", "--altruism", "1",
          "--prob", ",".join(repr(p) for p in settings.prob), "--lapse", "0.05", "--ck", ck, "--nk", nk,
          "--positions", str(tmp_path / "positions.csv"))
    rows = read_table(tmp_path / "positions.csv", "positions")
    rules = bruso.read_rules(ck), bruso.read_rules(nk)
    seen = []
    for hand in shoe:
        for state, letter in recorded_states(hand):
            model = bruso.model_chances(state, settings)
            seen.append({"board": state.board.text, "role": state.role, "recorded": letter,
                         **{"p_" + m: model.get(m) for m in "CUNTP"},
                         **{"r_" + m: r for m, r in bruso.rule_chances(state, *rules).items()}})
    # The table's line knows the positions after each one and so merges the marks that no later
    # position reads; the sums then come in another order and may differ in the last bit.
    columns = list(seen[0])
    assert seen == [pytest.approx({column: row[column] for column in columns}, rel=1e-12, abs=1e-15) for row in rows]


def test_a_state_refuses_what_cannot_be_played():
    state = bruso.State(bruso.Board("2H 3C 4C 4H 3H 2C"), "CK")
    assert state.legal_moves() == ["C", "U", "N", "P"]
    for letter in ["T", "X", "CC", ""]:
        with pytest.raises(ValueError):
            state.play(letter)
    refused = state.attempt("T")
    assert (refused.board, refused.role, refused.moves, refused.attempts) == (state.board, "CK", 0, "T")
    with pytest.raises(ValueError):
        bruso.Board("2H 3C 4C")
    with pytest.raises(ValueError):
        bruso.State(bruso.Board("2H3C4C4H3H2C"), "XX")


def test_a_solved_state_takes_no_move_and_has_no_chances(shoe):
    state = bruso.State(shoe[0])
    for letter in "CCCCCCCCT":
        state = state.attempt(letter)
    assert state.solved and state.legal_moves() == [] and state.board.cards["T"] == "2H"
    for ask in (lambda: state.play("C"), lambda: bruso.model_chances(state, bruso.Settings())):
        with pytest.raises(ValueError, match="solved"):
            ask()


def test_every_object_survives_a_pickle_round_trip(shoe):
    import pickle

    rules = bruso.read_rules(os.path.join(EXAMPLES, "rules_ck.txt"))
    state = bruso.State(shoe[1]).play("U").attempt("T")
    objects = [shoe, bruso.Settings(conflict_mode=1, prob=[0.1 * k for k in range(10)], lapse=1e-7), rules,
               state.board, state]
    for thing in objects:
        assert pickle.loads(pickle.dumps(thing)) == thing
    assert pickle.loads(pickle.dumps(rules)) != bruso.read_rules(os.path.join(EXAMPLES, "rules_nk.txt"))
    assert len({state, pickle.loads(pickle.dumps(state)), state.board, bruso.Board(state.board.text)}) == 2
    copy = pickle.loads(pickle.dumps(state))
    assert (copy.board, copy.role, copy.history_string) == (state.board, state.role, state.history_string)


def test_a_process_pool_gives_the_serial_results(shoe):
    from concurrent.futures import ProcessPoolExecutor

    settings = bruso.Settings(conflict_mode=1, lapse=0.02)
    states = [bruso.State(hand) for hand in shoe]
    with ProcessPoolExecutor(max_workers=2) as pool:
        lines = pool.submit(bruso.classify, shoe, settings, SEED)
        chances = list(pool.map(bruso.model_chances, states, [settings] * len(states)))
        assert lines.result() == bruso.classify(shoe, settings, SEED)
    assert chances == [bruso.model_chances(state, settings) for state in states]


def test_tables_as_data_frames_hold_the_records_with_the_column_types(shoe):
    import pandas

    ck, nk = (bruso.read_rules(os.path.join(EXAMPLES, name)) for name in ("rules_ck.txt", "rules_nk.txt"))
    settings = bruso.Settings(lapse=0.05)
    tables = [
        (bruso.classify, (shoe, settings, SEED), {"hand": "int64", "moves": "string", "suggested": "int64",
                                                  "log_likelihood": "float64"}),
        (bruso.positions, (shoe, settings, SEED), {"role": "category", "branch": "category", "suggested": "string",
                                                   "agrees": "Int64", "p_C": "float64"}),
        (bruso.fit, (shoe, 0, 1), {"model": "string", "conflict_mode": "Int64", "k": "int64", "p10_upper": "float64"}),
        (bruso.play, (shoe, ck, nk, 2, SEED), {"moves": "int64", "solved": "bool", "move_string": "string"}),
    ]
    for function, args, types in tables:
        records, frame = function(*args), function(*args, as_frame=True)
        assert list(frame.columns) == list(records[0])
        assert {column: str(frame[column].dtype) for column in types} == types
        for column in frame.columns:
            assert [None if pandas.isna(v) else v for v in frame[column]] == [r[column] for r in records], column
    positions = bruso.positions(shoe, settings, SEED, as_frame=True)
    assert list(positions["branch"].cat.categories) == ["card_at_hand", "search", "step_aside", "hand_over", "none"]


def test_a_held_lapse_in_exponent_notation_is_fitted_at_its_value(shoe):
    fits = bruso.fit(shoe, conflict_mode=0, altruism=0, fixed={"lapse": 1e-5, "p3": 0.25})
    assert (fits[0]["lapse"], fits[0]["p3"]) == (1e-5, 0.25)


@pytest.mark.parametrize("call, names", [
    (lambda shoe: bruso.fit(shoe, jobs=0), "jobs"),
    (lambda shoe: bruso.fit(shoe, jobs=-3), "jobs"),
    (lambda shoe: bruso.fit(shoe, jobs=10 ** 30), "jobs"),
    (lambda shoe: bruso.log_likelihood(shoe, jobs=1025), "jobs"),
    (lambda shoe: bruso.fit(shoe, fixed={"lapse": 0}), r"fixed\['lapse'\]"),
    (lambda shoe: bruso.fit(shoe, fixed={"p1": 1.5}), r"fixed\['p1'\]"),
    (lambda shoe: bruso.fit(shoe, fixed={"p11": 0.5}), "fixed"),
    (lambda shoe: bruso.fit(shoe, conflict_mode=2), "conflict_mode"),
    (lambda shoe: bruso.recover(shoe, lines=0), "lines"),
    (lambda shoe: bruso.recover(shoe, lines=1, replicates=0), "replicates"),
    (lambda shoe: bruso.recover(shoe, lines=1, prob_range=(0.9, 0.1)), "prob_range"),
    (lambda shoe: bruso.recover(shoe, lines=1, lapse_range=(0, 0.1)), "lapse_range"),
    (lambda shoe: bruso.recover(shoe, lines=1, lapse_range="wide"), "lapse_range"),
    (lambda shoe: bruso.recover(shoe, lines=1, level=1), "level"),
    (lambda shoe: bruso.recover(shoe, lines=1, fixed={"lapse": 2}), "fixed"),
])
def test_refusals_name_the_python_argument(shoe, call, names):
    with pytest.raises(ValueError, match=names) as refusal:
        call(shoe)
    assert "--" not in str(refusal.value)


RECOVERY = {"lines": 1, "replicates": 2, "seed": SEED, "conflict_mode": 0, "altruism": 0}


def test_recovery_equals_the_batch_table(tmp_path, shoe):
    import pandas

    batch(tmp_path, "recover", SHOE, "--lines", "1", "--replicates", "2", "--seed", str(SEED),
          "--conflict-mode", "0", "--altruism", "0", "--jobs", "1", "--csv", str(tmp_path / "recover.csv"))
    expected = read_table(tmp_path / "recover.csv", "recover", as_frame=True)
    pandas.testing.assert_frame_equal(bruso.recover(shoe, **RECOVERY), expected)


@pytest.fixture(scope="module")
def dask_client():
    from dask.distributed import Client, LocalCluster

    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None) as cluster, \
            Client(cluster) as client:
        yield client


@pytest.fixture(scope="module")
def process_pool():
    from concurrent.futures import ProcessPoolExecutor

    with ProcessPoolExecutor(max_workers=2) as pool:
        yield pool


def test_recovery_on_a_process_pool_and_a_dask_cluster_equals_the_serial_table(shoe, process_pool, dask_client):
    import pandas

    serial = bruso.recover(shoe, **RECOVERY)
    for executor in (process_pool, dask_client):
        pandas.testing.assert_frame_equal(bruso.recover(shoe, **RECOVERY, executor=executor), serial)


GROUPS = os.path.join(EXAMPLES, "groups_small.csv")


@pytest.fixture(scope="module")
def participants():
    return bruso.read_participants(SHOE, GROUPS)


@pytest.mark.parametrize("option, fit, kwargs", [
    ("--per-participant", bruso.fit_participants, {"conflict_mode": 1}),
    ("--hierarchical", bruso.fit_hierarchical, {"conflict_mode": 0, "altruism": 1}),
])
def test_participant_fits_equal_the_batch_tables(tmp_path, participants, option, fit, kwargs):
    import pandas

    words = [word for name, value in kwargs.items() for word in (f"--{name.replace('_', '-')}", str(value))]
    batch(tmp_path, "fit", SHOE, "--groups", GROUPS, option, *words, "--csv", str(tmp_path / "fit.csv"))
    table = "participants" if fit is bruso.fit_participants else "hierarchical"
    pandas.testing.assert_frame_equal(fit(participants, **kwargs), read_table(tmp_path / "fit.csv", table, True))


def test_participant_fits_on_a_process_pool_and_a_dask_cluster_equal_the_serial_tables(participants, process_pool,
                                                                                        dask_client):
    import pandas

    for fit, kwargs in [(bruso.fit_participants, {"altruism": 0}), (bruso.fit_hierarchical, {"altruism": 0})]:
        serial = fit(participants, conflict_mode=None, **kwargs)
        for executor in (process_pool, dask_client):
            pandas.testing.assert_frame_equal(fit(participants, **kwargs, executor=executor), serial)


def test_participants_come_from_a_groups_file_or_a_shoe_each(tmp_path, shoe, participants):
    import pickle

    assert [(p.id, p.condition, len(p.hands)) for p in participants] == [
        ("ann", "timed", 10), ("ben", "timed", 10), ("cat", "untimed", 10)]
    assert pickle.loads(pickle.dumps(participants)) == participants
    for name in ("anna", "ben"):
        bruso.write_shoe(shoe[:3], str(tmp_path / f"{name}.txt"))
    (tmp_path / "conditions.csv").write_text("participant,condition\nanna,a\nben,b\n")
    apart = bruso.read_participants([tmp_path / "anna.txt", tmp_path / "ben.txt"], conditions=tmp_path / "conditions.csv")
    assert [(p.id, p.condition, p.hands) for p in apart] == [("anna", "a", shoe[:3]), ("ben", "b", shoe[:3])]
    (tmp_path / "groups.csv").write_text("hand,line,participant\n1,1,ann\n")
    with pytest.raises(ValueError, match="groups.csv"):
        bruso.read_participants(SHOE, tmp_path / "groups.csv")
    with pytest.raises(ValueError, match="two participants"):
        bruso.fit_hierarchical(participants[:1])


def test_a_ten_megabyte_move_line_comes_through_classify_and_positions(tmp_path):
    import csv

    path = tmp_path / "long.txt"
    hand = bruso.Hand("2H 3C 4C 4H 3H 2C", "CK", ["a line no CSV reader takes", "CCCCCCCCT" + "C" * 10_000_000])
    bruso.write_shoe([hand], str(path))
    batch(tmp_path, "classify", str(path), "--seed", str(SEED), "--csv", str(tmp_path / "lines.csv"),
          "--positions", str(tmp_path / "positions.csv"))
    long_shoe = bruso.read_shoe(str(path))
    limit = csv.field_size_limit(sys.maxsize)
    try:
        lines = bruso.classify(long_shoe, seed=SEED)
        assert lines == read_table(tmp_path / "lines.csv", "lines")
        assert bruso.positions(long_shoe, seed=SEED) == read_table(tmp_path / "positions.csv", "positions")
    finally:
        csv.field_size_limit(limit)
    assert len(lines[0]["moves"]) == 10_000_009


@pytest.fixture(scope="module")
def many_lines(shoe):
    """Enough lines that every call on them runs for many seconds."""
    return bruso.simulate(shoe, 3000, bruso.Settings(), SEED) * 30


@pytest.mark.parametrize("name", ["play", "classify", "log_likelihood", "fit", "simulate"])
def test_ctrl_c_stops_the_main_threads_call_and_no_other(shoe, many_lines, name):
    import signal
    import threading
    from concurrent.futures import ThreadPoolExecutor

    ck, nk = (bruso.read_rules(os.path.join(EXAMPLES, n)) for n in ("rules_ck.txt", "rules_nk.txt"))
    long_calls = {"play": lambda: bruso.play(shoe, ck, nk, 10_000_000, SEED),
                  "classify": lambda: bruso.classify(many_lines, seed=SEED),
                  "log_likelihood": lambda: bruso.log_likelihood(many_lines, jobs=2),
                  "fit": lambda: bruso.fit(many_lines, 0, 0),
                  "simulate": lambda: bruso.simulate(shoe[:1], 1_000_000, bruso.Settings(), SEED)}
    some_lines = many_lines[:len(shoe)]
    other_call = lambda: bruso.classify(some_lines, seed=SEED)
    expected = other_call()
    with ThreadPoolExecutor(max_workers=1) as thread:
        other = thread.submit(other_call)
        timer = threading.Timer(0.2, os.kill, (os.getpid(), signal.SIGINT))
        timer.start()
        with pytest.raises(KeyboardInterrupt):
            long_calls[name]()
        timer.join()
        assert other.result() == expected


def test_a_full_rules_table_is_a_python_warning(tmp_path):
    (tmp_path / "many.txt").write_text("T 2H # 3H\n" * 151)
    with pytest.warns(UserWarning, match="only the first 150 rules"):
        bruso.read_rules(str(tmp_path / "many.txt"))
