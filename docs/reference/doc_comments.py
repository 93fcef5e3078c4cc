#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Doxygen input filter for the public headers: their plain line comments are
the reference. A comment block above a declaration becomes its documentation,
a comment after a declaration on the same line its trailing documentation, and
the description at the head of a header documents the header's first class (or
the header itself when it declares none). A published property (Q_PROPERTY) takes
the comment of its getter; comments between the property lines stay comments."""

import os
import re
import sys

CLASS = re.compile(r"^(class|struct)\s+\w+[^;]*$")
FULL_LINE = re.compile(r"^(\s*)//(?!/)\s?(.*)$")
TRAILING = re.compile(r"^(.*?\S.*?)\s//(?!/)\s?(.*)$")
SECTION = re.compile(r"^\s*//\s*-{2,}.*-{2,}\s*$")  # "// --- Read-out ---": a heading, no documentation
PROPERTY = re.compile(r"^\s*Q_PROPERTY\(.*\bREAD\s+(\w+)(?:.*\bWRITE\s+(\w+))?")


def getter_comments(lines):
    """The comment block right above each function declaration, by function name."""
    comments, block = {}, []
    for line in lines:
        full = FULL_LINE.match(line)
        if full and not SECTION.match(line):
            block.append(full.group(2))
            continue
        declared = re.search(r"\b(\w+)\s*\(", line)
        trailing = TRAILING.match(line)
        if declared and not PROPERTY.match(line):
            text = " ".join(block) if block else (trailing.group(2) if trailing and '"' not in line else "")
            if text:
                comments.setdefault(declared.group(1), text)
        block = []
    return comments


def converted(line):
    if SECTION.match(line):
        return line
    full = FULL_LINE.match(line)
    if full:
        return f"{full.group(1)}/// {full.group(2)}".rstrip()
    trailing = TRAILING.match(line)
    if trailing and '"' not in trailing.group(1) and not trailing.group(1).lstrip().startswith("}"):
        return f"{trailing.group(1)} ///< {trailing.group(2)}".rstrip()
    return line


def library_comments():
    """Function comments of every public header: a widget republishes properties
    whose getters its base classes declare and document."""
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    comments = {}
    with open(os.path.join(root, "widgets/package/public_headers.txt"), encoding="utf-8") as listing:
        for header in (line.strip() for line in listing):
            if header and not header.startswith("#"):
                with open(os.path.join(root, header), encoding="utf-8") as source:
                    for name, text in getter_comments(source.read().splitlines()).items():
                        comments.setdefault(name, text)
    return comments


def filtered(lines):
    getters = {**library_comments(), **getter_comments(lines)}
    out, head, state = [], [], "start"
    for index, line in enumerate(lines):
        following = lines[index + 1] if index + 1 < len(lines) else ""
        if FULL_LINE.match(line) and PROPERTY.match(following) and state != "start":
            out.append(line)
            continue
        published = PROPERTY.match(line)
        if published and "//" not in line:
            text = getters.get(published.group(1)) or getters.get(published.group(2) or "")
            out.append(f"{line} ///< {text}" if text else line)
            continue
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
