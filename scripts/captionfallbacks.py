#!/usr/bin/python3
"""Checks that every English text the code gives with a caption number is that caption's text.

    scripts/captionfallbacks.py [--source SRC] [--language FILE]

The code pairs a caption number with the English text that stands in when a language file
lacks it: state.caption(n, "English"), and every function or table that takes a number and an
English text beside it (a `const char *` whose name says English, after the `int` it belongs
to). Caption n is the n-th double-quoted line after [Captions] of the English language file.
Every pair whose text differs is printed with its file and line and both texts, and so is every
pair whose number or text cannot be told from the code; the exit status is 1 then, else 0.
"""

import argparse
import pathlib
import re
import sys

TOP = pathlib.Path(__file__).resolve().parent.parent
SOURCE_SUFFIXES = {".h", ".cpp"}
NAME = r"[A-Za-z_]\w*"


class Source:
    """A source file with its comments blanked and the insides of its literals masked, so that
    brackets and commas can be counted; offsets and lines stay those of the file."""

    def __init__(self, path, root):
        self.path = path
        self.name = str(path.relative_to(root.parent))
        self.text = path.read_text(encoding="utf-8", errors="replace")
        self.masked = mask(self.text)
        self.line_starts = [0] + [m.end() for m in re.finditer("\n", self.text)]

    def line_of(self, offset):
        low, high = 0, len(self.line_starts)
        while high - low > 1:
            middle = (low + high) // 2
            if self.line_starts[middle] <= offset:
                low = middle
            else:
                high = middle
        return low + 1


def mask(text):
    out = list(text)
    i, length = 0, len(text)
    while i < length:
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = length if end < 0 else end
            out[i:end] = " " * (end - i)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = length if end < 0 else end + 2
            out[i:end] = [c if c == "\n" else " " for c in text[i:end]]
            i = end
        elif text[i] in "\"'":
            quote, j = text[i], i + 1
            while j < length and text[j] != quote:
                j += 2 if text[j] == "\\" else 1
            out[i + 1:j] = "x" * (j - i - 1)
            i = j + 1
        else:
            i += 1
    return "".join(out)


def unescape(body):
    simple = {"n": "\n", "t": "\t", "\\": "\\", '"': '"', "'": "'", "r": "\r", "0": "\0"}
    out, i = [], 0
    while i < len(body):
        if body[i] == "\\" and i + 1 < len(body):
            kind = body[i + 1]
            if kind in "uU":
                digits = 4 if kind == "u" else 8
                out.append(chr(int(body[i + 2:i + 2 + digits], 16)))
                i += 2 + digits
                continue
            if kind == "x":
                hexes = re.match(r"[0-9a-fA-F]+", body[i + 2:]).group(0)
                out.append(chr(int(hexes, 16)))
                i += 2 + len(hexes)
                continue
            out.append(simple.get(kind, kind))
            i += 2
            continue
        out.append(body[i])
        i += 1
    return "".join(out)


def literal_text(source, start, end):
    """The text of an argument made of adjacent string literals, or None for anything else."""
    masked = source.masked[start:end].strip()
    if not re.fullmatch(r'(?:(?:u8|u|L)?"x*"\s*)+', masked):
        return None
    offset = start + (len(source.masked[start:end]) - len(source.masked[start:end].lstrip()))
    pieces = re.finditer(r'(?:u8|u|L)?"(x*)"', source.masked[offset:end])
    return "".join(unescape(source.text[offset + m.start(1):offset + m.end(1)]) for m in pieces)


def matching(masked, opening):
    """The offset of the bracket that closes the one at opening."""
    pairs = {"(": ")", "{": "}", "[": "]"}
    stack = []
    for i in range(opening, len(masked)):
        c = masked[i]
        if c in pairs:
            stack.append(pairs[c])
        elif stack and c == stack[-1]:
            stack.pop()
            if not stack:
                return i
    return len(masked)


def arguments(masked, opening, closing, separator=","):
    """(start, end) of each argument between two brackets (or member, with ";")."""
    spans, depth, start = [], 0, opening + 1
    for i in range(opening + 1, closing):
        c = masked[i]
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
        elif c == separator and depth == 0:
            spans.append((start, i))
            start = i + 1
    if masked[start:closing].strip():
        spans.append((start, closing))
    return spans


def scopes(source):
    """(start, end, class name) of every class or struct body in the file."""
    found = []
    for m in re.finditer(rf"\b(?:class|struct)\s+({NAME})\b[^;{{()]*\{{", source.masked):
        found.append((m.end() - 1, matching(source.masked, m.end() - 1), m.group(1)))
    return found


