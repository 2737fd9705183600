#!/usr/bin/env python3
"""Runs the sessions of README.md and compares what they print with what the README shows.

    readme_sessions.py SOURCE_DIR BUILD_DIR [README]

Which blocks are checked:
- A fenced block marked ```console is a shell session. A line starting with "$ " is a
  command (a line ending in a backslash goes on in the next line); the lines after it, up
  to the next command, are what it prints on standard output and standard error together.
  The commands of a block run one after the other in one shell, so `cd` carries over, and
  each must end with status 0 (a session that shows a failure ends its command with
  `; echo $?`).
- A fenced block marked ```pycon is a Python session, checked as a doctest by the
  interpreter the build's module was made for.
Other blocks (the ones that build, install or start the window) are not run.

Each block starts in the top folder of a fresh scratch tree laid out as a clone looks
after ./run.sh and ./test.sh: examples/, run/ holding the examples and help.html, and
build/run and build/test standing for BUILD_DIR.

Before the comparison, the figures that change from run to run are replaced on both
sides: rates (plays per second), and the seed printed by a command that was given none.

Besides, the layout table (the first column of the table under "## Layout") must name
every folder of the source tree and no other, and every file of the tree that the README
names in backticks (`bench/speed.sh`, `bench/rules_150_*.txt`) must be there.
"""

import difflib
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

# Rates that depend on the machine; the README shows the figures of one run.
VARYING = [
    (re.compile(r"(plays per second: +)\d+"), r"\1N"),
]
# The seed of a run that was given none comes from the clock.
CLOCK_SEED = (re.compile(r"(seed: +)\d+"), r"\1N")


def fenced_blocks(text, language):
    """The bodies of the fenced blocks marked with `language`, with their line numbers."""
    blocks = []
    body = None
    for number, line in enumerate(text.splitlines(), 1):
        if body is None:
            if line.strip() == "```" + language:
                body, start = [], number
        elif line.strip() == "```":
            blocks.append((start, body))
            body = None
        else:
            body.append(line)
    return blocks


def session_steps(lines):
    """(command, expected lines) pairs of a console block."""
    steps = []
    index = 0
    while index < len(lines):
        line = lines[index]
        if not line.startswith("$ "):
            raise ValueError(f"output before any command: {line!r}")
        command = line[2:]
        while command.endswith("\\"):
            index += 1
            command += "\n" + lines[index]
        index += 1
        expected = []
        while index < len(lines) and not lines[index].startswith("$ "):
            expected.append(lines[index])
            index += 1
        steps.append((command, expected))
    return steps


def normalised(lines, command):
    rules = VARYING + ([] if "--seed" in command else [CLOCK_SEED])
    result = []
    for line in lines:
        for pattern, replacement in rules:
            line = pattern.sub(replacement, line)
        result.append(line.rstrip())
    return result


def scratch_tree(source, build, folder):
    shutil.copytree(os.path.join(source, "examples"), os.path.join(folder, "examples"))
    shutil.copytree(os.path.join(source, "examples"), os.path.join(folder, "run"))
    os.makedirs(os.path.join(folder, "run", "outputFile"))
    shutil.copy(os.path.join(source, "ui", "help.html"), os.path.join(folder, "run"))
    os.makedirs(os.path.join(folder, "build"))
    for name in ("run", "test"):
        os.symlink(os.path.abspath(build), os.path.join(folder, "build", name))


