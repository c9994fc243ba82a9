#!/usr/bin/env python3
"""Draws Veltrin's artwork: the device skin, its button faces, the display
panel and the program icon.

    /usr/bin/python3 assets/draw.py            # write into assets/
    /usr/bin/python3 assets/draw.py --out DIR  # write into DIR
    /usr/bin/python3 assets/draw.py --check    # redraw and compare with assets/

Every picture is computed from the fixed numbers below (no randomness, no
timestamps), so a rerun reproduces the committed files byte for byte with the
same Pillow.  Needs Pillow and nothing else.

Skin conventions the window code relies on:
  * RGB (255, 0, 255) is the cut-away colour: everything around the device and
    the screen opening, and nothing else;
  * the screen opening is the rectangle OPENING, the display panel window sits
    behind it at PANEL_OFFSET;
  * the close and install button faces sit on their painted keys at CLOSE_POS
    and NEXT_POS and were cut from the skin there, so they blend in.
"""

import argparse
import io
import math
import os
import struct
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFilter

HERE = os.path.dirname(os.path.abspath(__file__))

SS = 4                      # supersampling factor for anti-aliased shapes
MAGENTA = (255, 0, 255)

SKIN_SIZE = (247, 386)
CX = 123.0                  # the device is symmetric about this line
DEV_TOP, DEV_BOTTOM = 1.0, 385.0   # outer edges: device rows 1..384
DEV_HALF = 122.0                   # half width: device columns 1..244
OPENING = (50, 48, 197, 311)       # screen hole: x0, y0 inclusive, x1, y1 exclusive
BEZEL = (43, 41, 204, 318)         # dark frame round the hole
PLATE_TOP, PLATE_BOTTOM, PLATE_INSET = 36.0, 327.0, 18.0

CLOSE_POS, CLOSE_SIZE = (63, 340), (44, 26)
NEXT_POS, NEXT_SIZE = (138, 339), (46, 28)
KEY_A, KEY_B, KEY_TILT = 16.5, 7.4, 12.0   # oval keys: half axes, tilt in degrees
ROUND_KEY = (123.0, 357.0, 9.0)            # centre x, centre y, radius

PANEL_SIZE = (155, 270)
PANEL_OFFSET = (47, 45)
ICON_SIZE = 96

FILES = ("skin.gif",
         "close_normal.gif", "close_hover.gif", "close_pressed.gif",
         "next_normal.gif", "next_hover.gif", "next_pressed.gif",
         "panel.gif", "veltrin.ico")


# ---------------------------------------------------------------- helpers --

def clamp8(v):
    return 0 if v < 0 else 255 if v > 255 else int(v + 0.5)


def rgb(c):
    return (clamp8(c[0]), clamp8(c[1]), clamp8(c[2]))


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t,
            a[2] + (b[2] - a[2]) * t)


def lift(c, d):
    return (c[0] + d, c[1] + d, c[2] + d)


def field(size, fn):
    """RGB image whose pixel (x, y) is fn(x + .5, y + .5)."""
    w, h = size
    img = Image.new("RGB", size)
    img.putdata([rgb(fn(x + 0.5, y + 0.5)) for y in range(h) for x in range(w)])
    return img


def coverage(size, paint):
    """Anti-aliased L mask: paint(draw) fills shapes in SS-times coordinates."""
    big = Image.new("L", (size[0] * SS, size[1] * SS), 0)
    paint(ImageDraw.Draw(big))
    return big.resize(size, Image.Resampling.BOX)


def scaled(points, dx=0.0, dy=0.0):
    return [((x + dx) * SS, (y + dy) * SS) for x, y in points]


def scale_mask(mask, k):
    return mask.point(lambda v: int(v * k + 0.5))


def paint(img, colour, mask):
    """Blends a flat colour or an RGB field image into img through mask."""
    if isinstance(colour, tuple):
        colour = Image.new("RGB", img.size, rgb(colour))
    img.paste(colour, (0, 0), mask)