def enclosing_class(source, offset, classes):
    """The class whose body or member function holds offset, or None."""
    inside = [(start, name) for start, end, name in classes if start < offset < end]
    if inside:
        return max(inside)[1]
    # The member function defined last before offset, outside every brace, holds it when
    # offset lies inside braces.
    depth, owner, masked = 0, None, source.masked
    definitions = {m.start(): m.group(1) for m in re.finditer(rf"\b({NAME})::~?{NAME}\s*\(", masked[:offset])}
    for i in range(offset):
        c = masked[i]
        if c == "{":
            depth += 1
        elif c == "}":
            depth -= 1
        elif depth == 0 and i in definitions:
            owner = definitions[i]
    return owner if depth > 0 else None


class Constants:
    """The code's constant caption numbers and English texts, by class (None: outside any)."""

    def __init__(self, sources):
        self.by_file = {}
        for source in sources:
            classes = scopes(source)
            entries = []
            for m in re.finditer(r"\bconstexpr\s+(int|const\s+char\s*\*)\s*([^;]*);", source.masked):
                kind = "int" if m.group(1) == "int" else "text"
                for part_start, part_end in split_top(source.masked, m.start(2), m.end(2)):
                    declaration = re.match(rf"\s*({NAME})\s*=\s*", source.masked[part_start:part_end])
                    if not declaration:
                        continue
                    value_start = part_start + declaration.end()
                    if kind == "int":
                        number = source.masked[value_start:part_end].strip()
                        value = int(number) if number.isdigit() else None
                    else:
                        value = literal_text(source, value_start, part_end)
                    owner = enclosing_class(source, m.start(), classes)
                    entries.append((owner, declaration.group(1), kind, value))
            self.by_file[source.path] = entries

    def find(self, name, kind, owner=None, files=None, any_owner=False):
        values = set()
        for path, entries in self.by_file.items():
            if files is not None and path not in files:
                continue
            for entry_owner, entry_name, entry_kind, value in entries:
                if entry_name == name and entry_kind == kind and (any_owner or entry_owner == owner):
                    values.add(value)
        return values


def split_top(masked, start, end):
    return arguments(masked, start - 1, end)


def resolve(expression, kind, source, offset, constants, classes, included):
    """The value of a number or English argument; None when the code does not tell it."""
    expression = expression.strip()
    if kind == "int" and expression.isdigit():
        return int(expression)
    qualified = re.fullmatch(rf"(?:({NAME})::)?({NAME})", expression)
    if not qualified:
        return None
    owner, name = qualified.groups()
    if owner:
        found = constants.find(name, kind, owner)
    else:
        found = set()
        here = enclosing_class(source, offset, classes)
        # As the compiler looks: the class the code is in, the file, the headers it includes.
        for owner_now, files in ((here, None), (None, {source.path}), (None, included)):
            if owner_now is None and files is None:
                continue
            found = constants.find(name, kind, owner_now, files)
            if found:
                break
    return found.pop() if len(found) == 1 else None


def forms(sources):
    """Every function and table that takes a caption number with its English text: name ->
    (kind, [(number position, English position)]), kind "call" or "table"."""
    found = {}
    pair = re.compile(rf"\b({NAME})\s*\(([^()]*\bint\s+{NAME}[^()]*)\)")
    for source in sources:
        for m in pair.finditer(source.masked):
            parameters = arguments(source.masked, m.start(2) - 1, m.end(2))
            pairs = english_pairs([source.masked[a:b] for a, b in parameters])
            if pairs:
                found[m.group(1)] = ("call", pairs)
        for start, end, name in scopes(source):
            members = [source.masked[a:b] for a, b in arguments(source.masked, start, end, ";")]
            pairs = english_pairs(members)
            if pairs:
                found[name] = ("table", pairs)
    return found


def english_pairs(declarations):
    pairs, last_int = [], None
    for position, declaration in enumerate(declarations):
        if re.match(rf"\s*int\s+{NAME}", declaration):
            last_int = position
        elif re.match(r"\s*const\s+char\s*\*\s*\w*english", declaration, re.IGNORECASE):
            if last_int is not None:
                pairs.append((last_int, position))
    return pairs


def forwarded(expression):
    """An English argument that passes on a parameter or member: its callers are checked."""
    return re.fullmatch(r"[\w.>-]*english\w*", expression.strip(), re.IGNORECASE) is not None


