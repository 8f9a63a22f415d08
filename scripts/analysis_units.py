#!/usr/bin/env python3
"""Joins the files of a compilation database into one unit per folder for clang-tidy.

clang-tidy spends most of each file's time walking the standard library's and
Windows' declarations, which every file of a folder includes again. A unit
that includes each file of a folder (same compile flags) walks them once, and
the files' own findings are still reported at their own lines, as findings in
included files that the header filter lets through.

Each unit is first compiled with clang -fsyntax-only, two at a time. Files
that cannot share one (two helpers of the same name in their unnamed
namespaces, two programs' main functions) are halved until the halves
compile, down to single files, which are analysed as they stand.

    analysis_units.py BUILD AREAS OUT [CLANG-ARGUMENT ...]

BUILD holds compile_commands.json; AREAS is the regular expression (relative
to the repository root) of the files to analyse; OUT receives the units and a
compile_commands.json of units and single files. The clang arguments are
added to each syntax check (the cross build's target and C++ library).
"""
import collections
import concurrent.futures
import json
import os
import re
import shlex
import subprocess
import sys


def source_flags(entry):
    """The entry's arguments less its output, dependency and source arguments."""
    args = entry.get("arguments") or shlex.split(entry["command"])
    flags, skip = [], False
    for arg in args:
        if skip:
            skip = False
        elif arg in ("-o", "-MF", "-MT", "-MQ"):
            skip = True
        elif arg not in ("-c", entry["file"]) and not arg.startswith("-MD") and arg != "-MMD":
            flags.append(arg)
    return flags


def compiles(flags, unit, directory, extra):
    clang = os.environ.get("QV_ANALYSIS_CLANG", "clang++-14")
    command = [clang] + flags[1:] + extra + ["-fsyntax-only", "-w", unit]
    return subprocess.run(command, cwd=directory, capture_output=True).returncode == 0


def main():
    build, areas, out = sys.argv[1:4]
    extra = sys.argv[4:]
    root = os.getcwd()
    wanted = re.compile("^" + re.escape(root) + "/(" + areas + ")/")
    groups = collections.OrderedDict()
    with open(os.path.join(build, "compile_commands.json")) as text:
        commands = json.load(text)
    for entry in commands:
        if not wanted.match(entry["file"]):
            continue
        flags = source_flags(entry)
        key = (os.path.dirname(entry["file"]), tuple(flags))
        groups.setdefault(key, []).append(entry)

    os.makedirs(out, exist_ok=True)

    def split(name, flags, entries):
        """The entries as units that compile, halving those that do not."""
        if len(entries) < 2:
            return [(None, flags, entries)]
        unit = os.path.join(os.path.abspath(out), f"{name}.cpp")
        with open(unit, "w") as text:
            text.writelines(f'#include "{entry["file"]}"\n' for entry in entries)
        if compiles(flags, unit, entries[0]["directory"], extra):
            return [(unit, flags, entries)]
        half = len(entries) // 2
        return split(name + "a", flags, entries[:half]) + split(name + "b", flags, entries[half:])

    jobs = [(os.path.relpath(folder, root).replace("/", "_") + f"_{number}_", list(flags), entries)
            for number, ((folder, flags), entries) in enumerate(groups.items())]
    with concurrent.futures.ThreadPoolExecutor(max_workers=int(os.environ.get("QV_JOBS", "2"))) as pool:
        parts = [part for parts in pool.map(lambda job: split(*job), jobs) for part in parts]

    database, joined, units = [], 0, 0
    for unit, flags, entries in parts:
        if unit is None:
            database.extend(entries)
            continue
        database.append({"directory": entries[0]["directory"], "file": unit,
                         "arguments": flags + ["-c", unit]})
        joined += len(entries)
        units += 1
    with open(os.path.join(out, "compile_commands.json"), "w") as text:
        json.dump(database, text, indent=1)
    print(f"{joined} files in {units} units, {len(database) - units} alone")


if __name__ == "__main__":
    main()
