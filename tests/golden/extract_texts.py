#!/usr/bin/env python3
"""Lists the Japanese texts of the program's sources: every string literal
holding a character outside ASCII, outside comments, as written in the source
(escapes kept), one per line, sorted and unique.

    extract_texts.py SRC_DIR > japanese-texts.txt

The list kept beside this script was taken before the texts went through the
translation system; the golden-text test checks that each of them is still in
the sources byte for byte."""
import pathlib
import re
import sys

LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')


def strip_comments(code: str) -> str:
    out, i, n = [], 0, len(code)
    while i < n:
        c = code[i]
        if c == '"':
            m = LITERAL.match(code, i)
            if m:
                out.append(m.group(0))
                i = m.end()
                continue
        if code.startswith('//', i):
            j = code.find('\n', i)
            i = n if j < 0 else j
            continue
        if code.startswith('/*', i):
            j = code.find('*/', i + 2)
            i = n if j < 0 else j + 2
            continue
        if c == "'":
            m = re.compile(r"'(?:[^'\\\n]|\\.)*'").match(code, i)
            if m:
                out.append(m.group(0))
                i = m.end()
                continue
        out.append(c)
        i += 1
    return ''.join(out)


def texts(root: pathlib.Path):
    found = set()
    for path in sorted(root.rglob('*')):
        if path.suffix not in ('.cpp', '.h') or not path.is_file():
            continue
        code = strip_comments(path.read_text(encoding='utf-8'))
        for m in LITERAL.finditer(code):
            if any(ord(ch) > 127 for ch in m.group(1)):
                found.add(m.group(1))
    return sorted(found)


if __name__ == '__main__':
    for t in texts(pathlib.Path(sys.argv[1])):
        print(t)