def pairs_in(source, forms_found, constants, included):
    """(line, number or None, English or None, the code) of every pair in the file."""
    classes = scopes(source)
    masked = source.masked
    for name, (kind, positions) in forms_found.items():
        if kind == "call":
            pattern = rf"(?<![\w:~])(?:{NAME}::)?{name}\s*\("
        else:
            pattern = rf"\b{name}\s+{NAME}\s*\[\s*\]\s*=\s*\{{"
        for m in re.finditer(pattern, masked):
            opening = m.end() - 1
            closing = matching(masked, opening)
            if kind == "call":
                if re.search(rf"\b(?:int|void|QString|bool)\s+(?:{NAME}::)?{name}\s*\($", masked[max(0, m.start() - 40):m.end()]):
                    continue  # the declaration or definition itself
                groups = [(opening, closing)]
            else:
                groups = [(a, matching(masked, a)) for a, b in arguments(masked, opening, closing)
                          for a in [masked.find("{", a, b)] if a >= 0]
            for group_open, group_close in groups:
                spans = arguments(masked, group_open, group_close)
                for number_at, english_at in positions:
                    if english_at >= len(spans):
                        continue
                    number_code = source.text[slice(*spans[number_at])].strip()
                    english_span = spans[english_at]
                    english_code = source.text[slice(*english_span)].strip()
                    if english_code == "nullptr" or forwarded(english_code):
                        continue
                    english = literal_text(source, *english_span)
                    # A caption number is a number or a named constant: anything else is a call of
                    # another function of that name, unless it comes with an English text.
                    if english is None and not re.fullmatch(rf"\d+|(?:{NAME}::)?{NAME}", number_code):
                        continue
                    if english is None:
                        english = resolve(english_code, "text", source, english_span[0], constants, classes, included)
                    number = resolve(number_code, "int", source, spans[number_at][0], constants, classes, included)
                    yield source.line_of(spans[number_at][0]), number, english, f"{number_code}, {english_code}"


def includes_of(source, root):
    files = set()
    for m in re.finditer(r'^\s*#\s*include\s*"([^"]+)"', source.text, re.MULTILINE):
        for base in (source.path.parent, root):
            candidate = (base / m.group(1)).resolve()
            if candidate.is_file():
                files.add(candidate)
                break
    return files


def captions_of(language):
    """Caption number -> (text, line of the file)."""
    captions, number, started = {}, 0, False
    data = language.read_bytes()
    for line_number, raw in enumerate(data.splitlines(), start=1):
        try:
            line = raw.decode("utf-8")
        except UnicodeDecodeError:
            line = raw.decode("cp1252", errors="replace")
        line = line.lstrip("\ufeff").strip(" ")
        if line.startswith("[Captions]"):
            started = True
        elif started and line.startswith('"'):
            number += 1
            captions[number] = (line[1:-1], line_number)
    return captions


def check(root, language):
    sources = [Source(path, root) for path in sorted(root.rglob("*")) if path.suffix in SOURCE_SUFFIXES]
    constants = Constants(sources)
    forms_found = forms(sources)
    captions = captions_of(language)
    where_language = language.relative_to(TOP) if TOP in language.parents else language
    faults, checked = [], 0
    for source in sources:
        included = includes_of(source, root) | {source.path}
        header = source.path.with_suffix(".h")
        if header.is_file():
            included |= includes_of(Source(header, root), root) | {header}
        for line, number, english, code in pairs_in(source, forms_found, constants, included):
            if number is None or english is None:
                faults.append(f"{source.name}:{line}: the caption number or English text of "
                              f"({code}) cannot be told from the code")
                continue
            checked += 1
            text, caption_line = captions.get(number, (None, None))
            if text is None:
                faults.append(f'{source.name}:{line}: caption {number} is not in {where_language}; '
                              f'the code\'s English is "{english}"')
            elif text != english:
                faults.append(f'{source.name}:{line}: caption {number} is "{text}" in '
                              f'{where_language}:{caption_line}, the code\'s English is "{english}"')
    return faults, checked


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=TOP / "src")
    parser.add_argument("--language", default=TOP / "install" / "Lang_English.txt")
    arguments_given = parser.parse_args()
    faults, checked = check(pathlib.Path(arguments_given.source).resolve(),
                            pathlib.Path(arguments_given.language).resolve())
    for fault in faults:
        print(fault)
    print(f"{checked} English texts checked, {len(faults)} faults")
    return 1 if faults or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
