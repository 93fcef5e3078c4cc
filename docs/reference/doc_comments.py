#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Doxygen input filter for the public headers: their plain line comments are
the reference. A comment block above a declaration becomes its documentation,
a comment after a declaration on the same line its trailing documentation, and
the description at the head of a header documents the header's first class (or
the header itself when it declares none)."""

import re
import sys

CLASS = re.compile(r"^(class|struct)\s+\w+[^;]*$")
FULL_LINE = re.compile(r"^(\s*)//(?!/)\s?(.*)$")
TRAILING = re.compile(r"^(.*?\S.*?)\s//(?!/)\s?(.*)$")


def converted(line):
    full = FULL_LINE.match(line)
    if full:
        return f"{full.group(1)}/// {full.group(2)}".rstrip()
    trailing = TRAILING.match(line)
    if trailing and '"' not in trailing.group(1) and not trailing.group(1).lstrip().startswith("}"):
        return f"{trailing.group(1)} ///< {trailing.group(2)}".rstrip()
    return line


def filtered(lines):
    out, head, state = [], [], "start"
    for line in lines:
        if "SPDX-License-Identifier" in line:
            out.append("")
            continue
        if state == "start" and line.startswith("//"):
            head.append(FULL_LINE.match(line).group(2))
            out.append("")
            continue
        if state == "start" and head and line.strip() and not line.startswith("#pragma"):
            state = "body"
        if state in ("start", "body") and head and CLASS.match(line):
            out.extend(f"/// {text}".rstrip() for text in head)
            head, state = [], "done"
        out.append(converted(line))
    if head:
        out = [f"/// \\file\n/// {head[0]}"] + [f"/// {text}".rstrip() for text in head[1:]] + out
    return out


if __name__ == "__main__":
    with open(sys.argv[1], encoding="utf-8") as source:
        sys.stdout.write("\n".join(filtered(source.read().splitlines())) + "\n")
