#!/usr/bin/env python3
"""translations.py update|check LUPDATE

update: brings i18n/kesto_en.ts up to the texts that src/ marks for
translation; a new text comes in unfinished, one gone is dropped.
check: fails when that would change the file, when a text has no finished
English translation, or when src/ holds a string that looks German and is
neither marked for translation nor listed in i18n/untranslated.txt.
"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
TS = ROOT / 'i18n' / 'kesto_en.ts'
MARKERS = {'tr', 'translate', 'QT_TRANSLATE_NOOP'}
# A word of two letters, a blank and another one, or a German letter.
GERMAN = re.compile(r'[A-Za-zÄÖÜäöüß]{2,} [A-Za-zÄÖÜäöüß]{2,}|[ÄÖÜäöüß]')
TOKEN = re.compile(r'//[^\n]*|/\*.*?\*/|(?:u8|u|L)?"((?:[^"\\\n]|\\.)*)"|\'(?:[^\'\\\n]|\\.)*\'|'
                   r'([A-Za-z_]\w*)|([()])|\S', re.S)


def lupdate(lupdate_program, ts):
    subprocess.run([lupdate_program, '-silent', '-no-obsolete', '-locations', 'none',
                    '-source-language', 'de', '-target-language', 'en', str(ROOT / 'src'),
                    '-ts', str(ts)], check=True)


def unmarked_strings(path):
    """The strings of a source file outside the calls that mark texts, with
    adjacent literals joined as the compiler joins them."""
    strings, depth, marked_depth, pending, last = [], 0, None, None, None
    for m in TOKEN.finditer(path.read_text(encoding='utf-8')):
        literal, word, paren = m.group(1), m.group(2), m.group(3)
        if literal is not None:
            pending = (pending or '') + literal
            continue
        if pending is not None and marked_depth is None and not m.group(0).startswith('/'):
            strings.append(pending)
        if not m.group(0).startswith('/'):
            pending = None
        if paren == '(':
            depth += 1
            if last in MARKERS and marked_depth is None:
                marked_depth = depth
        elif paren == ')':
            if depth == marked_depth:
                marked_depth = None
            depth -= 1
        if not m.group(0).startswith('/'):
            last = word
    return strings


def check(lupdate_program):
    faults = []
    with tempfile.TemporaryDirectory() as folder:
        copy = pathlib.Path(folder) / TS.name
        shutil.copy(TS, copy)
        lupdate(lupdate_program, copy)
        if copy.read_bytes() != TS.read_bytes():
            faults.append(f'{TS} is not up to date with src/: run tools/translations.py update')
    unfinished = re.findall(r'<source>((?:(?!</source>).)*)</source>\s*<translation type="unfinished"',
                            TS.read_text(encoding='utf-8'), re.S)
    faults += [f'no English translation: {source.splitlines()[0][:70]}' for source in unfinished]
    allowed = {line for line in (ROOT / 'i18n' / 'untranslated.txt').read_text(
        encoding='utf-8').splitlines() if line and not line.startswith('#')}
    for path in sorted((ROOT / 'src').rglob('*')):
        if path.suffix in ('.cpp', '.h'):
            faults += [f'{path.relative_to(ROOT)}: not marked for translation: "{text}"'
                       for text in unmarked_strings(path)
                       if GERMAN.search(text) and text not in allowed]
    print('\n'.join(faults))
    return 1 if faults else 0


if __name__ == '__main__':
    if len(sys.argv) != 3 or sys.argv[1] not in ('update', 'check'):
        sys.exit(__doc__)
    if sys.argv[1] == 'update':
        lupdate(sys.argv[2], TS)
    else:
        sys.exit(check(sys.argv[2]))
