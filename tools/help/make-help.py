#!/usr/bin/env python3
"""Builds the help file tembori.chm from the UTF-8 sources in help/pages, and checks a built one.

    make-help.py build PAGES_DIR WORK_DIR OUTPUT.chm
    make-help.py check OUTPUT.chm PAGES_DIR POPUP_TOPICS.def

The viewer reads the contents, the index and the pop-up texts in the code page of the help
file's language, so every text file goes into the help file as Shift-JIS (code page 932)
and the pages say so in their charset. The check unpacks the built file with extract_chmLib
and looks at what a user would meet: the file holds the pages, the contents, the index, the
style sheet and the pop-up texts and nothing else of the sources' folder, every page of the
contents and the index is there, every link between pages (and its anchor) leads somewhere,
the pop-up file has the topics 1 to 25, and every control of the program's topic table finds
its topic.
"""
import html.parser
import posixpath
import os
import re
import shutil
import subprocess
import sys
import tempfile
import urllib.parse

TEXT_SUFFIXES = ('.html', '.hhc', '.hhk', '.txt')
CONTENTS, INDEX, POPUPS, DEFAULT_PAGE = 'tembori.hhc', 'tembori.hhk', 'tembori_pop_hlp.txt', 'index.html'
TOPIC_COUNT = 25


def is_help_source(name):
    """Whether a file of the pages' folder goes into the help file (the build's own files,
    such as CMakeLists.txt, stay out)."""
    return name.endswith(('.html', '.css')) or name in (CONTENTS, INDEX, POPUPS)


def is_compiler_entry(name):
    """The compiler's own entries of a help file: its system files and its signature."""
    return name.startswith(('#', '$')) or name == '_#_README_#_'

PROJECT = """[OPTIONS]
Compatibility=1.1 or later
Compiled file={output}
Contents file={contents}
Index file={index}
Default topic={default}
Default Window=main
Display compile progress=No
Full-text search=Yes
Language=0x411 Japanese
Title=Tembori ヘルプ

[WINDOWS]
main="Tembori ヘルプ","{contents}","{index}","{default}","{default}",,,,,0x63520,220,0x380e,[40,30,840,630],,,,0,0,0,0

[FILES]
{files}
"""


# A line break inside Japanese text would show as a blank: the sources' lines are joined
# where one ends in a Japanese character and the next goes on with text.
JAPANESE_LINE_BREAK = re.compile('(?<=[\u3000-\u30ff\u4e00-\u9fff\uff00-\uffef])\n(?=[^<\s])')


def to_help_encoding(name, text):
    if name.endswith(('.html', '.hhc', '.hhk')):
        text = text.replace('charset=UTF-8', 'charset=Shift_JIS')
    if name.endswith('.html'):
        text = JAPANESE_LINE_BREAK.sub('', text)
    # Windows line ends: the pop-up texts are read as they stand.
    return text.replace('\r\n', '\n').replace('\n', '\r\n').encode('cp932')


def build(pages_dir, work_dir, output):
    shutil.rmtree(work_dir, ignore_errors=True)
    os.makedirs(work_dir)
    files = sorted(n for n in os.listdir(pages_dir) if is_help_source(n))
    for name in files:
        source = os.path.join(pages_dir, name)
        target = os.path.join(work_dir, name)
        if name.endswith(TEXT_SUFFIXES):
            with open(source, encoding='utf-8') as f:
                data = to_help_encoding(name, f.read())
            with open(target, 'wb') as f:
                f.write(data)
        else:
            shutil.copyfile(source, target)
    listed = [n for n in files if n not in (CONTENTS, INDEX)]
    project = PROJECT.format(output='tembori.chm', contents=CONTENTS, index=INDEX,
                             default=DEFAULT_PAGE, files='\n'.join(listed))
    with open(os.path.join(work_dir, 'tembori.hhp'), 'wb') as f:
        f.write(to_help_encoding('tembori.hhp', project))
    result = subprocess.run(['chmcmd', '--verbosity', '1', 'tembori.hhp'], cwd=work_dir,
                            capture_output=True, text=True, errors='replace')
    built = os.path.join(work_dir, 'tembori.chm')
    if result.returncode != 0 or not os.path.isfile(built):
        sys.stderr.write(result.stdout + result.stderr)
        sys.exit('make-help: chmcmd did not make tembori.chm')
    shutil.move(built, output)


