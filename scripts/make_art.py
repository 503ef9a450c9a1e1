#!/usr/bin/python3
"""Draw every picture the game uses.

Run from anywhere:   /usr/bin/python3 scripts/make_art.py

Writes
  assets/field.gif, assets/N.gif, assets/N2.gif  (N = 1..6)
      shipped sprites, read from the working directory at run time.
      N.gif faces right, N2.gif is the same vehicle facing left.
  assets/builtin/*.png
      pictures compiled into both programs as Qt resources.

Only Pillow is used. Everything is drawn from primitives; the few places that
scatter details (rocks, grass, clouds, sparks) use random.Random with a fixed
seed, so every run produces byte-identical files.
"""

import math
import random
from pathlib import Path

from PIL import Image, ImageDraw

ROOT = Path(__file__).resolve().parent.parent
ASSETS = ROOT / "assets"
BUILTIN = ASSETS / "builtin"

SS = 4  # supersampling factor for small sprites (drawn big, box-filtered down)

VEHICLE_W, VEHICLE_H = 73, 57


# ---------------------------------------------------------------------------
# colour helpers

def shade(c, f):
    """Scale an RGB(A) colour towards black (f < 1) or white (f > 1)."""
    r, g, b = c[:3]
    if f <= 1.0:
        out = (round(r * f), round(g * f), round(b * f))
    else:
        t = f - 1.0
        out = (round(r + (255 - r) * t), round(g + (255 - g) * t),
               round(b + (255 - b) * t))
    return out + (255,)


def rgba(c):
    return tuple(c[:3]) + ((c[3],) if len(c) > 3 else (255,))


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


# ---------------------------------------------------------------------------
# supersampled drawing surface
#
# Callers use final-pixel coordinates (floats allowed); the canvas scales them
# up, and an optional (ox, oy, k) transform lets one drawing routine be reused
# at another size or position (the application icons reuse a vehicle).

class Canvas:
    def __init__(self, w, h, ss=SS, bg=(0, 0, 0, 0)):
        self.w, self.h, self.ss = w, h, ss
        self.img = Image.new("RGBA", (w * ss, h * ss), rgba(bg))
        self.d = ImageDraw.Draw(self.img)
        self.ox, self.oy, self.k = 0.0, 0.0, 1.0

    def set_transform(self, ox=0.0, oy=0.0, k=1.0):
        self.ox, self.oy, self.k = ox, oy, k

    def _pt(self, x, y):
        return ((self.ox + x * self.k) * self.ss, (self.oy + y * self.k) * self.ss)

    def _pts(self, pts):
        return [self._pt(x, y) for x, y in pts]

    def _w(self, width):
        return max(1, round(width * self.k * self.ss))

    def poly(self, pts, fill, outline=None, width=1.0):
        p = self._pts(pts)
        self.d.polygon(p, fill=rgba(fill))
        if outline is not None:
            self.d.line(p + [p[0]], fill=rgba(outline), width=self._w(width),
                        joint="curve")

    def ellipse(self, cx, cy, rx, ry, fill, outline=None, width=1.0):
        x0, y0 = self._pt(cx - rx, cy - ry)
        x1, y1 = self._pt(cx + rx, cy + ry)
        self.d.ellipse([x0, y0, x1 - 1, y1 - 1],
                       fill=rgba(fill) if fill is not None else None,
                       outline=rgba(outline) if outline is not None else None,
                       width=self._w(width) if outline is not None else 0)

    def rect(self, x0, y0, x1, y1, fill, outline=None, width=1.0, radius=0.0):
        a = self._pt(x0, y0)
        b = self._pt(x1, y1)
        box = [a[0], a[1], b[0] - 1, b[1] - 1]
        kw = dict(fill=rgba(fill) if fill is not None else None)
        if outline is not None:
            kw.update(outline=rgba(outline), width=self._w(width))
        if radius > 0:
            self.d.rounded_rectangle(box, radius=radius * self.k * self.ss, **kw)
        else:
            self.d.rectangle(box, **kw)

    def line(self, pts, fill, width=1.0):
        self.d.line(self._pts(pts), fill=rgba(fill), width=self._w(width),
                    joint="curve")

    def arc(self, cx, cy, rx, ry, start, end, fill, width=1.0):
        x0, y0 = self._pt(cx - rx, cy - ry)
        x1, y1 = self._pt(cx + rx, cy + ry)
        self.d.arc([x0, y0, x1, y1], start, end, fill=rgba(fill),
                   width=self._w(width))

    def barrel(self, x, y, length, thick, angle_deg, fill, outline, width=1.0):
        """A rotated rectangle from (x, y) along angle (0 = right, + = up)."""
        a = math.radians(angle_deg)
        dx, dy = math.cos(a), -math.sin(a)
        nx, ny = -dy, dx
        h = thick / 2.0
        pts = [(x + nx * h, y + ny * h), (x + dx * length + nx * h, y + dy * length + ny * h),
               (x + dx * length - nx * h, y + dy * length - ny * h), (x - nx * h, y - ny * h)]
        self.poly(pts, fill, outline, width)
        return (x + dx * length, y + dy * length)

    def finish(self):
        """Box-filter down to the final size (resize premultiplies alpha)."""
        img = self.img.resize((self.w, self.h), Image.BOX)
        assert img.size == (self.w, self.h)
        return img