def run_console_block(start, lines, source, build):
    """The failures of one console block, as printable texts."""
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        scratch_tree(source, build, folder)
        shell = subprocess.Popen(["bash"], cwd=folder, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                 stderr=subprocess.STDOUT, text=True, env=dict(os.environ, LC_ALL="C.UTF-8"))
        for number, (command, expected) in enumerate(session_steps(lines), 1):
            marker = f"--- end of step {number}: status "
            shell.stdin.write(f"{command}\nreadme_status=$?; echo; echo \"{marker}$readme_status\"\n")
            shell.stdin.flush()
            printed = []
            while True:
                line = shell.stdout.readline()
                if line == "":
                    failures.append(f"block at line {start}: the shell ended during: {command}")
                    return failures
                if line.startswith(marker):
                    status = int(line[len(marker):])
                    break
                printed.append(line.rstrip("\n"))
            # The echo before the marker ends an unfinished last line, or adds an empty one.
            if printed and printed[-1] == "":
                printed.pop()
            if status != 0:
                failures.append(f"block at line {start}: status {status} from: {command}\n" + "\n".join(printed))
            want, got = normalised(expected, command), normalised(printed, command)
            if want != got:
                diff = list(difflib.unified_diff(want, got, "README", "printed", lineterm=""))
                diff = "\n".join(diff[:60] + (["..."] if len(diff) > 60 else []))
                failures.append(f"block at line {start}: the output of `{command}` differs:\n{diff}")
        shell.stdin.close()
        shell.wait()
    return failures


def module_interpreter(build):
    """The Python the build's module was made for (its CMake cache says), else this one."""
    try:
        with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as cache:
            for line in cache:
                if line.startswith("Python3_EXECUTABLE:"):
                    return line.split("=", 1)[1].strip()
    except OSError:
        pass
    return sys.executable


def run_python_block(start, lines, source, build):
    package = os.path.join(build, "python", "bruso")
    if not glob.glob(os.path.join(package, "_bruso*.so")):
        print(f"python block at line {start} not run: the build has no Python module")
        return []
    with tempfile.TemporaryDirectory() as folder:
        scratch_tree(source, build, folder)
        session = os.path.join(folder, "session.txt")
        with open(session, "w", encoding="utf-8") as file:
            file.write("\n".join(lines) + "\n")
        environment = dict(os.environ, PYTHONPATH=os.path.join(os.path.abspath(build), "python"))
        run = subprocess.run([module_interpreter(build), "-m", "doctest", "-o", "NORMALIZE_WHITESPACE", session],
                             cwd=folder, env=environment, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        if run.returncode != 0:
            return [f"python block at line {start} differs:\n{run.stdout}"]
        return []


def source_folders(source):
    """The folders of the source tree; build output and the start directory are not."""
    return {name for name in os.listdir(source)
            if os.path.isdir(os.path.join(source, name)) and not name.startswith((".", "build"))
            and name != "run"}


def layout_failures(text, source):
    section = text.split("\n## Layout\n", 1)[1].split("\n## ", 1)[0]
    listed = set(re.findall(r"^\| `([^`/]+)/` \|", section, re.MULTILINE))
    failures = [f"the layout table names {name}/, which the tree does not hold"
                for name in sorted(listed - source_folders(source))]
    failures += [f"the layout table leaves out {name}/" for name in sorted(source_folders(source) - listed)]
    for path in sorted(set(re.findall(r"`((?:[a-z_]+/)+[\w.*-]+)`", text))):
        if path.split("/")[0] in source_folders(source) and not glob.glob(os.path.join(source, path)):
            failures.append(f"the README names {path}, which the tree does not hold")
    return failures


def main():
    source, build = sys.argv[1], sys.argv[2]
    readme = sys.argv[3] if len(sys.argv) > 3 else os.path.join(source, "README.md")
    with open(readme, encoding="utf-8") as file:
        text = file.read()
    consoles, pythons = fenced_blocks(text, "console"), fenced_blocks(text, "pycon")
    if not consoles:
        print("no console session found in", readme)
        return 1
    failures = layout_failures(text, source)
    for start, lines in consoles:
        failures += run_console_block(start, lines, source, build)
    for start, lines in pythons:
        failures += run_python_block(start, lines, source, build)
    for failure in failures:
        print(failure, end="\n\n")
    print(f"{len(consoles)} shell and {len(pythons)} Python sessions, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