def ellipse_points(cx, cy, a, b, tilt=0.0, n=120):
    ca, sa = math.cos(math.radians(tilt)), math.sin(math.radians(tilt))
    pts = []
    for i in range(n):
        t = 2 * math.pi * i / n
        u, v = a * math.cos(t), b * math.sin(t)
        pts.append((cx + u * ca - v * sa, cy + u * sa + v * ca))
    return pts


def arc(cx, cy, rx, ry, a0, a1, n=40):
    """Points on an elliptic arc; angles in degrees, counted anticlockwise."""
    pts = []
    for i in range(n + 1):
        t = math.radians(a0 + (a1 - a0) * i / n)
        pts.append((cx + rx * math.cos(t), cy - ry * math.sin(t)))
    return pts


def bezier(p0, p1, p2, n=24):
    pts = []
    for i in range(n + 1):
        t = i / n
        s = 1 - t
        pts.append((s * s * p0[0] + 2 * s * t * p1[0] + t * t * p2[0],
                    s * s * p0[1] + 2 * s * t * p1[1] + t * t * p2[1]))
    return pts


def stroke(draw, path, radius, step=0.2):
    """Round-nibbed stroke along a polyline (1x coordinates)."""
    def dot(x, y):
        draw.ellipse([(x - radius) * SS, (y - radius) * SS,
                      (x + radius) * SS, (y + radius) * SS], fill=255)
    dot(*path[0])
    for (x0, y0), (x1, y1) in zip(path, path[1:]):
        n = max(1, int(math.hypot(x1 - x0, y1 - y0) / step))
        for i in range(1, n + 1):
            dot(x0 + (x1 - x0) * i / n, y0 + (y1 - y0) * i / n)


def relief(mask, radius, light=(-0.6, -0.8)):
    """Lighting of the soft bump a mask makes: > 0 on edges facing the light."""
    w, h = mask.size
    p = list(mask.filter(ImageFilter.GaussianBlur(radius)).getdata())
    lx, ly = light
    out = [0.0] * (w * h)
    for y in range(1, h - 1):
        row = y * w
        for x in range(1, w - 1):
            i = row + x
            out[i] = -((p[i + 1] - p[i - 1]) * lx + (p[i + w] - p[i - w]) * ly) / 255.0
    return out


# ------------------------------------------------------------ lettering --

def _glyphs():
    return {
        "V": (0.80, [[(0.04, -1.0), (0.40, 0.0), (0.76, -1.0)]]),
        "e": (0.66, [[(0.07, -0.31), (0.58, -0.31)]
                     + arc(0.32, -0.31, 0.26, 0.31, 0, 318)]),
        "l": (0.28, [[(0.12, -1.0), (0.12, 0.0)]]),
        "t": (0.46, [[(0.17, -0.88), (0.17, -0.16)]
                     + bezier((0.17, -0.16), (0.17, 0.0), (0.40, -0.02)),
                     [(0.02, -0.62), (0.40, -0.62)]]),
        "r": (0.46, [[(0.10, -0.62), (0.10, 0.0)],
                     bezier((0.10, -0.34), (0.14, -0.62), (0.44, -0.60))]),
        "i": (0.28, [[(0.12, -0.62), (0.12, 0.0)], [(0.12, -0.88)]]),
        "n": (0.66, [[(0.10, -0.62), (0.10, 0.0)],
                     [(0.10, -0.38)] + arc(0.32, -0.38, 0.22, 0.24, 180, 0)
                     + [(0.54, 0.0)]]),
    }


def word_paths(text, cx, baseline, em, tracking=0.10):
    glyphs = _glyphs()
    width = sum(glyphs[c][0] for c in text) + tracking * (len(text) - 1)
    x = cx - width * em / 2
    paths = []
    for c in text:
        adv, strokes = glyphs[c]
        for s in strokes:
            paths.append([(x + px * em, baseline + py * em) for px, py in s])
        x += (adv + tracking) * em
    return paths


# ----------------------------------------------------------------- skin --

