#!/usr/bin/env python3
"""The checks that guard the program's two languages.

    check_texts.py golden SRC_DIR GOLDEN_LIST REWRITTEN_LIST
        every Japanese text of the list taken before the translation system is
        still in the sources byte for byte, or is named in REWRITTEN_LIST (a text
        that was joined from parts and is now one template giving the same words)
    check_texts.py marked SRC_DIR FORMAT_LIST
        every Japanese literal of the sources is marked for the catalogue (TX or
        TXN) or is named in FORMAT_LIST (a file format's or the meter's text)
    check_texts.py catalogue LUPDATE SRC_DIR FIX_TS TS
        lupdate, run over the sources into a copy of the catalogue, finds no text
        new or unfinished, and every translation keeps the placeholders and the
        blanks and line breaks at the ends of its Japanese text
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

sys.path.insert(0, str(pathlib.Path(__file__).parent))
from extract_texts import LITERAL, strip_comments, texts  # noqa: E402

MARK = re.compile(r'\bTXN?\(\s*$')


def read_list(path):
    with open(path, encoding='utf-8') as f:
        return [line.rstrip('\n') for line in f if line.strip() and not line.startswith('#')]


def check_golden(src, golden, rewritten):
    present = set(texts(pathlib.Path(src)))
    allowed = {line.split('\t', 1)[0] for line in read_list(rewritten)}
    missing = [t for t in read_list(golden) if t not in present and t not in allowed]
    for t in missing:
        print('changed or gone:', t)
    return 1 if missing else 0


def check_marked(src, format_list):
    allowed = set(read_list(format_list))
    bad = []
    for path in sorted(pathlib.Path(src).rglob('*')):
        if path.suffix not in ('.cpp', '.h') or not path.is_file():
            continue
        code = strip_comments(path.read_text(encoding='utf-8'))
        last_end, last_marked = -1, False
        for m in LITERAL.finditer(code):
            text = m.group(1)
            # A literal that continues the one before it ("…" "…") shares its mark.
            if last_end >= 0 and not code[last_end:m.start()].strip():
                marked = last_marked
            else:
                marked = bool(MARK.search(code[max(0, m.start() - 40):m.start()]))
            last_end, last_marked = m.end(), marked
            if marked or all(ord(ch) < 128 for ch in text) or text in allowed:
                continue
            line = code.count('\n', 0, m.start()) + 1
            bad.append(f'{path}:{line}: "{text}"')
    for b in bad:
        print('not marked for the catalogue:', b)
    return 1 if bad else 0


PLACEHOLDER = re.compile(r'%(?:L?[1-9][0-9]?|n)')


def ends(text):
    lead = re.match(r'^[\s\u3000]*', text).group(0)
    trail = re.search(r'[\s\u3000]*$', text).group(0)
    return lead.replace('\u3000', ' '), trail.replace('\u3000', ' ')


def messages(path):
    for m in ET.parse(path).getroot().iter('message'):
        t = m.find('translation')
        finished = t is not None and t.get('type') not in ('unfinished', 'vanished', 'obsolete')
        yield m.get('id'), (t.text or '') if finished else None


def check_catalogue(lupdate, src, fix_ts, ts):
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        copy = pathlib.Path(tmp) / 'catalogue.ts'
        shutil.copyfile(ts, copy)
        run = subprocess.run([lupdate, '-tr-function-alias', 'qtTrId+=TX,QT_TRID_NOOP+=TXN',
                              '-locations', 'none', '-no-ui-lines', '-no-obsolete', '-silent',
                              src, '-ts', str(copy)], capture_output=True, text=True)
        if run.returncode != 0:
            print(run.stderr)
            return 1
        subprocess.run([sys.executable, fix_ts, str(copy)], check=True)
        for mid, text in messages(copy):
            if not text:
                problems.append(f'untranslated: {mid!r}')
                continue
            if sorted(PLACEHOLDER.findall(mid)) != sorted(PLACEHOLDER.findall(text)):
                problems.append(f'placeholders differ: {mid!r} -> {text!r}')
            if ends(mid) != ends(text):
                problems.append(f'blanks or line breaks at the ends differ: {mid!r} -> {text!r}')
    for p in problems:
        print(p)
    print(f'{len(problems)} problem(s)')
    return 1 if problems else 0


def main(argv):
    command = argv[1]
    if command == 'golden':
        return check_golden(*argv[2:5])
    if command == 'marked':
        return check_marked(*argv[2:4])
    if command == 'catalogue':
        return check_catalogue(*argv[2:6])
    print(__doc__)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv))
