#!/usr/bin/env python3
"""Writes Tavrin's resources: the application icon, the missing-icon picture,
the four tool icons of the Tavrin Tab, the about box's banner, the two feedback
sounds and the manifest.

Everything is drawn and synthesised here with the standard library, and the
output is the same bytes on every run and every machine: no timestamps, and the
PNG pictures use stored deflate blocks, whose bytes do not depend on the zlib
build the way compressed ones do.

    make_resources.py              write into the repository's resources/
    make_resources.py --output D   write into folder D
    make_resources.py --check      regenerate into a temporary folder and compare
"""

import argparse
import io
import math
import os
import struct
import sys
import tempfile
import wave
import zlib

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'resources')

# ---------------------------------------------------------------------------
# Drawing: shapes in unit coordinates (0..1 across the picture, y downwards),
# painted in order with supersampling for smooth edges.

def rounded_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    return inside


def circle(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def capsule(ax, ay, bx, by, radius):
    """A line from a to b with round ends, `radius` wide on each side."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if length2 == 0 else min(max(((x - ax) * dx + (y - ay) * dy) / length2, 0.0), 1.0)
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= radius * radius
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def arc(cx, cy, radius, width, start_degrees, end_degrees):
    """A ring segment, angles clockwise on the screen from the positive x axis."""
    inner, outer = (radius - width / 2) ** 2, (radius + width / 2) ** 2

    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if d2 < inner or d2 > outer:
            return False
        angle = math.degrees(math.atan2(y - cy, x - cx)) % 360.0
        return (angle - start_degrees) % 360.0 <= (end_degrees - start_degrees) % 360.0
    return inside


def gear(cx, cy, body, tip, hole, teeth):
    period = 2 * math.pi / teeth

    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if d < hole:
            return False
        phase = (math.atan2(y - cy, x - cx) + period / 4) % period
        return d <= (tip if phase < period * 0.5 else body)
    return inside


def grown(shape, distance, directions=16):
    """The shape widened by about `distance` on every side (for outlines)."""
    offsets = [(distance * math.cos(2 * math.pi * k / directions), distance * math.sin(2 * math.pi * k / directions))
               for k in range(directions)]
    return lambda x, y: shape(x, y) or any(shape(x + dx, y + dy) for dx, dy in offsets)


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


def minus(shape, cut):
    return lambda x, y: shape(x, y) and not cut(x, y)


def vertical(top, bottom, y0=0.0, y1=1.0):
    """A colour fading from `top` at y0 to `bottom` at y1."""
    def colour(x, y):
        t = min(max((y - y0) / (y1 - y0), 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return colour


def solid(rgb):
    return lambda x, y: rgb


def render(size, layers, samples=4):
    """Paints the layers (shape, colour) over transparency; returns rows of
    (r, g, b, a) bytes with straight alpha. samples=1 gives hard edges."""
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    r = g = b = a = 0.0
                    for shape, colour in layers:
                        if shape(x, y):
                            cr, cg, cb = colour(x, y)
                            r, g, b, a = cr, cg, cb, 1.0
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(round(c / acc[3])) for c in acc[:3]) + (int(round(alpha * 255)),))
        pixels.append(row)
    return pixels

# ---------------------------------------------------------------------------
# The pictures.

def application_icon(flat):
    """A rounded blue tile with a 2 x 2 grid of buttons, one of them lit: the
    launcher's window in miniature. `flat` keeps to the 16 standard colours."""
    if flat:
        rim, tile, button, lit = solid((0, 0, 128)), solid((0, 0, 255)), solid((255, 255, 255)), solid((255, 255, 0))
    else:
        rim = solid((22, 58, 138))
        tile = vertical((84, 156, 242), (34, 92, 200), 0.05, 0.95)
        button = vertical((255, 255, 255), (214, 228, 246), 0.2, 0.8)
        lit = vertical((255, 206, 84), (244, 146, 30), 0.5, 0.8)
    layers = [(rounded_rect(0.02, 0.02, 0.98, 0.98, 0.22), rim),
              (rounded_rect(0.075, 0.075, 0.925, 0.925, 0.17), tile)]
    cell, gap = 0.28, 0.08
    start = (1 - 2 * cell - gap) / 2
    for row in range(2):
        for column in range(2):
            x0, y0 = start + column * (cell + gap), start + row * (cell + gap)
            layers.append((rounded_rect(x0, y0, x0 + cell, y0 + cell, 0.06),
                           lit if (row, column) == (1, 1) else button))
    return layers


def options_icon():
    """A cog wheel."""
    wheel = gear(0.5, 0.5, 0.3, 0.43, 0.13, 8)
    return [(grown(wheel, 0.035), solid((62, 70, 84))),
            (wheel, vertical((204, 212, 224), (120, 130, 148), 0.1, 0.9)),
            (arc(0.5, 0.5, 0.21, 0.035, 0, 359.99), solid((150, 160, 176)))]


def report_icon():
    """A sheet with a bar chart of three growing bars."""
    layers = [(rounded_rect(0.1, 0.04, 0.9, 0.96, 0.08), solid((96, 104, 118))),
              (rounded_rect(0.14, 0.08, 0.86, 0.92, 0.05), vertical((255, 255, 255), (230, 234, 240)))]
    bars = [(0.22, 0.58, (46, 120, 220)), (0.42, 0.40, (56, 170, 72)), (0.62, 0.20, (240, 140, 30))]
    for x0, top, rgb in bars:
        darker = tuple(int(c * 0.7) for c in rgb)
        layers.append((rounded_rect(x0, top, x0 + 0.16, 0.8, 0.02), vertical(rgb, darker, top, 0.8)))
    layers.append((rounded_rect(0.18, 0.79, 0.82, 0.84, 0.01), solid((70, 76, 88))))
    return layers


def storage_box():
    """The store the settings go into and come back from: a drive with a light."""
    return [(rounded_rect(0.08, 0.52, 0.92, 0.94, 0.1), solid((52, 58, 70))),
            (rounded_rect(0.12, 0.56, 0.88, 0.9, 0.07), vertical((176, 184, 198), (112, 120, 136), 0.56, 0.9)),
            (rounded_rect(0.18, 0.7, 0.56, 0.76, 0.02), solid((78, 86, 100))),
            (circle(0.76, 0.73, 0.055), solid((80, 220, 90)))]


def arrow(down, rim, fill):
    """A broad arrow above the box, pointing into it (down) or out of it (up)."""
    def points(grow):
        shaft, head = 0.1 + grow, 0.25 + grow
        if down:
            tip, base, tail = 0.6 + grow, 0.3 - grow * 0.5, 0.02 - grow
        else:
            tip, base, tail = 0.02 - grow, 0.32 + grow * 0.5, 0.6 + grow
        return [(0.5 - shaft, tail), (0.5 + shaft, tail), (0.5 + shaft, base), (0.5 + head, base),
                (0.5, tip), (0.5 - head, base), (0.5 - shaft, base)]
    return [(polygon(points(0.04)), rim), (polygon(points(0.0)), fill)]


def backup_icon():
    return storage_box() + arrow(True, solid((24, 100, 36)), vertical((120, 222, 110), (40, 160, 60), 0.0, 0.6))


def restore_icon():
    return storage_box() + arrow(False, solid((20, 66, 150)), vertical((120, 186, 255), (40, 110, 220), 0.0, 0.6))


def missing_icon():
    """A grey tile with a question mark: the icon file of the button is gone."""
    ink = solid((92, 100, 114))
    return [(rounded_rect(0.06, 0.06, 0.94, 0.94, 0.16), solid((150, 156, 166))),
            (rounded_rect(0.1, 0.1, 0.9, 0.9, 0.13), vertical((246, 247, 249), (214, 218, 224))),
            (arc(0.5, 0.37, 0.15, 0.1, 165, 60), ink),
            (capsule(0.5 + 0.15 * math.cos(math.radians(60)), 0.37 + 0.15 * math.sin(math.radians(60)),
                     0.5, 0.6, 0.05), ink),
            (circle(0.5, 0.75, 0.065), ink)]

# ---------------------------------------------------------------------------
# PNG: signature, IHDR, one IDAT of stored deflate blocks, IEND.

def png_chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)