def body_half_width(y):
    """Half width of the device at height y (continuous coordinates)."""
    hw = DEV_HALF
    r = 26.0                                   # top corners
    if y < DEV_TOP + r:
        d = DEV_TOP + r - y
        hw = DEV_HALF - r + math.sqrt(max(0.0, r * r - d * d))
    if 70.0 < y < 300.0:                       # waist
        hw -= 6.0 * math.sin(math.pi * (y - 70.0) / 230.0) ** 2
    if y > 318.0:                              # rounded bottom
        t = (y - 318.0) / (DEV_BOTTOM - 318.0)
        hw = min(hw, DEV_HALF * math.sqrt(max(0.0, 1.0 - t * t)))
    return hw


def body_inside(x, y):
    """Whether the pixel (x, y) belongs to the device: a hard edge, no blending."""
    yc = y + 0.5
    return DEV_TOP < yc < DEV_BOTTOM and abs(x + 0.5 - CX) < body_half_width(yc)


def plate_polygon(grow=0.0, r=12.0, n=400):
    """Outline of the beige face plate, which follows the device's waist."""
    top, bottom = PLATE_TOP - grow, PLATE_BOTTOM + grow
    rr = r + grow
    right = []
    for i in range(n + 1):
        y = top + (bottom - top) * i / n
        hw = body_half_width(y) - PLATE_INSET + grow
        d = max(top + rr - y, y - (bottom - rr), 0.0)
        hw -= rr - math.sqrt(max(0.0, rr * rr - d * d))
        right.append((CX + hw, y))
    left = [(2 * CX - x, y) for x, y in reversed(right)]
    return right + left


def rounded_rect(draw, box, r, dx=0.0, dy=0.0):
    x0, y0, x1, y1 = box
    draw.rounded_rectangle([(x0 + dx) * SS, (y0 + dy) * SS,
                            (x1 + dx) * SS - 1, (y1 + dy) * SS - 1],
                           radius=r * SS, fill=255)


def silver(x, y, brushed):
    t = (y - DEV_TOP) / (DEV_BOTTOM - DEV_TOP)
    c = mix((223, 225, 230), (170, 173, 181), t)
    u = (x - CX) / DEV_HALF
    d = (9.0 * (1 - u * u) - 5.0
         + 11.0 * math.exp(-((u + 0.52) / 0.15) ** 2)
         - 6.0 * math.exp(-((u - 0.80) / 0.18) ** 2))
    return lift(c, d + brushed[int(x)])


def draw_body():
    w, h = SKIN_SIZE
    inside = [[body_inside(x, y) for x in range(w)] for y in range(h)]
    mask = Image.new("L", SKIN_SIZE)
    mask.putdata([255 if inside[y][x] else 0 for y in range(h) for x in range(w)])
    bump = relief(mask, 3.0)
    # fine vertical grain of brushed metal, from a fixed integer sequence
    brushed = [((x * 7919) % 13 - 6) * 0.25 for x in range(w + 1)]
    img = field(SKIN_SIZE, lambda x, y: lift(silver(x, y, brushed),
                                             70.0 * bump[int(y) * w + int(x)]))
    return img, inside


def draw_lettering(img):
    paths = word_paths("Veltrin", CX, 29.5, 16.0)
    letters = coverage(img.size, lambda d: [stroke(d, p, 1.35) for p in paths])
    w = img.size[0]

    def shifted(dx, dy):
        out = Image.new("L", img.size, 0)
        out.paste(letters, (dx, dy))
        return out
    paint(img, (84, 86, 96), scale_mask(shifted(1, 1), 0.9))      # shadow
    paint(img, (255, 255, 255), scale_mask(shifted(-1, -1), 0.85))  # highlight
    brushed = [0.0] * (w + 1)
    paint(img, field(img.size, lambda x, y: lift(silver(x, y, brushed), -12)), letters)


