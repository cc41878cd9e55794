#!/usr/bin/env python3
"""Turns a UTF-8 text of the source tree into a text for Windows users: Shift-JIS (code page
932, what Notepad on a Japanese system reads), Windows line ends, @NAME@ replaced by VALUE.

    to-windows-text.py SOURCE TARGET [NAME=VALUE...]
"""
import sys


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    with open(argv[1], encoding='utf-8') as f:
        text = f.read()
    for assignment in argv[3:]:
        name, value = assignment.split('=', 1)
        text = text.replace('@%s@' % name, value)
    with open(argv[2], 'wb') as f:
        f.write(text.replace('\r\n', '\n').replace('\n', '\r\n').encode('cp932'))


if __name__ == '__main__':
    main(sys.argv)
