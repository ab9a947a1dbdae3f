#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
# SPDX-License-Identifier: GPL-2.0-or-later
"""Fills the code quotes of the walk-through pages in docs/ from the sources.

A quote in a page is a marker line followed by the fenced block it owns:

    <!-- quote: Wavelry/wavelry.cpp#KdeW::RButton -->
    ```cpp
    ...
    ```

The part after '#' names either a piece marked in the source by a pair of
'//! [name]' lines, or a whole definition: a function ('KdeW::RButton',
'HelloWorldXor') from its unindented first line to the '}' that closes it,
or a class ('class KdeW') to its '};'.

    scripts/docs.py           fill every quote from the sources
    scripts/docs.py --check   change nothing; list every quote that differs
                              from its source or names nothing, status 1 then
"""

import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
MARKER = re.compile(r"^<!-- quote: (?P<file>[^#\s]+)#(?P<name>[^>]+?) -->$")
SNIPPET = re.compile(r"^\s*//! \[(?P<name>[^\]]+)\]\s*$")


def dedent(lines):
    indent = min((len(l) - len(l.lstrip()) for l in lines if l.strip()), default=0)
    return [l[indent:] if l.strip() else "" for l in lines]


def snippet(lines, name):
    """The lines between the two '//! [name]' lines, without any marker lines."""
    at = [i for i, l in enumerate(lines) if (m := SNIPPET.match(l)) and m["name"] == name]
    if not at:
        return None
    if len(at) != 2:
        raise LookupError(f"'//! [{name}]' stands {len(at)} times, not twice")
    return dedent([l for l in lines[at[0] + 1 : at[1]] if not SNIPPET.match(l)])


def definition(lines, name):
    """A whole unindented definition: a function or a class, by its name."""
    if name.startswith("class "):
        start = re.compile(re.escape(name) + r"\b(?!.*;\s*$)")
        end = "};"
    else:
        start = re.compile(r"^\S.*(?<![\w:])" + re.escape(name) + r"\s*\((?!.*;\s*$)")
        end = "}"
    for i, line in enumerate(lines):
        if start.match(line):
            for j in range(i + 1, len(lines)):
                if lines[j].rstrip() == end:
                    return [l for l in lines[i : j + 1] if not SNIPPET.match(l)]
            raise LookupError(f"'{name}' has no closing '{end}'")
    return None


def quote(source, name):
    path = ROOT / source
    if not path.is_file():
        raise LookupError(f"no file {source}")
    lines = path.read_text(encoding="utf-8").splitlines()
    found = snippet(lines, name)
    if found is None:
        found = definition(lines, name)
    if found is None:
        raise LookupError(f"{source} has neither '//! [{name}]' nor a definition of '{name}'")
    return found


def fill(page):
    """The page with every quote block made anew; the list of faults found."""
    lines = page.read_text(encoding="utf-8").splitlines()
    out, faults, i = [], [], 0
    while i < len(lines):
        line = lines[i]
        out.append(line)
        i += 1
        m = MARKER.match(line)
        if not m:
            continue
        where = f"{page.relative_to(ROOT)}:{i}"
        old = None
        if i < len(lines) and lines[i].startswith("```"):
            close = next((j for j in range(i + 1, len(lines)) if lines[j] == "```"), None)
            if close is None:
                faults.append(f"{where}: the block after the marker is not closed")
                continue
            old = lines[i + 1 : close]
            i = close + 1
        try:
            new = quote(m["file"], m["name"])
        except LookupError as e:
            faults.append(f"{where}: {e}")
            if old is not None:
                out += ["```cpp"] + old + ["```"]
            continue
        if old != new:
            faults.append(f"{where}: the quote of {m['file']}#{m['name']} differs from the source")
        out += ["```cpp"] + new + ["```"]
    return "\n".join(out) + "\n", faults


def main():
    check = sys.argv[1:] == ["--check"]
    if sys.argv[1:] and not check:
        sys.exit(__doc__)
    unfillable = []
    for page in sorted((ROOT / "docs").glob("*.md")):
        text, faults = fill(page)
        if check:
            unfillable += faults
            continue
        stale = [f for f in faults if "differs" not in f]
        unfillable += stale
        if text != page.read_text(encoding="utf-8"):
            page.write_text(text, encoding="utf-8")
            print(f"filled {page.relative_to(ROOT)}")
    for fault in unfillable:
        print(fault, file=sys.stderr)
    if unfillable and check:
        print("scripts/docs.py fills the quotes that differ; a marker that names nothing needs its page mended",
              file=sys.stderr)
    sys.exit(1 if unfillable else 0)


if __name__ == "__main__":
    main()
