#!/usr/bin/env python3
"""Checks the user manual: every local link, anchor and picture of every .htm page resolves,
every picture in images/ is used, and the width and height written in an <img> tag are the
picture's own, so that no picture is shown distorted. Usage: check_manual.py MANUAL_DIR"""
import os
import re
import struct
import sys
from html.parser import HTMLParser


class Page(HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids = set()
        self.refs = []   # (attribute value, line)
        self.images = []  # (src, width, height, line)

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if 'id' in a:
            self.ids.add(a['id'])
        for key in ('href', 'src'):
            if key in a:
                self.refs.append((a[key], self.getpos()[0]))
        if tag == 'img':
            self.images.append((a.get('src', ''), a.get('width'), a.get('height'), self.getpos()[0]))


def png_size(path):
    with open(path, 'rb') as f:
        head = f.read(24)
    if head[:8] != b'\x89PNG\r\n\x1a\n':
        return None
    return struct.unpack('>II', head[16:24])


def main(root):
    faults = []
    pages = {}
    for folder, _, files in os.walk(root):
        for name in files:
            if name.endswith('.htm'):
                path = os.path.join(folder, name)
                page = Page()
                with open(path, encoding='utf-8') as f:
                    page.feed(f.read())
                pages[os.path.relpath(path, root)] = page
    if 'Manual.htm' not in pages:
        faults.append('Manual.htm is missing')
    used = set()
    for name, page in sorted(pages.items()):
        for ref, line in page.refs:
            if re.match(r'^[a-zA-Z][a-zA-Z0-9+.-]*:', ref):
                continue  # an address on the web, not a file of the manual
            path, _, anchor = ref.partition('#')
            target = os.path.normpath(os.path.join(os.path.dirname(name), path)) if path else name
            used.add(target)
            if not os.path.isfile(os.path.join(root, target)):
                faults.append(f'{name}:{line}: "{ref}" names a missing file')
            elif anchor and target in pages and anchor not in pages[target].ids:
                faults.append(f'{name}:{line}: "{ref}" names a missing anchor')
        for src, width, height, line in page.images:
            path = os.path.join(root, os.path.normpath(os.path.join(os.path.dirname(name), src)))
            if not os.path.isfile(path):
                continue  # reported above
            size = png_size(path)
            if size is None:
                faults.append(f'{name}:{line}: "{src}" is not a PNG picture')
            elif (width, height) != (str(size[0]), str(size[1])):
                faults.append(f'{name}:{line}: "{src}" is {size[0]}x{size[1]}, '
                              f'the tag says {width}x{height}')
    for folder, _, files in os.walk(os.path.join(root, 'images')):
        for name in files:
            rel = os.path.relpath(os.path.join(folder, name), root)
            if rel not in used:
                faults.append(f'{rel} is not used by any page')
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))))