class LinkCollector(html.parser.HTMLParser):
    """The links, anchors and sitemap entries of one page."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links, self.anchors, self.locals = [], set(), []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for name in ('href', 'src'):
            if attrs.get(name):
                self.links.append(attrs[name])
        for name in ('id', 'name'):
            if tag != 'param' and attrs.get(name):
                self.anchors.add(attrs[name])
        if tag == 'param' and (attrs.get('name') or '').lower() == 'local':
            self.locals.append(attrs.get('value') or '')


def parse(path):
    with open(path, 'rb') as f:
        text = f.read().decode('cp932')  # fails loudly on text not in Shift-JIS
    collector = LinkCollector()
    collector.feed(text)
    return collector


def popup_topics(path):
    with open(path, 'rb') as f:
        text = f.read().decode('cp932')
    topics, current = {}, None
    for line in text.splitlines():
        match = re.match(r'^\.topic\s+(\S+)\s*$', line)
        if match:
            current = match.group(1)
            if current in topics:
                raise ValueError('topic %s appears twice' % current)
            topics[current] = ''
        elif current is not None:
            topics[current] += line.strip()
    return topics


def table_topics(def_path):
    with open(def_path, encoding='utf-8') as f:
        rows = re.findall(r'^TEMBORI_POPUP_TOPIC\((\d+),\s*([^)]*?)\s*\)', f.read(), re.M)
    return [(control, int(topic)) for topic, control in rows]


def check(chm, pages_dir, def_path):
    problems = []
    unpacked = tempfile.mkdtemp(prefix='tembori-chm-')
    try:
        result = subprocess.run(['extract_chmLib', chm, unpacked], capture_output=True, text=True,
                                errors='replace')
        if result.returncode != 0:
            return ['extract_chmLib failed: ' + result.stderr.strip()]
        present = {os.path.relpath(os.path.join(d, n), unpacked).replace(os.sep, '/')
                   for d, _, names in os.walk(unpacked) for n in names}
        pages = {p for p in present if p.endswith('.html')}
        expected = {n for n in os.listdir(pages_dir) if n.endswith('.html')}
        for missing in sorted(expected - pages):
            problems.append('page %s is not in the help file' % missing)
        shipped = {n for n in os.listdir(pages_dir) if is_help_source(n)}
        for extra in sorted(p for p in present if not is_compiler_entry(p) and p not in shipped):
            problems.append('%s is in the help file, which is no page, contents, index, style '
                            'sheet or pop-up text' % extra)

        parsed = {p: parse(os.path.join(unpacked, p)) for p in pages}

        def resolve(source, link):
            parts = urllib.parse.urlsplit(link)
            if parts.scheme or link.startswith('//'):
                return  # nothing outside the file is linked to; flagged below
            target = posixpath_join(source, urllib.parse.unquote(parts.path)) if parts.path else source
            if target not in present:
                problems.append('%s links to %s, which is not in the help file' % (source, link))
            elif parts.fragment:
                page = parsed.get(target)
                if page is None or parts.fragment not in page.anchors:
                    problems.append('%s links to %s, which has no such anchor' % (source, link))
            return target

        for listing in (CONTENTS, INDEX):
            if listing not in present:
                problems.append('%s is not in the help file' % listing)
                continue
            entries = parse(os.path.join(unpacked, listing)).locals
            if not entries:
                problems.append('%s lists nothing' % listing)
            reached = {resolve(listing, entry) for entry in entries}
            if listing == CONTENTS:
                for orphan in sorted(pages - reached):
                    problems.append('page %s is not in the contents' % orphan)
        for page in sorted(pages):
            for link in parsed[page].links:
                if urllib.parse.urlsplit(link).scheme:
                    problems.append('%s links outside the help file: %s' % (page, link))
                else:
                    resolve(page, link)

        if POPUPS not in present:
            problems.append('%s is not in the help file' % POPUPS)
        else:
            topics = popup_topics(os.path.join(unpacked, POPUPS))
            wanted = {str(n) for n in range(1, TOPIC_COUNT + 1)}
            for topic in sorted(wanted - set(topics), key=int):
                problems.append('pop-up topic %s is missing' % topic)
            for topic in sorted(set(topics) - wanted):
                problems.append('pop-up topic %s is not one of 1 to %d' % (topic, TOPIC_COUNT))
            for topic, text in sorted(topics.items()):
                if not text:
                    problems.append('pop-up topic %s has no text' % topic)
            table = table_topics(def_path)
            if not table:
                problems.append('no controls in %s' % def_path)
            for control, topic in table:
                if str(topic) not in topics:
                    problems.append('control %s has topic %d, which the pop-up file lacks' %
                                    (control, topic))
            unused = wanted - {str(topic) for _, topic in table}
            for topic in sorted(unused, key=int):
                problems.append('pop-up topic %s belongs to no control' % topic)
    finally:
        shutil.rmtree(unpacked, ignore_errors=True)
    return problems


def posixpath_join(source, path):
    return posixpath.normpath(posixpath.join(posixpath.dirname(source), path))


def main(argv):
    if len(argv) == 5 and argv[1] == 'build':
        build(*argv[2:])
        return 0
    if len(argv) == 5 and argv[1] == 'check':
        problems = check(*argv[2:])
        for problem in problems:
            print('help file:', problem)
        if not problems:
            print('help file: contents, index, links and pop-up topics are complete')
        return 1 if problems else 0
    sys.stderr.write(__doc__)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv))
