#!/usr/bin/env python3
"""The example plots of docs/plots.md: each file in docs/ is what its command draws
today (so a change to the plots regenerates them), parses as XML with data
series, and renders with rsvg-convert, without error, to a PNG that is not
blank (a good share of its pixels inked, in more than two colours).
The byte comparison only keeps the examples of docs/plots.md current; what a plot
shows (positions, labels, markers) is tested in plot_test.cpp.

Usage: check_docs_plots.py PATH/TO/lumo SOURCE_ROOT
Exit status 0 when every plot passes, 1 when one fails, 77 (skipped) when
rsvg-convert is not installed (Debian package librsvg2-bin).
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zlib

# The commands of docs/plots.md, run in the source root (on the delivered Lumo.DEF).
COMMANDS = [
    'frequency --freq 1:18:0.25 --format csv -o loss.csv --plot docs/plot-frequency.svg',
    'sensitivity --vary outer --range 0.1:0.5:0.005 --format csv -o zo.csv '
    '--plot docs/plot-sensitivity.svg',
    'synthesize --conductor inner --impedance 20:100:1 --format csv -o d.csv '
    '--plot docs/plot-synthesis.svg',
    'tolerance --tol-outer 5mil --tol-inner 3mil --tol-er 0.1 --offset 3mil -o tolerance.txt '
    '--plot docs/plot-tolerance.svg',
]

SVG = '{http://www.w3.org/2000/svg}'


def png_pixels(data):
    """The RGBA or RGB pixels of an 8-bit, non-interlaced PNG, as rows of bytes."""
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('not a PNG')
    pos, idat, header = 8, b'', None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            header = struct.unpack('>IIBBBBB', body)
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    channels = {6: 4, 2: 3}.get(colour)
    if depth != 8 or channels is None or interlace:
        raise ValueError('unexpected PNG form %r' % (header,))
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        prev = line
    return width, height, channels, rows


def check(path):
    root = ET.parse(path).getroot()
    if root.tag != SVG + 'svg':
        return 'the root element is not <svg>'
    series = [e for e in root.iter() if e.get('class') == 'series']
    if not series:
        return 'no data series'
    run = subprocess.run(['rsvg-convert', '--format=png', path], capture_output=True)
    if run.returncode != 0 or run.stderr:
        return 'rsvg-convert failed: %s' % run.stderr.decode(errors='replace').strip()
    width, height, channels, rows = png_pixels(run.stdout)
    inked, colours = 0, set()
    for row in rows:
        for x in range(0, len(row), channels):
            pixel = row[x:x + 3]
            if channels == 4 and row[x + 3] == 0:
                pixel = b'\xff\xff\xff'  # transparent: the page shows through
            if pixel != b'\xff\xff\xff':
                inked += 1
            if len(colours) < 64:
                colours.add(pixel)
    share = inked / float(width * height)
    if share < 0.01 or len(colours) < 3:
        return 'blank: %.2f%% of %dx%d pixels inked, %d colours' % (100 * share, width, height, len(colours))
    print('%s: %d series, %dx%d, %.1f%% inked' % (path, len(series), width, height, 100 * share))
    return None


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    lumo, root = os.path.abspath(argv[0]), os.path.abspath(argv[1])
    if shutil.which('rsvg-convert') is None:
        print('rsvg-convert not found (Debian package librsvg2-bin): skipped')
        return 77
    failed = 0
    with tempfile.TemporaryDirectory() as work:
        os.mkdir(os.path.join(work, 'docs'))
        shutil.copy(os.path.join(root, 'Lumo.DEF'), work)
        for command in COMMANDS:
            args = command.split()
            name = args[args.index('--plot') + 1]
            run = subprocess.run([lumo] + args, cwd=work, capture_output=True)
            committed = os.path.join(root, name)
            drawn = os.path.join(work, name)
            if run.returncode != 0:
                why = 'lumo %s: status %d: %s' % (command, run.returncode, run.stderr.decode())
            elif open(committed, 'rb').read() != open(drawn, 'rb').read():
                why = 'not what "lumo %s" draws now: run it in the source root' % command
            else:
                why = check(committed)
            if why:
                print('%s: %s' % (name, why))
                failed += 1
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
