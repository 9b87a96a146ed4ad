#!/usr/bin/python3
"""Writes the pages' highlighter: Debian's highlight.js (libjs-highlight.js) with only the
languages the pages show. Its browser build is the library and then every language,
each registered by a line starting "hljs.registerLanguage('NAME'"; the page keeps the
library and the languages named, and leaves out the other 180, 95 % of its size.
Usage: make_highlighter.py HIGHLIGHT_JS OUTPUT LANGUAGE...
"""
import re
import sys

REGISTRATION = re.compile(r"^hljs\.registerLanguage\('([\w-]+)'", re.MULTILINE)


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    source, output, wanted = sys.argv[1], sys.argv[2], sys.argv[3:]
    with open(source, encoding='utf-8') as f:
        text = f.read()
    starts = list(REGISTRATION.finditer(text))
    if not starts:
        sys.exit('make_highlighter.py: no languages in %s' % source)
    # A language runs from its registration to the next one.
    blocks = {m.group(1): text[m.start():n.start() if n else len(text)]
              for m, n in zip(starts, starts[1:] + [None])}
    missing = [name for name in wanted if name not in blocks]
    if missing:
        sys.exit('make_highlighter.py: %s has no %s' % (source, ', '.join(missing)))
    with open(output, 'w', encoding='utf-8') as f:
        f.write('/* highlight.js, BSD-3-Clause (its copyright and license: highlight-copyright.txt), '
                'from %s, with the languages %s */\n' % (source, ', '.join(wanted)))
        f.write(text[:starts[0].start()])
        f.writelines(blocks[name] for name in wanted)


if __name__ == '__main__':
    main()
