#!/usr/bin/env python3
"""Makes a catalogue written by lupdate readable again.

lupdate writes the id of an id-based message into its attribute as it is: an
ampersand, a quote or a line break is not escaped. An XML reader then rejects the
file (the ampersand) or reads another id (a line break in an attribute reads as a
blank), and the texts with a line break would never be found. This escapes them,
and the carriage returns of translations, which a reader would drop or, written
as lupdate's <byte value="xd"/>, read as nothing.

    fix_ts.py FILE.ts     rewrites the file in place
"""
import re
import sys

MESSAGE_ID = re.compile(r'<message id="(.*?)">(\n\s*<source>)', re.S)
TRANSLATION = re.compile(r'(<translation[^>]*>)(.*?)(</translation>)', re.S)

ATTRIBUTE = {'&': '&amp;', '"': '&quot;', '<': '&lt;', '>': '&gt;',
             '\r': '&#xd;', '\n': '&#xa;', '\t': '&#x9;'}
# lupdate's own form of a control character; an XML reader other than Qt's
# would drop it.
BYTE = re.compile(r'<byte value="x([0-9a-fA-F]+)"/>')
ENTITY = re.compile(r'&(amp|quot|lt|gt|apos|#x[0-9a-fA-F]+|#[0-9]+);')


def escape_attribute(value: str) -> str:
    out = []
    i = 0
    while i < len(value):
        m = ENTITY.match(value, i)
        if m:  # already escaped (the file was fixed before)
            out.append(m.group(0))
            i = m.end()
            continue
        out.append(ATTRIBUTE.get(value[i], value[i]))
        i += 1
    return ''.join(out)


def fix(text: str) -> str:
    text = MESSAGE_ID.sub(lambda m: '<message id="' + escape_attribute(m.group(1)) + '">' + m.group(2), text)
    return TRANSLATION.sub(lambda m: m.group(1) + BYTE.sub(r'&#x\1;', m.group(2).replace('\r', '&#xd;'))
                           + m.group(3), text)


def main() -> int:
    path = sys.argv[1]
    with open(path, encoding='utf-8', newline='') as f:
        text = f.read()
    fixed = fix(text)
    if fixed != text:
        with open(path, 'w', encoding='utf-8', newline='') as f:
            f.write(fixed)
    return 0


if __name__ == '__main__':
    sys.exit(main())