def draw_trim(img):
    """Speaker slots at the top left and a status lamp at the top right."""
    for i in range(3):
        x = 33.0 + 5.0 * i
        slot = coverage(img.size, lambda d: stroke(d, [(x, 15.0), (x, 27.0)], 1.0))
        light = Image.new("L", img.size, 0)
        light.paste(slot, (1, 1))
        paint(img, (244, 245, 248), scale_mask(light, 0.8))
        paint(img, (58, 60, 66), slot)
    lx, ly = 212.0, 21.0
    paint(img, (246, 247, 250), scale_mask(coverage(img.size, lambda d: d.ellipse(
        [(lx - 4.2 + 0.8) * SS, (ly - 4.2 + 0.8) * SS,
         (lx + 4.2 + 0.8) * SS, (ly + 4.2 + 0.8) * SS], fill=255)), 0.8))
    paint(img, (70, 72, 78), coverage(img.size, lambda d: d.ellipse(
        [(lx - 4.2) * SS, (ly - 4.2) * SS, (lx + 4.2) * SS, (ly + 4.2) * SS], fill=255)))
    lamp = coverage(img.size, lambda d: d.ellipse(
        [(lx - 3.0) * SS, (ly - 3.0) * SS, (lx + 3.0) * SS, (ly + 3.0) * SS], fill=255))

    def lamp_colour(x, y):
        r = math.hypot(x - (lx - 1.0), y - (ly - 1.2)) / 4.0
        return mix((170, 255, 170), (20, 120, 40), min(1.0, r))
    paint(img, field(img.size, lamp_colour), lamp)


def draw_plate(img):
    size = img.size
    groove = coverage(size, lambda d: d.polygon(scaled(plate_polygon(1.2)), fill=255))
    paint(img, (120, 114, 100), groove)
    plate = coverage(size, lambda d: d.polygon(scaled(plate_polygon()), fill=255))
    w = size[0]
    bump = relief(plate, 1.6)

    def beige(x, y):
        t = (y - PLATE_TOP) / (PLATE_BOTTOM - PLATE_TOP)
        c = mix((236, 227, 203), (212, 201, 172), t)
        u = (x - CX) / 100.0
        c = lift(c, 5.0 * (1 - u * u) - 2.0)
        return lift(c, 45.0 * bump[int(y) * w + int(x)])
    paint(img, field(size, beige), plate)


def draw_bezel(img):
    size = img.size
    # sunken edge: shadow above and left, light below and right
    paint(img, (250, 246, 234), coverage(size, lambda d: rounded_rect(d, BEZEL, 6, 1, 1)))
    paint(img, (150, 142, 122), coverage(size, lambda d: rounded_rect(d, BEZEL, 6, -1, -1)))
    frame = coverage(size, lambda d: rounded_rect(d, BEZEL, 6))
    x0, y0, x1, y1 = OPENING

    def charcoal(x, y):
        t = (y - BEZEL[1]) / (BEZEL[3] - BEZEL[1])
        c = mix((70, 72, 76), (48, 50, 54), t)
        # the frame slopes down into the hole: lit on the lower and right sides
        if y > y1 or x > x1:
            c = lift(c, 10)
        return c
    paint(img, field(size, charcoal), frame)
    px = img.load()
    for x in range(x0 - 1, x1 + 1):
        px[x, y0 - 1] = (22, 24, 26)
        px[x, y1] = (30, 32, 34)
    for y in range(y0 - 1, y1 + 1):
        px[x0 - 1, y] = (22, 24, 26)
        px[x1, y] = (30, 32, 34)