def zlib_stored(data):
    out = bytearray(b'\x78\x01')
    blocks = [data[i:i + 65535] for i in range(0, len(data), 65535)] or [b'']
    for index, block in enumerate(blocks):
        out.append(1 if index == len(blocks) - 1 else 0)
        out += struct.pack('<HH', len(block), len(block) ^ 0xFFFF) + block
    return bytes(out + struct.pack('>I', zlib.adler32(data) & 0xFFFFFFFF))


def encode_png(pixels):
    height, width = len(pixels), len(pixels[0])
    raw = b''.join(b'\x00' + bytes(c for pixel in row for c in pixel) for row in pixels)
    header = struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA, no interlace
    return b'\x89PNG\r\n\x1a\n' + png_chunk(b'IHDR', header) + png_chunk(b'IDAT', zlib_stored(raw)) + \
        png_chunk(b'IEND', b'')

# ---------------------------------------------------------------------------
# ICO: a directory of device-independent bitmaps, each an XOR image (bottom-up)
# followed by a 1-bit AND mask in which 1 lets the background through.

VGA_PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
               (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
               (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest(palette, rgb):
    return min(range(len(palette)), key=lambda i: (sum((a - b) ** 2 for a, b in zip(palette[i], rgb)), i))


def adaptive_palette(pixels, colours):
    """The most frequent colours of the opaque pixels (ties in colour order),
    after black, which the transparent pixels use."""
    counts = {}
    for row in pixels:
        for r, g, b, a in row:
            if a >= 128:
                counts[(r, g, b)] = counts.get((r, g, b), 0) + 1
    ranked = sorted(counts, key=lambda rgb: (-counts[rgb], rgb))
    palette = [(0, 0, 0)] + [rgb for rgb in ranked if rgb != (0, 0, 0)][:colours - 1]
    return palette + [(0, 0, 0)] * (colours - len(palette))


def row_bytes(bits):
    return (bits + 31) // 32 * 4


def ico_image(pixels, bits):
    size = len(pixels)
    if bits == 4:
        palette = VGA_PALETTE
    elif bits == 8:
        palette = adaptive_palette(pixels, 256)
    else:
        palette = []
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    colour_table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    cache = {}
    xor, mask = bytearray(), bytearray()
    for row in reversed(pixels):
        line, mask_bits = bytearray(), 0
        indices = []
        for x, (r, g, b, a) in enumerate(row):
            transparent = a == 0 if bits == 32 else a < 128
            if transparent:
                mask_bits |= 1 << (size - 1 - x)
            if bits == 32:
                line += bytes((b, g, r, a)) if a else b'\0\0\0\0'
            else:
                if not transparent and (r, g, b) not in cache:
                    cache[(r, g, b)] = nearest(palette, (r, g, b))
                indices.append(0 if transparent else cache[(r, g, b)])
        if bits == 8:
            line = bytearray(indices)
        elif bits == 4:
            line = bytearray((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2))
        xor += line + b'\0' * (row_bytes(size * bits) - len(line))
        mask += mask_bits.to_bytes(size // 8, 'big') + b'\0' * (row_bytes(size) - size // 8)
    return header + colour_table + bytes(xor) + bytes(mask)


def encode_ico(images):
    """images: (pixels, bits) pairs, in directory order."""
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, bodies = b'', b''
    for pixels, bits in images:
        body = ico_image(pixels, bits)
        size = len(pixels)
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 16 if bits == 4 else 0, 0, 1, bits,
                               len(body), offset)
        bodies += body
        offset += len(body)
    return directory + entries + bodies


def make_application_icon():
    images = []
    for size in (64, 48, 32, 24, 16):
        rich = render(size, application_icon(flat=False))
        images += [(rich, 32), (rich, 8), (render(size, application_icon(flat=True), samples=1), 4)]
    return encode_ico(images)

# ---------------------------------------------------------------------------
# Sounds: uncompressed PCM, mono, 22050 samples per second, 16 bits.

RATE = 22050


def click(samples, tones, attack, decay, level):
    """A short soft click: a few sine partials under a quick rise and an
    exponential fall, faded to silence at the end so that it stops cleanly."""
    frames = bytearray()
    fade = samples // 8
    for n in range(samples):
        t = n / RATE
        envelope = min(t / attack, 1.0) * math.exp(-t / decay) * min((samples - 1 - n) / fade, 1.0)
        value = sum(weight * math.sin(2 * math.pi * frequency * t) for frequency, weight in tones)
        frames += struct.pack('<h', int(round(level * envelope * value * 32767)))
    out = io.BytesIO()
    with wave.open(out, 'wb') as sound:
        sound.setnchannels(1)
        sound.setsampwidth(2)
        sound.setframerate(RATE)
        sound.writeframes(bytes(frames))
    return out.getvalue()

# ---------------------------------------------------------------------------
# The manifest.

MANIFEST = '''<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">
  <assemblyIdentity type="win32" name="Tavrin.Launcher" version="1.0.0.0" processorArchitecture="*"/>
  <description>Tavrin application launcher</description>
  <dependency>
    <dependentAssembly>
      <assemblyIdentity type="win32" name="Microsoft.Windows.Common-Controls" version="6.0.0.0"
                        processorArchitecture="*" publicKeyToken="6595b64144ccf1df" language="*"/>
    </dependentAssembly>
  </dependency>
  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">
    <security>
      <requestedPrivileges>
        <requestedExecutionLevel level="asInvoker" uiAccess="false"/>
      </requestedPrivileges>
    </security>
  </trustInfo>
  <compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1">
    <application>
      <!-- Windows 10 and Windows 11 share this identifier. -->
      <supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>
    </application>
  </compatibility>
  <application xmlns="urn:schemas-microsoft-com:asm.v3">
    <windowsSettings>
      <!-- The program scales its own layout, icons and fonts by the DPI of the monitor each
           window is on, so Windows must not stretch it as a bitmap. Systems without
           per-monitor v2 take per-monitor awareness; older ones read dpiAware. -->
      <dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/pm</dpiAware>
      <dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2, PerMonitor</dpiAwareness>
    </windowsSettings>
  </application>
</assembly>
'''


# ---------------------------------------------------------------------------
# The about box's banner, drawn directly at its size (a wide picture, unlike the
# square icons), and a baseline JPEG encoder: Python has none, and one of our
# own gives the same bytes everywhere (4:4:4, Huffman tables fitted to the picture).

BANNER_SIZE = (439, 112)
BANNER_TILES = [(230, 92, 60), (64, 170, 90), (245, 190, 60), (70, 140, 230), (200, 80, 160), (120, 200, 220)]


def rounded_square_distance(x, y, cx, cy, half, radius):
    """Signed distance from (x, y) to a rounded square; negative inside."""
    qx, qy = abs(x - cx) - half + radius, abs(y - cy) - half + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def blend(base, colour, amount):
    return tuple(b + (c - b) * amount for b, c in zip(base, colour))


def banner(width, height):
    """Rows of (r, g, b): a blue field with light rings on the right and two rows
    of launcher tiles on the left. Units are the picture's height, so every size
    shows the same picture; edges are anti-aliased by their distance in pixels."""
    aspect = width / height
    pitch, half, radius, left, top = 0.34, 0.135, 0.045, 0.2, 0.16
    rows = []
    for py in range(height):
        y = (py + 0.5) / height
        row = []
        for px in range(width):
            x = (px + 0.5) / height
            t = min(max((x / aspect) * 0.6 + y * 0.4, 0.0), 1.0)
            colour = blend((18, 52, 112), (46, 128, 196), t)
            for cx, cy, r, alpha in ((aspect - 0.3, 1.25, 0.95, 0.22), (aspect - 0.3, 1.25, 1.3, 0.14)):
                ring = abs(math.hypot(x - cx, y - cy) - r) - 0.03
                colour = blend(colour, (255, 255, 255), alpha * min(max(0.5 - ring * height, 0.0), 1.0))
            column, line = int((x - left) // pitch), int((y - top) // pitch)
            if 0 <= column < 6 and 0 <= line < 2:
                cx, cy = left + (column + 0.5) * pitch, top + (line + 0.5) * pitch
                tile = BANNER_TILES[(column + 3 * line) % len(BANNER_TILES)]
                shade = blend(tile, (255, 255, 255), 0.3 * max(cy - y, 0.0) / half)
                cover = min(max(0.5 - rounded_square_distance(x, y, cx, cy, half, radius) * height, 0.0), 1.0)
                colour = blend(colour, shade, cover)
            row.append(colour)
        rows.append(row)
    return rows


ZIGZAG = [0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7,
          14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46,
          53, 60, 61, 54, 47, 55, 62, 63]
LUMINANCE_TABLE = [16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13, 16, 24, 40, 57, 69, 56,
                   14, 17, 22, 29, 51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
                   49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99]
CHROMINANCE_TABLE = [17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99, 99, 99,
                     47, 66, 99, 99, 99, 99, 99, 99] + [99] * 32
DCT = [[(math.sqrt(0.125) if u == 0 else 0.5) * math.cos((2 * x + 1) * u * math.pi / 16) for x in range(8)]
       for u in range(8)]


def quality_table(table, quality):
    scale = 200 - 2 * quality
    return [min(max((value * scale + 50) // 100, 1), 255) for value in table]


def forward_dct(block):
    """block: 64 level-shifted samples, row by row; the 64 coefficients the same way."""
    rows = [[sum(c * v for c, v in zip(basis, block[8 * y:8 * y + 8])) for basis in DCT] for y in range(8)]
    return [sum(DCT[v][y] * rows[y][u] for y in range(8)) for v in range(8) for u in range(8)]


def size_of(value):
    return abs(value).bit_length()


def block_symbols(coefficients, previous_dc):
    """The (symbol, value, size) codes of one quantised block in zigzag order; the DC first."""
    difference = coefficients[0] - previous_dc
    codes = [(size_of(difference), difference, size_of(difference))]
    run = 0
    for k in range(1, 64):
        value = coefficients[ZIGZAG[k]]
        if value == 0:
            run += 1
            continue
        while run > 15:
            codes.append((0xF0, 0, 0))
            run -= 16
        codes.append(((run << 4) | size_of(value), value, size_of(value)))
        run = 0
    if run:
        codes.append((0x00, 0, 0))
    return codes


def huffman_table(counts):
    """Code lengths for the symbols counted, at most 16 bits and no code of all
    ones (a reserved symbol takes that place and is dropped): (bits, values)."""
    counts = dict(counts)
    counts[256] = 1
    sizes = {symbol: 0 for symbol in counts}
    groups = sorted((count, symbol, [symbol]) for symbol, count in counts.items())
    while len(groups) > 1:
        (first, key, a), (second, _, b) = groups[0], groups[1]
        for symbol in a + b:
            sizes[symbol] += 1
        groups = sorted(groups[2:] + [(first + second, key, a + b)])
    bits = [0] * 33
    for size in sizes.values():
        bits[size] += 1
    for longest in range(32, 16, -1):
        while bits[longest] > 0:
            shorter = longest - 2
            while bits[shorter] == 0:
                shorter -= 1
            bits[longest] -= 2
            bits[longest - 1] += 1
            bits[shorter + 1] += 2
            bits[shorter] -= 1
    longest = 16
    while bits[longest] == 0:
        longest -= 1
    bits[longest] -= 1
    values = sorted((symbol for symbol in counts if symbol != 256), key=lambda symbol: (sizes[symbol], symbol))
    return bits[1:17], values


def huffman_codes(bits, values):
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(bits[length - 1]):
            codes[values[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


def encode_jpeg(rows, quality=92):
    height, width = len(rows), len(rows[0])
    tables = [quality_table(LUMINANCE_TABLE, quality), quality_table(CHROMINANCE_TABLE, quality)]
    planes = [[], [], []]
    for row in rows:
        for index, (r, g, b) in enumerate(((0.299, 0.587, 0.114), (-0.168736, -0.331264, 0.5),
                                           (0.5, -0.418688, -0.081312))):
            planes[index].append([r * p[0] + g * p[1] + b * p[2] + (0 if index == 0 else 128) - 128 for p in row])
    blocks = []  # per block position, the three components' codes
    previous = [0, 0, 0]
    for by in range(0, height, 8):
        for bx in range(0, width, 8):
            for component in range(3):
                plane = planes[component]
                samples = [plane[min(by + y, height - 1)][min(bx + x, width - 1)] for y in range(8) for x in range(8)]
                table = tables[min(component, 1)]
                quantised = [int(math.floor(c / q + 0.5)) for c, q in zip(forward_dct(samples), table)]
                blocks.append((component, block_symbols(quantised, previous[component])))
                previous[component] = quantised[0]
    counts = [[{}, {}], [{}, {}]]  # [luminance, chrominance][dc, ac]
    for component, codes in blocks:
        for k, (symbol, _, _) in enumerate(codes):
            table = counts[min(component, 1)][0 if k == 0 else 1]
            table[symbol] = table.get(symbol, 0) + 1
    specs = [[huffman_table(counts[c][d]) for d in range(2)] for c in range(2)]
    coders = [[huffman_codes(*specs[c][d]) for d in range(2)] for c in range(2)]

    data, accumulator, filled = bytearray(), 0, 0
    for component, codes in blocks:
        for k, (symbol, value, size) in enumerate(codes):
            code, length = coders[min(component, 1)][0 if k == 0 else 1][symbol]
            pieces = [(code, length)]
            if size:
                pieces.append((value if value > 0 else value + (1 << size) - 1, size))
            for bits, count in pieces:
                accumulator = (accumulator << count) | bits
                filled += count
                while filled >= 8:
                    filled -= 8
                    byte = (accumulator >> filled) & 0xFF
                    data.append(byte)
                    if byte == 0xFF:
                        data.append(0)
                accumulator &= (1 << filled) - 1
    if filled:
        byte = ((accumulator << (8 - filled)) | ((1 << (8 - filled)) - 1)) & 0xFF
        data += bytes([byte, 0]) if byte == 0xFF else bytes([byte])

    def segment(marker, body):
        return struct.pack('>BBH', 0xFF, marker, len(body) + 2) + body

    quantisation = b''.join(bytes([i]) + bytes(tables[i][ZIGZAG[k]] for k in range(64)) for i in range(2))
    huffman = b''.join(bytes([(d << 4) | c]) + bytes(specs[c][d][0]) + bytes(specs[c][d][1])
                       for c in range(2) for d in range(2))
    frame = struct.pack('>BHHB', 8, height, width, 3) + bytes([1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1])
    scan = bytes([3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0])
    return (b'\xff\xd8' + segment(0xE0, b'JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00') +
            segment(0xDB, quantisation) + segment(0xC0, frame) + segment(0xC4, huffman) + segment(0xDA, scan) +
            bytes(data) + b'\xff\xd9')

# ---------------------------------------------------------------------------

# The sizes the pictures of buttons and tools come in: 32 pixels at 100 % and the
# larger ones for 150 % and 200 %; sizes between take the next larger one.
PICTURE_SIZES = (32, 48, 64)
TOOL_PICTURES = {'options': options_icon, 'report': report_icon, 'backup': backup_icon, 'restore': restore_icon}


def resources():
    """File name -> bytes, for every file this script makes."""
    return {
        'tavrin.ico': make_application_icon(),
        'missing.ico': encode_ico([(render(size, missing_icon()), 32) for size in PICTURE_SIZES]),
        **{f'{name}-{size}.png': encode_png(render(size, picture()))
           for name, picture in TOOL_PICTURES.items() for size in PICTURE_SIZES},
        'Icon.wav': click(1079, [(1250, 0.7), (2500, 0.25), (3900, 0.05)], 0.0012, 0.011, 0.45),
        'Tabsheet.wav': click(680, [(2100, 0.75), (4200, 0.2), (6300, 0.05)], 0.0008, 0.006, 0.3),
        'tavrin.manifest': MANIFEST.replace('\n', '\r\n').encode('utf-8'),
        # At 100 % and, for 150 % and 200 %, at twice the size.
        'about-banner-1x.jpg': encode_jpeg(banner(*BANNER_SIZE)),
        'about-banner-2x.jpg': encode_jpeg(banner(2 * BANNER_SIZE[0], 2 * BANNER_SIZE[1])),
    }


def write_all(folder, files):
    os.makedirs(folder, exist_ok=True)
    for name, data in sorted(files.items()):
        with open(os.path.join(folder, name), 'wb') as out:
            out.write(data)


def check(folder):
    """Regenerates into a temporary folder and compares with `folder`."""
    with tempfile.TemporaryDirectory() as scratch:
        write_all(scratch, resources())
        differing = []
        for name in sorted(os.listdir(scratch)):
            with open(os.path.join(scratch, name), 'rb') as fresh:
                expected = fresh.read()
            try:
                with open(os.path.join(folder, name), 'rb') as committed:
                    same = committed.read() == expected
            except FileNotFoundError:
                same = False
            if not same:
                differing.append(name)
    for name in differing:
        print(f'{name}: differs from a fresh generation (run {os.path.basename(__file__)})', file=sys.stderr)
    return not differing


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--output', default=RESOURCES, help='folder to write into')
    parser.add_argument('--check', action='store_true', help='compare a fresh generation with --output')
    arguments = parser.parse_args()
    if arguments.check:
        return 0 if check(arguments.output) else 1
    write_all(arguments.output, resources())
    return 0


if __name__ == '__main__':
    sys.exit(main())