# ---------------------------------------------------------------------------
# tiny bitmap font for digits and the question mark (no system fonts, so the
# output does not depend on what is installed)

GLYPHS = {
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "?": [".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."],
}


def draw_glyph(img, ch, x, y, scale, fill, outline=None):
    """Draw a 5x7 glyph with its top-left at (x, y); 1px outline if given."""
    d = ImageDraw.Draw(img)
    rows = GLYPHS[ch]
    cells = [(cx, cy) for cy, row in enumerate(rows)
             for cx, c in enumerate(row) if c == "#"]
    if outline is not None:
        for cx, cy in cells:
            d.rectangle([x + cx * scale - 1, y + cy * scale - 1,
                         x + (cx + 1) * scale, y + (cy + 1) * scale], fill=rgba(outline))
    for cx, cy in cells:
        d.rectangle([x + cx * scale, y + cy * scale,
                     x + (cx + 1) * scale - 1, y + (cy + 1) * scale - 1], fill=rgba(fill))


def glyph_size(scale):
    return 5 * scale, 7 * scale


# ---------------------------------------------------------------------------
# GIF output: binary transparency on index 0, everything else quantised

def to_gif_palette(img, alpha_cut=128):
    """RGBA -> 'P' with index 0 transparent.

    Opaque pixels are quantised (median cut, no dithering) into at most 255
    colours which are stored at indices 1..255.
    """
    w, h = img.size
    alpha = img.getchannel("A").tobytes()
    rgb = img.convert("RGB")
    # Transparent pixels would otherwise pull palette entries towards black;
    # paint them a colour the sprite already uses (the first opaque pixel).
    opaque = [i for i, a in enumerate(alpha) if a >= alpha_cut]
    assert opaque, "sprite is empty"
    filler = rgb.getpixel((opaque[0] % w, opaque[0] // w))
    bg = Image.new("RGB", (w, h), filler)
    mask = Image.frombytes("L", (w, h), bytes(255 if a >= alpha_cut else 0 for a in alpha))
    bg.paste(rgb, (0, 0), mask)
    q = bg.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    pal = q.getpalette()[: 255 * 3]
    pal += [0] * (255 * 3 - len(pal))
    src = q.tobytes()
    out = bytes((src[i] + 1) if alpha[i] >= alpha_cut else 0 for i in range(w * h))
    p = Image.frombytes("P", (w, h), out)
    p.putpalette([255, 0, 255] + pal)
    p.info["transparency"] = 0
    return p


def save_gif(p, path, size):
    assert p.size == size, (path, p.size, size)
    kw = {"optimize": False}
    if "transparency" in p.info:
        kw["transparency"] = p.info["transparency"]
    p.save(path, "GIF", **kw)


def save_png(img, path, size):
    assert img.size == size, (path, img.size, size)
    img.save(path, "PNG", optimize=True)


# ---------------------------------------------------------------------------
# vehicles (all drawn facing right in a 73x57 box, resting on the bottom edge)

def tracks(c, x0, x1, y0, y1, body, wheel, n):
    """A track run: a pill of dark tread with n road wheels inside."""
    out = shade(body, 0.45)
    r = (y1 - y0) / 2.0
    c.rect(x0, y0, x1, y1, body, out, 1.0, radius=r)
    cy = (y0 + y1) / 2.0
    wr = r - 2.0
    span = (x1 - x0) - 2 * r
    for i in range(n):
        cx = x0 + r + span * i / max(1, n - 1)
        c.ellipse(cx, cy, wr, wr, wheel, shade(wheel, 0.45), 1.0)
        c.ellipse(cx, cy, wr * 0.35, wr * 0.35, shade(wheel, 0.6))
    # tread teeth along the top run
    x = x0 + r
    while x < x1 - r:
        c.line([(x, y0 + 0.5), (x + 1.2, y0 + 0.5)], shade(body, 1.35), 1.0)
        x += 4


def vehicle_1(c):
    """Small green tank with a long barrel."""
    g = (88, 146, 62)
    out = shade(g, 0.32)
    tracks(c, 6, 52, 44, 56, (52, 54, 48), (120, 124, 110), 5)
    c.barrel(34, 30.5, 37, 3.2, 4, shade(g, 0.8), out)
    c.rect(66, 27.5, 71.5, 32.5, shade(g, 0.7), out, 1.0)      # muzzle brake
    c.poly([(3, 45), (9, 37), (51, 37), (57, 45)], g, out)      # hull
    c.poly([(9, 38.5), (51, 38.5), (53, 41)], shade(g, 1.25))   # lit edge
    c.poly([(19, 37), (21, 29), (27, 25), (36, 25.5), (40, 31), (41, 37)],
           shade(g, 1.08), out)                                 # turret
    c.poly([(22, 29.5), (27, 26.5), (34, 26.8), (30, 29)], shade(g, 1.4))
    c.rect(25, 21.5, 31, 25.5, shade(g, 0.8), out, 1.0, radius=1)  # hatch
    c.ellipse(13, 41, 1.2, 1.2, shade(g, 0.55))
    c.ellipse(47, 41, 1.2, 1.2, shade(g, 0.55))


def vehicle_2(c):
    """Heavy grey-blue tank with a thick hull."""
    b = (98, 114, 142)
    out = shade(b, 0.3)
    tracks(c, 2, 64, 40, 56, (46, 48, 56), (124, 130, 142), 6)
    c.poly([(3, 42), (2, 30), (8, 25), (62, 25), (68, 33), (68, 42)], b, out)  # hull
    c.rect(4, 34, 66, 41, shade(b, 0.8), out, 1.0)                             # side skirt
    for x in range(9, 64, 9):
        c.ellipse(x, 37.5, 1.1, 1.1, shade(b, 1.35))                          # rivets
    c.poly([(6, 27), (61, 27), (64, 30), (4, 30)], shade(b, 1.25))            # lit deck
    c.barrel(50, 18.5, 20, 6, 0, shade(b, 0.85), out)
    c.rect(63, 14.5, 71.5, 22.5, shade(b, 0.7), out, 1.0, radius=1)           # muzzle
    c.poly([(15, 25), (19, 12), (26, 9), (46, 9), (53, 14), (55, 25)], b, out)  # turret
    c.poly([(20, 13), (26, 10.5), (45, 10.5), (47, 13)], shade(b, 1.35))
    c.rect(28, 5, 36, 9.5, shade(b, 0.75), out, 1.0, radius=1)                # cupola
    c.line([(22, 21), (50, 21)], shade(b, 0.6), 1.0)


def vehicle_3(c):
    """Red armoured car on three big wheels."""
    r = (184, 44, 38)
    out = shade(r, 0.3)
    c.barrel(42, 18, 24, 2.2, 0, (60, 60, 64), (20, 20, 24))                  # gun
    c.poly([(34, 24), (36, 15), (42, 13), (48, 14), (50, 24)], shade(r, 0.85), out)  # turret
    c.poly([(3, 45), (3, 31), (11, 23), (52, 23), (60, 31), (70, 34), (70, 44), (66, 46)],
           r, out)                                                             # body
    c.poly([(12, 25), (51, 25), (53, 27), (10, 27)], shade(r, 1.35))         # lit roof edge
    c.poly([(53, 26), (58, 31), (52, 31)], (50, 60, 80), out, 0.8)           # windscreen
    for x in (18, 28, 38):
        c.rect(x, 30, x + 6, 32.5, (40, 32, 32))                             # vision slits
    c.line([(4, 39), (69, 39)], shade(r, 0.65), 1.0)
    c.rect(64, 36, 70, 39, (250, 220, 120), out, 0.8)                        # headlight
    for x in (14, 36, 57):
        c.ellipse(x, 48.5, 7.5, 7.5, (34, 34, 36), (10, 10, 12), 1.0)
        c.ellipse(x, 48.5, 3.6, 3.6, (150, 150, 156), (60, 60, 64), 0.8)
        c.ellipse(x - 1, 47.5, 1.2, 1.2, (210, 210, 216))


def vehicle_4(c):
    """Brown mortar on tracks, short fat barrel raised."""
    br = (140, 96, 54)
    out = shade(br, 0.32)
    tracks(c, 4, 60, 44, 56, (58, 50, 42), (130, 118, 100), 5)
    c.poly([(2, 45), (6, 38), (60, 38), (64, 45)], br, out)                  # deck
    c.poly([(7, 39.5), (59, 39.5), (61, 42)], shade(br, 1.25))
    for x in (6, 14):                                                        # ammo crates
        c.rect(x, 30, x + 8, 38, (112, 120, 62), (40, 44, 20), 1.0)
        c.line([(x + 1, 34), (x + 7, 34)], (70, 76, 36), 0.8)
    # fat tube raised about 50 degrees, widening at the mouth
    end = c.barrel(36, 31, 21, 9, 50, shade(br, 0.9), out)
    a = math.radians(50)
    mx, my = end
    nx, ny = math.sin(a), math.cos(a)
    c.poly([(mx + nx * 6, my + ny * 6), (mx - nx * 6, my - ny * 6),
            (mx - nx * 6 + math.cos(a) * 3, my - ny * 6 - math.sin(a) * 3),
            (mx + nx * 6 + math.cos(a) * 3, my + ny * 6 - math.sin(a) * 3)],
           shade(br, 0.75), out)
    c.barrel(33, 28, 18, 2.5, 50, shade(br, 1.35), shade(br, 1.35), 0.1)  # highlight
    c.poly([(24, 38), (28, 27), (44, 27), (48, 38)], shade(br, 1.05), out)  # mount
    c.ellipse(36, 31, 4, 4, shade(br, 0.7), out, 1.0)                       # trunnion
    c.ellipse(36, 31, 1.4, 1.4, shade(br, 1.4))


def vehicle_5(c):
    """Small yellow ant-like buggy: three body segments on little wheels."""
    y = (236, 198, 42)
    out = (70, 52, 10)
    leg = (60, 50, 30)
    # legs first so the body sits over them
    for (hx, hy), (wx, wy) in (((34, 40), (20, 51)), ((38, 41), (38, 51)),
                               ((42, 40), (56, 51))):
        kx = (hx + wx) / 2.0
        c.line([(hx, hy), (kx, hy - 4), (wx, wy)], leg, 1.6)
    for wx in (20, 38, 56):
        c.ellipse(wx, 51.5, 4.5, 4.5, (40, 40, 40), (10, 10, 10), 0.8)
        c.ellipse(wx, 51.5, 1.6, 1.6, (170, 170, 170))
    # antennae
    c.line([(56, 28), (59, 20), (66, 15)], out, 1.2)
    c.line([(53, 28), (53, 19), (58, 13)], out, 1.2)
    c.ellipse(66, 15, 1.6, 1.6, (230, 60, 40))
    c.ellipse(58, 13, 1.6, 1.6, (230, 60, 40))
    # little gun as the mandibles
    c.barrel(58, 37, 13, 2.2, 0, (70, 70, 74), (20, 20, 22))
    c.ellipse(18, 36, 13, 9.5, y, out, 1.0)                                 # abdomen
    c.arc(18, 36, 10, 7, 200, 250, shade(y, 1.5), 1.6)
    for x in (13, 19, 25):
        c.arc(x + 6, 36, 5, 8.5, 110, 250, shade(y, 0.75), 0.8)             # stripes
    c.ellipse(38, 38, 8, 6, shade(y, 0.92), out, 1.0)                      # thorax
    c.ellipse(53, 33, 8, 7, y, out, 1.0)                                    # head
    c.ellipse(56, 31, 2.4, 2.4, (20, 20, 20))                               # eye
    c.ellipse(56.8, 30.3, 0.8, 0.8, (255, 255, 255))
    c.arc(51, 31, 5, 4.5, 200, 260, shade(y, 1.5), 1.2)


def vehicle_6(c):
    """Dark purple machine with twin barrels."""
    p = (88, 44, 118)
    out = (26, 10, 38)
    glow = (120, 240, 255)
    tracks(c, 4, 62, 44, 56, (36, 30, 44), (90, 80, 104), 5)
    c.barrel(46, 18.5, 26, 3, 0, (64, 54, 80), out)                         # upper barrel
    c.barrel(46, 24.5, 26, 3, 0, (64, 54, 80), out)                         # lower barrel
    c.rect(68, 16, 72, 27, (48, 40, 60), out, 0.8)                          # shared muzzle block
    c.poly([(2, 45), (4, 36), (14, 29), (56, 29), (66, 37), (64, 45)], p, out)  # hull
    c.poly([(15, 30.5), (55, 30.5), (58, 33), (12, 33)], shade(p, 1.35))
    c.poly([(1, 31), (9, 28), (12, 30), (4, 34)], shade(p, 0.7), out, 0.8)  # rear fin
    c.poly([(18, 29), (22, 17), (30, 13), (46, 13), (52, 20), (54, 29)], shade(p, 0.8), out)  # turret
    c.poly([(24, 17), (30, 14.5), (44, 14.5), (46, 17)], shade(p, 1.3))
    c.poly([(36, 20), (50, 20), (51.5, 23), (37, 23)], glow, out, 0.6)       # visor
    for x in (16, 28, 40, 52):
        c.ellipse(x, 40, 1.4, 1.4, glow)                                     # running lights
    c.line([(6, 40), (62, 40)], shade(p, 0.6), 0.8)


VEHICLES = [vehicle_1, vehicle_2, vehicle_3, vehicle_4, vehicle_5, vehicle_6]


def render_vehicle(fn):
    c = Canvas(VEHICLE_W, VEHICLE_H)
    fn(c)
    return c.finish()


def make_vehicles():
    for n, fn in enumerate(VEHICLES, start=1):
        right = to_gif_palette(render_vehicle(fn))
        left = right.transpose(Image.Transpose.FLIP_LEFT_RIGHT)
        left.info["transparency"] = 0
        save_gif(right, ASSETS / f"{n}.gif", (VEHICLE_W, VEHICLE_H))
        save_gif(left, ASSETS / f"{n}2.gif", (VEHICLE_W, VEHICLE_H))


# ---------------------------------------------------------------------------
# the battlefield backdrop (field.gif)

def ridge(w, base, waves, phase=0.0):
    """Height profile: base plus a sum of (amplitude, wavelength, offset) sines."""
    return [base + sum(a * math.sin(2 * math.pi * x / l + o + phase) for a, l, o in waves)
            for x in range(w + 1)]


def boulder(rng, cx, cy, rw, rh):
    """Outline of a faceted rock: a jittered ellipse with a flattened base."""
    pts = []
    n = rng.randint(7, 10)
    for i in range(n):
        a = 2 * math.pi * i / n + rng.uniform(-0.15, 0.15)
        r = rng.uniform(0.8, 1.05)
        x = cx + math.cos(a) * rw * r
        y = cy - math.sin(a) * rh * r
        pts.append((x, min(y, cy + rh * 0.45)))
    return pts


def make_field():
    W, H, K = 1024, 768, 2
    rng = random.Random(1907)
    img = Image.new("RGB", (W * K, H * K))
    d = ImageDraw.Draw(img)
    pure = []  # every flat colour drawn; these go into the palette exactly

    def col(c):
        c = tuple(c)
        if c not in pure:
            pure.append(c)
        return c

    def under(ys, off=0.0):
        return [(x * K, (y + off) * K) for x, y in enumerate(ys)]

    def fill_below(ys, c, off=0.0):
        d.polygon(under(ys, off) + [(W * K, H * K), (0, H * K)], fill=col(c))

    # sky: deep blue at the top fading to a hazy horizon, in 64 bands
    top, horizon = (38, 78, 158), (196, 218, 236)
    bands, sky_h = 64, 540
    for i in range(bands):
        t = (i / (bands - 1)) ** 1.15
        y0 = round(sky_h * i / bands) * K
        y1 = (H if i == bands - 1 else round(sky_h * (i + 1) / bands)) * K
        d.rectangle([0, y0, W * K, y1], fill=col(mix(top, horizon, t)))

    # clouds: clusters of overlapping puffs with a shaded underside
    for cx, cy, n in ((140, 110, 7), (470, 70, 9), (800, 140, 6), (640, 230, 5), (300, 260, 4)):
        puffs = [(cx + rng.uniform(-60, 60), cy + rng.uniform(-12, 10), rng.uniform(16, 32))
                 for _ in range(n)]
        for px, py, r in puffs:
            d.ellipse([(px - r) * K, (py - r * 0.7 + 6) * K, (px + r) * K, (py + r * 0.7 + 6) * K],
                      fill=col((206, 214, 230)))
        for px, py, r in puffs:
            d.ellipse([(px - r) * K, (py - r * 0.7) * K, (px + r) * K, (py + r * 0.7) * K],
                      fill=col((248, 250, 253)))

    # two ranges of distant hills, paler with distance
    far = ridge(W, 440, [(34, 410, 0.3), (18, 170, 1.9), (6, 61, 0.4)])
    fill_below(far, (150, 172, 196))
    mid = ridge(W, 500, [(30, 330, 2.2), (14, 140, 0.7), (5, 47, 2.9)])
    # bushes along the nearer range, drawn first so the hill hides their feet
    for _ in range(44):
        x = rng.uniform(0, W)
        y = mid[int(x)] + 3
        r = rng.uniform(4, 9)
        d.ellipse([(x - r) * K, (y - r * 1.5) * K, (x + r) * K, (y + r * 0.5) * K],
                  fill=col((86, 122, 104)))
    fill_below(mid, (108, 146, 128))

    # the near ground: rolling grass over layered soil
    ground = ridge(W, 592, [(36, 520, 1.1), (18, 230, 0.2), (7, 97, 2.4)])
    fill_below(ground, (128, 92, 56))
    for off, c in ((40, (114, 80, 48)), (92, (100, 70, 42)), (150, (86, 60, 36))):
        wob = ridge(W, 0, [(6, 180 + off, off * 0.1), (3, 53, off * 0.05)])
        fill_below([g + w for g, w in zip(ground, wob)], c, off)
    # pebbles in the soil
    for _ in range(260):
        x = rng.uniform(0, W)
        y = rng.uniform(ground[int(x)] + 18, H)
        r = rng.uniform(1.0, 2.6)
        c = rng.choice([(150, 118, 82), (78, 56, 34), (156, 150, 142)])
        d.ellipse([(x - r) * K, (y - r * 0.7) * K, (x + r) * K, (y + r * 0.7) * K], fill=col(c))

    # grass band following the surface, with a darker lower fringe
    top_edge = under(ground)
    d.polygon(top_edge + under(ground, 13)[::-1], fill=col((64, 118, 44)))
    d.polygon(top_edge + under(ground, 9)[::-1], fill=col((82, 150, 54)))
    d.line(under(ground, 1), fill=col((128, 192, 78)), width=K * 2)

    # rocks resting on the surface: dark rim, body, lit facet, shadowed base
    for _ in range(15):
        x = rng.uniform(20, W - 20)
        rw, rh = rng.uniform(7, 16), rng.uniform(6, 12)
        y = ground[int(x)] + rh * 0.15
        base = rng.choice([(132, 130, 126), (116, 112, 108), (146, 140, 130)])
        pts = boulder(rng, x, y, rw, rh)
        d.polygon([(px * K, py * K) for px, py in pts], fill=col(base))
        lit = [(x + (px - x) * 0.55 - rw * 0.2, y + (py - y) * 0.55 - rh * 0.3) for px, py in pts]
        d.polygon([(px * K, py * K) for px, py in lit], fill=col(mix(base, (255, 255, 255), 0.3)))
        d.polygon([(x - rw * 0.8) * K, (y + rh * 0.2) * K, (x + rw) * K, (y - rh * 0.1) * K,
                   (x + rw) * K, (y + rh * 0.45) * K, (x - rw * 0.8) * K, (y + rh * 0.45) * K],
                  fill=col(mix(base, (0, 0, 0), 0.25)))
        d.line([(px * K, py * K) for px, py in pts + pts[:1]], fill=col(mix(base, (0, 0, 0), 0.55)),
               width=K, joint="curve")

    # grass tufts: fans of short blades
    for _ in range(170):
        x = rng.uniform(0, W)
        y = ground[int(x)] + 2
        c = col(rng.choice([(70, 132, 46), (98, 168, 60), (120, 186, 72)]))
        for _ in range(rng.randint(3, 5)):
            ang = math.radians(rng.uniform(-35, 35))
            ln = rng.uniform(4, 9)
            d.line([(x * K, y * K), ((x + math.sin(ang) * ln) * K, (y - math.cos(ang) * ln) * K)],
                   fill=c, width=K)

    small = img.resize((W, H), Image.LANCZOS)
    # Palette: every flat colour exactly, the remaining slots from a median
    # cut of the antialiased picture (edges), then map without dithering.
    assert len(pure) < 200, len(pure)
    extra = small.quantize(colors=256 - len(pure), method=Image.Quantize.MEDIANCUT,
                           dither=Image.Dither.NONE).getpalette()[: (256 - len(pure)) * 3]
    flat = [v for c in pure for v in c] + extra
    flat += [0] * (768 - len(flat))
    pal_img = Image.new("P", (1, 1))
    pal_img.putpalette(flat)
    p = small.quantize(palette=pal_img, dither=Image.Dither.NONE)
    save_gif(p, ASSETS / "field.gif", (W, H))


# ---------------------------------------------------------------------------
# built-in pictures (PNG, compiled into the programs)

PLAYER_COLOURS = [(206, 62, 52), (52, 104, 206), (60, 160, 72), (226, 176, 40)]


def vertical_gradient(w, h, top, bottom):
    img = Image.new("RGBA", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        d.line([(0, y), (w, y)], fill=mix(top, bottom, y / max(1, h - 1)) + (255,))
    return img


def frame(img, colour):
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, img.width - 1, img.height - 1], outline=rgba(colour))


def roster_crate(w, h, player):
    """Setup-screen placeholder: a crate stencilled with the player's number."""
    pc = PLAYER_COLOURS[player - 1]
    img = vertical_gradient(w, h, shade(pc, 1.55), shade(pc, 0.8))
    c = Canvas(w, h)
    side = min(w, h) - 18
    x0 = (w - side) / 2.0
    y1 = h - 6
    y0 = y1 - side
    c.ellipse(w / 2.0, y1, side * 0.62, 3, (0, 0, 0, 70))                  # floor shadow
    wood = mix((178, 130, 74), pc, 0.3)
    dark = shade(wood, 0.45)
    c.rect(x0, y0, x0 + side, y1, wood, dark, 1.0)
    for i in range(1, 4):                                                  # planks
        yy = y0 + side * i / 4.0
        c.line([(x0 + 1, yy), (x0 + side - 1, yy)], shade(wood, 0.8), 0.8)
    c.rect(x0 + 0.5, y0 + 0.5, x0 + side - 0.5, y0 + 4, shade(wood, 1.3))   # lit top rail
    c.rect(x0, y0, x0 + 4, y1, shade(wood, 0.85), dark, 0.8)              # corner posts
    c.rect(x0 + side - 4, y0, x0 + side, y1, shade(wood, 0.85), dark, 0.8)
    c.line([(x0 + 4, y1 - 2), (x0 + side - 4, y0 + 2)], shade(wood, 0.7), 2.0)  # brace
    layer = c.finish()
    img.alpha_composite(layer)
    gw, gh = glyph_size(3)
    draw_glyph(img, str(player), round(x0 + (side - gw) / 2.0), round(y0 + (side - gh) / 2.0),
               3, (255, 255, 255), shade(pc, 0.35))
    frame(img, shade(pc, 0.4))
    return img.convert("RGB")


def silhouette(img, colour):
    solid = Image.new("RGBA", img.size, rgba(colour))
    solid.putalpha(img.getchannel("A"))
    return solid


def roster_wind(w, h, player):
    """Wind-edition placeholder: a grey unknown vehicle in a breeze, '?' in the
    player's colour and the player's number in the corner."""
    pc = PLAYER_COLOURS[player - 1]
    img = vertical_gradient(w, h, mix((70, 130, 200), pc, 0.3), mix((210, 230, 245), pc, 0.15))
    c = Canvas(w, h)
    ground_y = h - 6
    c.rect(0, ground_y, w, h, mix((90, 140, 70), pc, 0.15))
    c.line([(0, ground_y + 0.5), (w, ground_y + 0.5)], (140, 190, 100), 1.0)
    for yy, x0, x1 in ((0.2, 0.05, 0.7), (0.36, 0.3, 0.95), (0.5, 0.0, 0.55)):
        y = h * yy
        a, b = w * x0, w * x1
        c.line([(a, y), (b, y)], (255, 255, 255, 150), 1.2)
        c.arc(b, y - 2.5, 2.5, 2.5, 270, 180, (255, 255, 255, 150), 1.2)     # curl at the end
    img.alpha_composite(c.finish())
    k = min((w - 8) / VEHICLE_W, (h - 18) / VEHICLE_H)
    v = Canvas(w, h)
    v.set_transform((w - VEHICLE_W * k) / 2.0, ground_y - VEHICLE_H * k + 1, k)
    vehicle_1(v)
    img.alpha_composite(silhouette(v.finish(), (78, 82, 94)))
    gw, gh = glyph_size(3)
    draw_glyph(img, "?", (w - gw) // 2, max(3, round(ground_y - VEHICLE_H * k * 0.55 - gh)),
               3, shade(pc, 1.15), (255, 255, 255))
    draw_glyph(img, str(player), 3, 3, 1, (255, 255, 255), shade(pc, 0.35))
    frame(img, shade(pc, 0.4))
    return img.convert("RGB")


def star(cx, cy, rx, ry, inner, n, rot=0.0, jitter=None):
    pts = []
    for i in range(2 * n):
        a = rot + math.pi * i / n
        f = 1.0 if i % 2 == 0 else inner
        if jitter is not None:
            f *= jitter.uniform(0.85, 1.0) if i % 2 == 0 else jitter.uniform(0.9, 1.1)
        pts.append((cx + math.cos(a) * rx * f, cy + math.sin(a) * ry * f))
    return pts


def icon_attack():
    c = Canvas(15, 16)
    c.poly(star(7.5, 8, 7.2, 7.6, 0.45, 8, -math.pi / 2), (220, 44, 32), (96, 12, 8), 1.0)
    c.poly(star(7.5, 8, 3.6, 3.8, 0.5, 8, -math.pi / 2 + 0.2), (255, 214, 70))
    return c.finish()


def icon_energy():
    c = Canvas(15, 15)
    dark, g = (20, 80, 28), (60, 186, 72)
    for grow, colour in ((1.0, dark), (0.0, g)):
        c.ellipse(4.6, 5.4, 3.5 + grow, 3.5 + grow, colour)
        c.ellipse(10.4, 5.4, 3.5 + grow, 3.5 + grow, colour)
        c.poly([(1.3 - grow, 6.8), (13.7 + grow, 6.8), (7.5, 13.6 + grow * 1.2)], colour)
    c.ellipse(4.4, 4.6, 1.6, 1.2, (190, 245, 190))
    return c.finish()


def icon_speed():
    c = Canvas(15, 15)
    c.poly([(9.5, 0.5), (2.5, 8.2), (6.8, 8.2), (4.8, 14.5), (12.5, 5.8), (8.2, 5.8), (11, 0.5)],
           (70, 150, 245), (14, 40, 110), 1.0)
    c.line([(9.2, 2), (5, 6.8)], (190, 225, 255), 0.9)
    return c.finish()


def icon_move():
    c = Canvas(15, 16)
    cx, cy = 7.5, 8
    spoke = (112, 54, 8)
    c.ellipse(cx, cy, 7.3, 7.3, (78, 42, 14))                              # tyre
    c.ellipse(cx, cy, 4.9, 4.9, (252, 150, 36))                            # rim
    for i in range(5):
        a = 2 * math.pi * i / 5 - math.pi / 2
        c.line([(cx, cy), (cx + math.cos(a) * 4.6, cy + math.sin(a) * 4.6)], spoke, 1.1)
    c.ellipse(cx, cy, 1.7, 1.7, (255, 226, 160))
    c.arc(cx, cy, 6.2, 6.2, 200, 250, (150, 96, 50), 0.9)                  # tyre sheen
    return c.finish()


def shell_picture():
    c = Canvas(18, 19)
    c.ellipse(9, 9.5, 8, 8.5, (54, 56, 64), (14, 14, 18), 1.0)
    c.ellipse(7.8, 8.2, 5.2, 5.4, (84, 88, 100))
    c.ellipse(6.2, 6.2, 2.1, 1.7, (222, 226, 236))
    return c.finish()


def explosion_picture():
    rng = random.Random(65)
    w, h = 65, 60
    cx, cy = w / 2.0, h / 2.0
    c = Canvas(w, h)
    for rx, ry, colour, rot in ((30.5, 28, (196, 34, 18), 0.0),
                                (23, 21, (244, 112, 26), 0.12),
                                (15.5, 14, (255, 200, 48), 0.3),
                                (8.5, 7.8, (255, 244, 180), 0.5)):
        c.poly(star(cx, cy, rx, ry, 0.62, 13, rot, rng), colour)
    c.ellipse(cx, cy, 4, 3.6, (255, 255, 240))
    for _ in range(10):                                                    # sparks
        a = rng.uniform(0, 2 * math.pi)
        r = rng.uniform(0.55, 0.85)
        c.ellipse(cx + math.cos(a) * 29 * r, cy + math.sin(a) * 26 * r, 1.1, 1.1,
                  rng.choice([(255, 236, 120), (255, 170, 60)]))
    return c.finish()


def arrows():
    """One right-pointing arrow; the other three are exact rotations of it."""
    c = Canvas(16, 16)
    c.poly([(4.5, 2.5), (12, 8), (4.5, 13.5)], (44, 46, 56), (20, 20, 26), 0.8)
    c.line([(5.6, 4.5), (9.8, 7.6)], (110, 114, 128), 0.8)
    right = c.finish()
    return {
        "right": right,
        "up": right.transpose(Image.Transpose.ROTATE_90),
        "left": right.transpose(Image.Transpose.ROTATE_180),
        "down": right.transpose(Image.Transpose.ROTATE_270),
    }


def field_default():
    """Plain fallback battlefield: smooth sky and a flat band of ground."""
    W, H, ground = 1024, 768, 620
    img = Image.new("RGB", (W, H))
    d = ImageDraw.Draw(img)
    for y in range(ground):
        d.line([(0, y), (W, y)], fill=mix((92, 150, 214), (222, 236, 246), y / ground))
    d.rectangle([0, ground, W, ground + 5], fill=(104, 170, 70))
    d.rectangle([0, ground + 6, W, ground + 13], fill=(76, 136, 52))
    for y in range(ground + 14, H):
        d.line([(0, y), (W, y)], fill=mix((132, 98, 62), (88, 62, 40), (y - ground - 14) / (H - ground - 14)))
    return img


def app_icon(digit, top, bottom, badge):
    s = 64
    c = Canvas(s, s)
    for y in range(s * c.ss):                                              # sky
        c.d.line([(0, y), (s * c.ss, y)], fill=mix(top, bottom, y / (s * c.ss)) + (255,))
    c.rect(0, 48, s, s, (96, 150, 64))
    c.rect(0, 48, s, 50, (140, 196, 96))
    c.set_transform(3, 48 - VEHICLE_H * 0.78 + 2, 0.78)
    vehicle_1(c)
    c.set_transform()
    mask = Image.new("L", c.img.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([2 * c.ss, 2 * c.ss, 62 * c.ss - 1, 62 * c.ss - 1],
                                           radius=11 * c.ss, fill=255)
    c.img.putalpha(mask)
    c.rect(2, 2, 62, 62, None, (24, 30, 44), 1.2, radius=11)
    c.ellipse(49, 15, 10, 10, badge, (255, 255, 255), 1.5)
    img = c.finish()
    gw, gh = glyph_size(2)
    draw_glyph(img, digit, 49 - gw // 2, 15 - gh // 2, 2, (255, 255, 255))
    return img


def make_builtin():
    for n, size in enumerate(((50, 60), (60, 50), (60, 50), (60, 50)), start=1):
        save_png(roster_crate(*size, n), BUILTIN / f"roster_p{n}.png", size)
    for n, size in enumerate(((50, 63), (61, 50), (60, 50), (60, 50)), start=1):
        save_png(roster_wind(*size, n), BUILTIN / f"wind_roster_p{n}.png", size)
    save_png(icon_attack(), BUILTIN / "icon_attack.png", (15, 16))
    save_png(icon_energy(), BUILTIN / "icon_energy.png", (15, 15))
    save_png(icon_speed(), BUILTIN / "icon_speed.png", (15, 15))
    save_png(icon_move(), BUILTIN / "icon_move.png", (15, 16))
    save_png(shell_picture(), BUILTIN / "shell.png", (18, 19))
    save_png(explosion_picture(), BUILTIN / "explosion.png", (65, 60))
    for name, img in arrows().items():
        save_png(img, BUILTIN / f"arrow_{name}.png", (16, 16))
    save_png(field_default(), BUILTIN / "field_default.png", (1024, 768))
    save_png(app_icon("2", (40, 90, 180), (170, 210, 240), (200, 40, 40)),
             BUILTIN / "icon_kestrava2.png", (64, 64))
    save_png(app_icon("1", (200, 90, 50), (250, 200, 120), (40, 90, 180)),
             BUILTIN / "icon_kestrava1.png", (64, 64))


# ---------------------------------------------------------------------------

def main():
    ASSETS.mkdir(parents=True, exist_ok=True)
    BUILTIN.mkdir(parents=True, exist_ok=True)
    make_vehicles()
    make_field()
    make_builtin()


if __name__ == "__main__":
    main()
