"""A short analysis of the example shoe from Python, as a notebook would run it.

Run from the repository after ./test.sh (which builds the module):
    PYTHONPATH=build/test/python python3 examples/notebook.py [OUTPUT_FOLDER]
The histogram goes to OUTPUT_FOLDER; by default to the window's output folder: outputFile/
when started in the start directory run/, run/outputFile/ when started in the repository.
"""

import os
import sys

import bruso

here = os.path.dirname(os.path.abspath(__file__))
if len(sys.argv) > 1:
    output_folder = sys.argv[1]
else:
    output_folder = "outputFile" if os.path.isdir("outputFile") else os.path.join("run", "outputFile")
shoe = bruso.read_shoe(os.path.join(here, "small_shoe.txt"))

lines = bruso.classify(shoe, bruso.Settings(), seed=1)
agreed = sum(line["agreements"] for line in lines)
suggested = sum(line["suggested"] for line in lines)
print(f"{len(shoe)} hands, {len(lines)} lines: the model agrees at {agreed} of {suggested} positions "
      f"({100 * agreed / suggested:.1f}%)")

for row in bruso.fit(shoe):
    variant = "uniform player" if row["model"] == "uniform" else \
        f"conflict mode {row['conflict_mode']}, altruism {row['altruism']}"
    print(f"{variant:30} log-likelihood {row['log_likelihood']:.2f}, AIC {row['aic']:.2f}")

try:
    import matplotlib
    matplotlib.use("Agg")  # a file, no window: the same with or without a display
    import matplotlib.pyplot as plt
except ImportError:
    plt = None
if plt is not None:
    rules = [bruso.read_rules(os.path.join(here, name)) for name in ("rules_ck.txt", "rules_nk.txt")]
    plays = bruso.play(shoe, *rules, iterations=20, seed=1)
    human = [len(line["moves"]) for line in lines if line["reaches_2h"]]
    artificial = [play["moves"] for play in plays if play["solved"]]
    plt.hist([human, artificial], bins=range(0, 40), label=["players", "rules"], density=True)
    plt.xlabel("moves to solve")
    plt.legend()
    os.makedirs(output_folder, exist_ok=True)
    picture = os.path.join(output_folder, "moves_to_solve.png")
    plt.savefig(picture)
    print(f"histogram in {picture}")