def paint_key(img, centre, a, b, tilt, state, symbol=None, symbol_colour=None):
    """Paints a key sunk in its well onto img; returns the mask of all it touched.

    symbol(draw, cx, cy, scale) fills the symbol in SS coordinates."""
    size = img.size
    cx, cy = centre
    pressed = state == "pressed"
    ca, sa = math.cos(math.radians(tilt)), math.sin(math.radians(tilt))

    def local(x, y, kx, ky):
        dx, dy = x - kx, y - ky
        return (dx * ca + dy * sa) / a, (-dx * sa + dy * ca) / b

    def oval(ox, oy, ga, gb):
        pts = ellipse_points(cx + ox, cy + oy, a + ga, b + gb, tilt)
        return coverage(size, lambda d: d.polygon(scaled(pts), fill=255))

    lip = oval(0.6, 0.8, 2.5, 2.5)
    paint(img, (248, 249, 252), scale_mask(lip, 0.75))
    well = oval(0, 0, 2.1, 2.1)

    def well_colour(x, y):
        _, v = local(x, y, cx, cy)
        return mix((62, 64, 70), (128, 131, 138), max(0.0, min(1.0, (v + 1.0) / 2.0)))
    paint(img, field(size, well_colour), well)

    kx, ky = (cx + 0.6, cy + 0.7) if pressed else (cx, cy)
    cap = coverage(size, lambda d: d.polygon(
        scaled(ellipse_points(kx, ky, a, b, tilt)), fill=255))

    def cap_colour(x, y):
        u, v = local(x, y, kx, ky)
        r = math.hypot(u, v)
        if pressed:
            c = lift((178, 181, 189), 10.0 * v)
            c = lift(c, 10.0 * math.exp(-((u - 0.3) ** 2 / 0.10 + (v - 0.5) ** 2 / 0.08)))
        else:
            c = lift((208, 211, 218), -20.0 * v)
            c = lift(c, 36.0 * math.exp(-((u + 0.35) ** 2 / 0.08 + (v + 0.5) ** 2 / 0.05)))
        return lift(c, -34.0 * max(0.0, r - 0.72) / 0.28)
    paint(img, field(size, cap_colour), cap)
    inner = coverage(size, lambda d: d.polygon(
        scaled(ellipse_points(kx, ky, a - 1.0, b - 1.0, tilt)), fill=255))
    rim = Image.composite(Image.new("L", size, 0), cap, inner)   # cap less inner
    paint(img, (96, 99, 108) if not pressed else (84, 87, 96), scale_mask(rim, 0.8))

    if symbol is not None:
        s = 0.8 if pressed else 1.0
        mark = coverage(size, lambda d: symbol(d, kx, ky, s))
        paint(img, symbol_colour, mark)
    return lip


def arrow_symbol(direction):
    """A horizontal arrow, -1 pointing left, +1 pointing right."""
    shape = [(-7.0, 0.0), (-1.2, -5.2), (-1.2, -1.9), (7.0, -1.9),
             (7.0, 1.9), (-1.2, 1.9), (-1.2, 5.2)]

    def draw(d, cx, cy, s):
        d.polygon([((cx + direction * -x * s) * SS, (cy + y * s) * SS) for x, y in shape],
                  fill=255)
    return draw


ARROW_COLOURS = {"normal": (18, 18, 22), "hover": (22, 92, 226), "pressed": (18, 18, 22)}


def draw_face(background, state, direction):
    """One button face drawn on the piece of keyless skin it will cover."""
    img = background.copy()
    w, h = img.size
    tilt = -KEY_TILT * direction
    footprint = paint_key(img, (w / 2.0, h / 2.0), KEY_A, KEY_B, tilt, state,
                          arrow_symbol(direction), ARROW_COLOURS[state])
    return img, footprint


def draw_round_key(img):
    cx, cy, r = ROUND_KEY
    box = (int(cx - r - 5), int(cy - r - 5), int(cx + r + 6), int(cy + r + 6))
    piece = img.crop(box)

    def ring(d, kx, ky, s):
        d.ellipse([(kx - 3.2) * SS, (ky - 3.2) * SS, (kx + 3.2) * SS, (ky + 3.2) * SS],
                  fill=255)
        d.ellipse([(kx - 1.8) * SS, (ky - 1.8) * SS, (kx + 1.8) * SS, (ky + 1.8) * SS],
                  fill=0)
    paint_key(piece, (cx - box[0], cy - box[1]), r, r, 0.0, "normal", ring, (110, 113, 122))
    img.paste(piece, box[:2])


def draw_skin():
    """Returns the skin (RGB) and the six button faces (RGB, with footprints)."""
    img, inside = draw_body()
    draw_lettering(img)
    draw_trim(img)
    draw_plate(img)
    draw_bezel(img)

    faces = {}
    for name, pos, size, direction in (("close", CLOSE_POS, CLOSE_SIZE, -1),
                                       ("next", NEXT_POS, NEXT_SIZE, 1)):
        bg = img.crop((pos[0], pos[1], pos[0] + size[0], pos[1] + size[1]))
        for state in ("normal", "hover", "pressed"):
            faces[name + "_" + state] = (pos,) + draw_face(bg, state, direction)
    for name in ("close", "next"):
        pos, face, _ = faces[name + "_normal"]
        img.paste(face, pos)
    draw_round_key(img)

    # hard outer edge, then cut away the surround and the screen opening
    w, h = SKIN_SIZE
    px = img.load()
    x0, y0, x1, y1 = OPENING
    for y in range(h):
        for x in range(w):
            if not inside[y][x]:
                px[x, y] = MAGENTA
            elif x0 <= x < x1 and y0 <= y < y1:
                px[x, y] = MAGENTA
            elif not (inside[y - 1][x] and inside[y + 1][x]
                      and inside[y][x - 1] and inside[y][x + 1]):
                px[x, y] = (84, 86, 94) if y < 200 else (72, 74, 82)
    return img, faces


