#!/usr/bin/python3
"""Writes a program's page: the page CMake configured, with the files the program is
built from put in place of its @PLANES_SOURCE@, each as the tree holds it.

Every file becomes a folded <details> whose <code data-file="PATH"> has the file's text
as its textContent, byte for byte as UTF-8; site/source.js numbers and highlights it.
Usage: make_page.py CONFIGURED_PAGE OUTPUT ROOT PATH...   (PATHs relative to ROOT)
"""
import html
import pathlib
import sys

MARKER = '@PLANES_SOURCE@'
LANGUAGES = {'.cpp': 'cpp', '.h': 'cpp', '.vert': 'glsl', '.frag': 'glsl', 'CMakeLists.txt': 'cmake'}


def file_text(root, path):
    data = (root / path).read_bytes()
    try:
        text = data.decode('utf-8')
    except UnicodeDecodeError as error:
        sys.exit('make_page.py: %s is not UTF-8 (%s); the page holds text as UTF-8' % (path, error))
    if '\0' in text:
        sys.exit('make_page.py: %s holds a NUL byte, which an HTML page cannot hold' % path)
    return text


def file_entry(root, path):
    language = LANGUAGES.get(path.name, LANGUAGES.get(path.suffix))
    if language is None:
        sys.exit('make_page.py: no highlighter language for %s' % path)
    # The HTML parser reads a carriage return as a line feed unless it comes as a reference.
    text = html.escape(file_text(root, path), quote=False).replace('\r', '&#13;')
    name = html.escape(path.as_posix())
    return ('<details class="file"><summary>%s</summary>\n<div class="code"><pre><code data-file="%s" '
            'class="language-%s">%s</code></pre></div></details>\n' % (name, name, language, text))


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    page, output, root = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    template = page.read_text(encoding='utf-8')
    if template.count(MARKER) != 1:
        sys.exit('make_page.py: %s must hold %s once' % (page, MARKER))
    entries = ''.join(file_entry(root, pathlib.PurePosixPath(path)) for path in sys.argv[4:])
    output.write_text(template.replace(MARKER, entries), encoding='utf-8')


if __name__ == '__main__':
    main()
