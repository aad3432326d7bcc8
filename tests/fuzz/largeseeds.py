#!/usr/bin/python3
"""Writes the large seeds of the fuzz targets into FOLDER/<target>/, too large to keep in git:

    tests/fuzz/largeseeds.py FOLDER

- fuzz_bookmarkshtml/links-10mb.html: 10 MB of links in the bookmarks file other browsers
  write, in folders nested four deep, with dates, icons, descriptions and entities;
- fuzz_journeyfile/long-journey.txt: a journey of 100,000 steps, nearly every one on a site of
  its own.
"""

import pathlib
import sys

TEN_MEGABYTES = 10 * 1024 * 1024
ICON = "data:image/png;base64," + "iVBORw0KGgoAAAANSUhEUgAAABAAAAAQCAYAAAAf8/9h" * 4


def bookmarks():
    out = ["<!DOCTYPE NETSCAPE-Bookmark-file-1>\n",
           '<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">\n',
           "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks Menu</H1>\n<DL><p>\n"]
    size, link = sum(map(len, out)), 0
    folder = 0
    while size < TEN_MEGABYTES:
        folder += 1
        for depth in range(4):
            indent = "    " * (depth + 1)
            opening = (f'{indent}<DT><H3 ADD_DATE="{1500000000 + folder}">Folder {folder}.{depth} &amp; '
                       f"more</H3>\n{indent}<DL><p>\n")
            out.append(opening)
            size += len(opening)
            for _ in range(40):
                link += 1
                icon = f' ICON="{ICON}"' if link % 7 == 0 else ""
                entry = (f'{indent}    <DT><A HREF="https://site{link % 5000}.example/page/{link}?a=1&amp;b=2"'
                         f' ADD_DATE="{1600000000 + link}" LAST_MODIFIED="{1600000500 + link}"{icon}>'
                         f"Page {link} &#8212; caf&eacute; &lt;{link % 13}&gt;</A>\n")
                if link % 3 == 0:
                    entry += f"{indent}    <DD>About page {link}: notes &amp; remarks\n"
                out.append(entry)
                size += len(entry)
        for depth in reversed(range(4)):
            closing = "    " * (depth + 1) + "</DL><p>\n"
            out.append(closing)
            size += len(closing)
    out.append("</DL><p>\n")
    return "".join(out).encode("utf-8")


def journey():
    lines = []
    for step in range(100000):
        seconds = 14 * 3600 + step * 30
        time = f"{seconds // 3600 % 24:02d}:{seconds // 60 % 60:02d}:{seconds % 60:02d}"
        lines.append(f"{time}  https://host{step}.example/path/{step % 97}/index.html#part{step % 3}\r\n")
    return "".join(lines).encode("utf-8")


def main(folder):
    for target, name, content in (("fuzz_bookmarkshtml", "links-10mb.html", bookmarks),
                                  ("fuzz_journeyfile", "long-journey.txt", journey)):
        path = pathlib.Path(folder) / target / name
        if not path.is_file():
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(content())


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
