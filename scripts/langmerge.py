#!/usr/bin/python3
"""Merges two versions of a language file caption by caption, as git's merge driver.

    scripts/langmerge.py ANCESTOR CURRENT OTHER [PATH]

A language file is a long run of similar lines in which a caption's number is its place among
the caption lines, so a merge of lines can move captions without any conflict. Here every
caption is merged by its number, every setting by its key, and every other line by its text:
a change made on one side is taken, the same change made on both sides is taken once, and two
different changes to one caption or setting are a conflict, left between conflict markers in
CURRENT and named on standard error (exit status 1). The result is written to CURRENT with the
bytes of the lines as they came, their CR LF ends and their encoding untouched.
"""

import sys

MARKER_SIZE = 7


class Line:
    """One line of the file: its bytes with their line end, and what it is to the program."""

    def __init__(self, raw, key):
        self.raw = raw
        self.key = key


def split_lines(data):
    lines = data.splitlines(keepends=True)
    # A line split off at a lone CR (splitlines splits there too) belongs to the line it is in.
    joined = []
    for line in lines:
        if joined and not joined[-1].endswith(b"\n"):
            joined[-1] += line
        else:
            joined.append(line)
    return joined


def parse(data):
    """The lines of a language file with their keys: ("caption", n) for the n-th caption line,
    ("setting", KEY, k) for the k-th line of a setting, ("line", text, k) for the others."""
    lines = []
    captions = 0
    seen = {}
    for raw in split_lines(data):
        text = raw.rstrip(b"\r\n")
        if not lines and text.startswith(b"\xef\xbb\xbf"):
            text = text[3:]
        text = text.strip(b" ")
        if text.startswith(b'"'):
            captions += 1
            key = ("caption", captions)
        else:
            if not text.startswith(b"[") and b"=" in text:
                name = ("setting", text.split(b"=", 1)[0].upper())
            else:
                name = ("line", text)
            seen[name] = seen.get(name, 0) + 1
            key = name + (seen[name],)
        lines.append(Line(raw, key))
    return lines


def by_key(lines):
    return {line.key: line.raw for line in lines}


def describe(key):
    if key[0] == "caption":
        return f"caption {key[1]}"
    if key[0] == "setting":
        return f"setting {key[1].decode('utf-8', 'replace')}"
    return f"line {key[1].decode('utf-8', 'replace')!r}"


def merged_value(key, base, ours, theirs):
    """The merged bytes of one key (None: the line is gone), or a conflict."""
    old, mine, other = base.get(key), ours.get(key), theirs.get(key)
    if mine == other or other == old:
        return mine, False
    if mine == old:
        return other, False
    return None, True


def line_end(lines):
    return b"\r\n" if any(line.raw.endswith(b"\r\n") for line in lines) else b"\n"


def merge(base_data, ours_data, theirs_data, path="language file"):
    """The merged bytes and the conflicts, as messages."""
    base, ours, theirs = by_key(parse(base_data)), parse(ours_data), parse(theirs_data)
    ours_values, theirs_values = by_key(ours), by_key(theirs)
    # Our order of lines, with each line only the other side has placed after the line that
    # precedes it there (or at the start).
    order = [line.key for line in ours]
    placed = set(order)
    previous = None
    for line in theirs:
        if line.key not in placed:
            at = order.index(previous) + 1 if previous is not None else 0
            while at < len(order) and order[at] not in theirs_values and order[at] not in base:
                at += 1
            order.insert(at, line.key)
            placed.add(line.key)
        previous = line.key
    end = line_end(ours)
    out, conflicts = [], []
    for key in order:
        value, conflict = merged_value(key, base, ours_values, theirs_values)
        if conflict:
            mine, other = ours_values.get(key, b""), theirs_values.get(key, b"")
            conflicts.append(f"{path}: {describe(key)} was changed on both sides: "
                             f"{mine.strip().decode('utf-8', 'replace') or '(removed)'} | "
                             f"{other.strip().decode('utf-8', 'replace') or '(removed)'}")
            out.append(b"<" * MARKER_SIZE + b" ours" + end)
            out.append(terminated(mine, end))
            out.append(b"=" * MARKER_SIZE + end)
            out.append(terminated(other, end))
            out.append(b">" * MARKER_SIZE + b" theirs" + end)
        elif value is not None:
            out.append(value)
    # Only the file's last line may lack its line end.
    for i in range(len(out) - 1):
        out[i] = terminated(out[i], end)
    return b"".join(out), conflicts


def terminated(raw, end):
    return raw if raw.endswith(b"\n") or not raw else raw + end


def main(arguments):
    if len(arguments) not in (3, 4):
        print(__doc__, file=sys.stderr)
        return 2
    base_path, ours_path, theirs_path = arguments[:3]
    path = arguments[3] if len(arguments) == 4 else ours_path
    with open(base_path, "rb") as base, open(ours_path, "rb") as ours, open(theirs_path, "rb") as theirs:
        result, conflicts = merge(base.read(), ours.read(), theirs.read(), path)
    with open(ours_path, "wb") as out:
        out.write(result)
    for conflict in conflicts:
        print(conflict, file=sys.stderr)
    return 1 if conflicts else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