# ------------------------------------------------------------ palettes --

def palettize(img, keep=()):
    """Maps an RGB image onto at most 256 colours.

    Colours in keep get exact entries (listed first); the rest are reduced by
    median cut when there are too many.  Returns (indices, palette)."""
    px = list(img.getdata())
    keep = sorted(set(keep))
    uniq = sorted(set(px) - set(keep))
    room = 256 - len(keep)
    if len(uniq) <= room:
        palette = keep + uniq
        where = {c: i for i, c in enumerate(palette)}
        return [where[c] for c in px], palette
    kept = {c: i for i, c in enumerate(keep)}
    rest = [c for c in px if c not in kept]
    cols = 256
    rows = (len(rest) + cols - 1) // cols
    strip = Image.new("RGB", (cols, rows))
    strip.putdata(rest + [rest[0]] * (cols * rows - len(rest)))
    q = strip.quantize(colors=room, method=Image.Quantize.MEDIANCUT)
    qpal = q.getpalette()
    reduced = [tuple(qpal[3 * i:3 * i + 3]) for i in range(room)]
    qidx = iter(q.getdata())
    indices = []
    for c in px:
        if c in kept:
            indices.append(kept[c])
        else:
            indices.append(len(keep) + next(qidx))
    return indices, keep + reduced


def gif_bytes(img, keep=()):
    """GIF89a bytes: one image, a full 256-entry global palette, no extensions."""
    indices, palette = palettize(img, keep)
    palette = palette + [(0, 0, 0)] * (256 - len(palette))
    p = Image.new("P", img.size)
    p.putpalette([v for c in palette for v in c])
    p.putdata(indices)
    buf = io.BytesIO()
    p.save(buf, "GIF", optimize=False, interlace=False)
    data = bytearray(buf.getvalue())
    if data[:6] == b"GIF87a":
        data[:6] = b"GIF89a"
    # header, screen descriptor, 256 * 3 palette bytes, then straight to the image
    if data[:6] != b"GIF89a" or (data[10] & 0x87) != 0x87 or data[13 + 768] != 0x2C:
        raise RuntimeError("unexpected GIF layout from Pillow")
    return bytes(data), [palette[i] for i in indices]


# ---------------------------------------------------------------- panel --

def draw_panel():
    w, h = PANEL_SIZE
    rim = ((36, 46, 40), (56, 70, 60), (84, 102, 88))

    def colour(x, y):
        ix, iy = int(x), int(y)
        d = min(ix, iy, w - 1 - ix, h - 1 - iy)
        if d < len(rim):
            return rim[d]
        t = (y - 3) / (h - 6)
        c = mix((208, 230, 192), (188, 214, 172), t)
        # soft shadow under the upper and left rim, faint scan lines
        c = lift(c, -2.5 * max(0, 7 - min(ix, iy)))
        if iy % 2:
            c = lift(c, -3)
        return c
    return field(PANEL_SIZE, colour)


# ----------------------------------------------------------------- icon --

def digit_paths(ch, x, y, w, h):
    if ch == "0":
        box = arc(0.5, 0.5, 0.33, 0.43, 0, 360, 60)
        return [[(x + px * w, y + py * h) for px, py in box]]
    strokes = [[(0.26, 0.24), (0.56, 0.05), (0.56, 0.95)], [(0.28, 0.95), (0.84, 0.95)]]
    return [[(x + px * w, y + py * h) for px, py in s] for s in strokes]


