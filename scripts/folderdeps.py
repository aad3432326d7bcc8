#!/usr/bin/python3
"""Checks that the folders of the source tree include each other only in the given order.

    scripts/folderdeps.py --order core,platform,...,app [SOURCE_FOLDER]

The order runs from the bottom up: a file may include files of its own folder and of the
folders before it, never of one after it, and no two folders may include each other. Every
include that breaks this is printed with its file and line; the exit status is 1 then, 0 when
the tree keeps the order. SOURCE_FOLDER is src/ of this repository unless given.
"""

import argparse
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*["<]([^">]+)[">]')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}


def folder_of(path, root):
    """The top folder below root that holds path, or "" for a file directly in root."""
    parts = path.relative_to(root).parts
    return parts[0] if len(parts) > 1 else ""


def resolve(name, includer, root):
    """The project file an include names, as the compiler finds it: beside the including file
    first, then from the source folder; None for a header from outside (Qt, the system)."""
    for base in (includer.parent, root):
        candidate = (base / name).resolve()
        if candidate.is_file() and root in candidate.parents:
            return candidate
    return None


def includes(root):
    """Every include of one project file by another: (file, line, name, included file)."""
    for path in sorted(root.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), start=1):
            match = INCLUDE.match(line)
            if match:
                target = resolve(match.group(1), path, root)
                if target is not None:
                    yield path, number, match.group(1), target


def where(path, number, root):
    return f"{path.relative_to(root.parent)}:{number}"


def check(root, order):
    """The faults of the tree as printable lines, in the order of the files."""
    rank = {folder: position for position, folder in enumerate(order)}
    faults = []
    # The first include seen from one folder into another, for the report of a cycle.
    first_edge = {}
    for path, number, name, target in includes(root):
        source, destination = folder_of(path, root), folder_of(target, root)
        if source == destination:
            continue
        # Files beside the folders (the program entry) stand above all of them; a folder missing
        # from the order is reported on its own.
        if source == "" or source not in rank:
            continue
        if destination == "":
            faults.append(f'{where(path, number, root)}: includes "{name}": {source} may not '
                          f'include a file beside the folders')
            continue
        if destination not in rank:
            continue
        first_edge.setdefault((source, destination), where(path, number, root))
        if rank[source] < rank[destination]:
            faults.append(f'{where(path, number, root)}: includes "{name}": {source} may not '
                          f'include {destination}, which is above it')
    for (source, destination), place in sorted(first_edge.items()):
        back = first_edge.get((destination, source))
        if back is not None and rank[source] < rank[destination]:
            faults.append(f"{source} and {destination} include each other: {place} and {back}")
    return faults


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--order", required=True,
                        help="the folders from the bottom up, separated by commas")
    parser.add_argument("source", nargs="?",
                        default=pathlib.Path(__file__).resolve().parent.parent / "src")
    arguments = parser.parse_args()
    root = pathlib.Path(arguments.source).resolve()
    order = [folder for folder in arguments.order.split(",") if folder]
    if not root.is_dir():
        parser.error(f"{root} is not a folder")
    missing = sorted({path.name for path in root.iterdir() if path.is_dir()} - set(order))
    faults = [f"{root.name}/{folder}: the folder is not in the order" for folder in missing]
    faults += check(root, order)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
