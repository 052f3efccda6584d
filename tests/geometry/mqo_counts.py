#!/usr/bin/env python3
"""Expected import counts of .mqo files, found without the importer under test.

For each file: the number of models the import keeps, and their total vertex and face counts,
under the import rules: only Format Text Ver 1.0/1.1 is read; vertices come from text `vertex`
chunks and binary `Vector N [bytes]` payloads in `BVertex` chunks; faces whose indices leave the
object are dropped; a face of k > 4 corners becomes k - 2 triangles, 3 and 4 corners stay, fewer
are not kept; mirror_axis (bits 1 X, 2 Y, 4 Z) doubles vertices and faces per axis; an object
without faces is not kept.

Usage: mqo_counts.py ROOT  -> prints "relative/path objects vertices faces" per .mqo file.
"""
import os
import re
import sys

BINARY = re.compile(rb'\[\s*(\d+)\s*\]\s*$')
FACE = re.compile(rb'^\s*(\d+)\s+V\s*\(([^)]*)\)')
NUMBER = re.compile(rb'^[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?$')


def lines_of(data):
    """Yields (line bytes without line end, offset after the line), honouring binary payloads."""
    pos = 0
    while pos < len(data):
        end = data.find(b'\n', pos)
        if end < 0:
            end = len(data)
        line = data[pos:end].rstrip(b'\r')
        pos = end + 1
        m = BINARY.search(line)
        if m:
            size = int(m.group(1))
            payload = data[pos:pos + size]
            pos += size
            yield line, payload
        else:
            yield line, None


def count(path):
    data = open(path, 'rb').read()
    it = lines_of(data)
    try:
        first = next(it)[0].split()
        second = next(it)[0].split()
    except StopIteration:
        return 0, 0, 0
    if [w.lower() for w in first[:2]] != [b'metasequoia', b'document']:
        return 0, 0, 0
    if len(second) < 4 or [w.lower() for w in second[:3]] != [b'format', b'text', b'ver'] \
            or second[3] not in (b'1.0', b'1.1', b'1', b'1.00', b'1.10'):
        return 0, 0, 0

    objects = vertices = faces = 0
    depth = 0
    obj = None          # current object: dict
    section = None      # 'vertex', 'bvertex', 'face' or None, at object depth + 1
    for line, payload in it:
        s = line.strip()
        if not s:
            continue
        opens = s.endswith(b'{')
        closes = s.startswith(b'}')
        if depth == 0 and opens and s.split()[0].lower() == b'object':
            obj = {'v': 0, 'faces': [], 'mirror': 0}
            depth = 1
            continue
        if obj is not None and depth == 1:
            words = s.split()
            key = words[0].lower()
            if closes:
                objects, vertices, faces = finish(obj, objects, vertices, faces)
                obj = None
                depth = 0
                continue
            if key == b'mirror_axis' and len(words) > 1:
                obj['mirror'] = int(words[1])
            if opens:
                section = {b'vertex': 'vertex', b'bvertex': 'bvertex', b'face': 'face'}.get(key)
                depth = 2
            continue
        if obj is not None and depth == 2 and not opens and not closes:
            if section == 'vertex':
                if len([w for w in s.split() if w]) >= 3:
                    obj['v'] += 1
            elif section == 'bvertex' and payload is not None and s.split()[0] == b'Vector':
                n = int(s.split()[1])
                obj['v'] += min(n, len(payload) // 12)
            elif section == 'face':
                m = FACE.match(s)
                if m:
                    idx = [int(x) for x in m.group(2).split()]
                    obj['faces'].append(idx)
            continue
        if opens:
            depth += 1
        elif closes:
            depth -= 1
            if obj is not None and depth == 1:
                section = None
    return objects, vertices, faces


def finish(obj, objects, vertices, faces):
    kept = 0
    for idx in obj['faces']:
        if any(i < 0 or i >= obj['v'] for i in idx):
            continue
        k = len(idx)
        if k in (3, 4):
            kept += 1
        elif k > 4:
            kept += k - 2
    copies = 1
    if 1 <= obj['mirror'] <= 7:
        copies = 2 ** bin(obj['mirror']).count('1')
    if kept == 0:
        return objects, vertices, faces
    return objects + 1, vertices + obj['v'] * copies, faces + kept * copies


def main():
    root = sys.argv[1]
    for dirpath, _, files in sorted(os.walk(root)):
        for name in sorted(files):
            if name.lower().endswith('.mqo'):
                path = os.path.join(dirpath, name)
                o, v, f = count(path)
                print(f'{os.path.relpath(path, root)} {o} {v} {f}')


if __name__ == '__main__':
    main()
