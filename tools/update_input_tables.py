#!/usr/bin/env python3
"""Puts the input sweep's tables into docs/input_handling.md, in place.

    octave-cli tests/sweep/input_table.m build/rotkit > tables.md
    tools/update_input_tables.py tables.md

tables.md holds a "### <function>" heading per function followed by its
tables, as tests/sweep/input_table.m prints them. In docs/input_handling.md
every "## <function>" section keeps its prose; its tables (the runs of lines
that start with "|") are replaced by the sweep's, in order. A function the
docs have no section for is named, and the script fails, so that its prose
is written by hand first.
"""
import re
import sys

DOCS = "docs/input_handling.md"


def tables_by_function(text):
    found = {}
    for block in re.split(r"^### ", text, flags=re.M)[1:]:
        name, _, body = block.partition("\n")
        tables, current = [], []
        for line in body.split("\n"):
            if line.startswith("|"):
                current.append(line)
            elif current:
                tables.append(current)
                current = []
        if current:
            tables.append(current)
        found[name.strip()] = tables
    return found


def main(argv):
    generated = tables_by_function(open(argv[0], encoding="utf-8").read())
    lines = open(DOCS, encoding="utf-8").read().split("\n")
    out, section, seen, pending = [], None, set(), []
    i = 0
    while i < len(lines):
        line = lines[i]
        heading = re.match(r"^## (\S+)\s*$", line)
        if heading:
            section = heading.group(1) if heading.group(1) in generated else None
            if section:
                seen.add(section)
                pending = list(generated[section])
            out.append(line)
            i += 1
            continue
        if section and line.startswith("|"):
            while i < len(lines) and lines[i].startswith("|"):
                i += 1
            if not pending:
                sys.exit("%s: the section of %s has more tables than the sweep prints" % (DOCS, section))
            out.extend(pending.pop(0))
            continue
        out.append(line)
        i += 1
    missing = sorted(set(generated) - seen)
    if missing:
        sys.exit("%s has no section for %s: write its prose first" % (DOCS, ", ".join(missing)))
    open(DOCS, "w", encoding="utf-8").write("\n".join(out))
    print("%s: the tables of %d functions put in place" % (DOCS, len(seen)))


if __name__ == "__main__":
    main(sys.argv[1:])