ICON_COLUMNS = (    # x, top of the bright head digit, digits from the head upwards
    (3.0, 74.0, "01101"),
    (27.0, 40.0, "1001"),
    (51.0, 62.0, "10110"),
    (75.0, 24.0, "011"),
)
ICON_TRAIL = ((205, 255, 205), (40, 226, 80), (20, 164, 52), (10, 104, 34), (6, 62, 20))


def draw_icon():
    size = (ICON_SIZE, ICON_SIZE)
    img = Image.new("RGB", size, (0, 0, 0))
    for x, head, digits in ICON_COLUMNS:
        for k, ch in enumerate(digits):
            y = head - 24.0 * k
            paths = digit_paths(ch, x, y, 18.0, 20.0)
            mark = coverage(size, lambda d: [stroke(d, p, 1.7) for p in paths])
            paint(img, ICON_TRAIL[min(k, len(ICON_TRAIL) - 1)], mark)
    return img


def ico_bytes(img):
    """A one-image .ico: 24-bit bottom-up DIB plus an all-clear AND mask."""
    w, h = img.size
    px = img.load()
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = px[x, y]
            row += bytes((b, g, r))
        row += b"\0" * (-len(row) % 4)
        xor += row
    and_row = (w + 31) // 32 * 4
    mask = b"\0" * (and_row * h)
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 24, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + mask
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 24, len(image), 6 + 16)
    return icondir + entry + image


# ----------------------------------------------------------------- main --

def render():
    """All files as {name: bytes}."""
    out = {}
    skin, faces = draw_skin()
    skin_bytes, skin_pixels = gif_bytes(skin, keep=[MAGENTA])
    for p in skin_pixels:
        if p == MAGENTA:
            continue
        if abs(p[0] - 255) + p[1] + abs(p[2] - 255) < 24:
            raise RuntimeError("device colour too close to the cut-away colour")
    out["skin.gif"] = skin_bytes
    shown = Image.new("RGB", SKIN_SIZE)
    shown.putdata(skin_pixels)
    for name, (pos, face, footprint) in sorted(faces.items()):
        # outside the key the face is the finished skin itself, palette and all
        fw, fh = face.size
        under = shown.crop((pos[0], pos[1], pos[0] + fw, pos[1] + fh))
        bare = footprint.point(lambda v: 255 if v == 0 else 0)
        inner = bare.crop((1, 1, fw - 1, fh - 1))
        if sum(bare.getdata()) - sum(inner.getdata()) != 255 * 2 * (fw + fh - 2):
            raise RuntimeError(name + ": key reaches the face border")
        face = face.copy()
        face.paste(under, (0, 0), bare)
        keep = [c for c, m in zip(face.getdata(), bare.getdata()) if m]
        out[name + ".gif"] = gif_bytes(face, keep)[0]
    out["panel.gif"] = gif_bytes(draw_panel())[0]
    out["veltrin.ico"] = ico_bytes(draw_icon())
    return out


def write_all(directory):
    os.makedirs(directory, exist_ok=True)
    for name, data in render().items():
        with open(os.path.join(directory, name), "wb") as f:
            f.write(data)


def check():
    with tempfile.TemporaryDirectory() as tmp:
        write_all(tmp)
        bad = []
        for name in FILES:
            committed = os.path.join(HERE, name)
            with open(os.path.join(tmp, name), "rb") as f:
                fresh = f.read()
            if not os.path.exists(committed):
                bad.append(name + " (missing)")
                continue
            with open(committed, "rb") as f:
                if f.read() != fresh:
                    bad.append(name)
    for name in bad:
        print("differs: " + name)
    if bad:
        print("artwork out of date: rerun assets/draw.py and commit the result")
        return 1
    print("artwork up to date (%d files)" % len(FILES))
    return 0


def main(argv=None):
    ap = argparse.ArgumentParser(description="Draws Veltrin's artwork.")
    ap.add_argument("--out", default=HERE, help="output folder (default: assets/)")
    ap.add_argument("--check", action="store_true",
                    help="redraw into a temporary folder and compare with assets/")
    args = ap.parse_args(argv)
    if args.check:
        return check()
    write_all(args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
