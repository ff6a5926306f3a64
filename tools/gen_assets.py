#!/usr/bin/python3
"""Draws every picture and sound that Luno-Mat ships in assets/.

Run by hand from the repository root:

    python3 tools/gen_assets.py            # (re)writes assets/
    python3 tools/gen_assets.py --check    # verifies assets/ and that a fresh
                                           # run reproduces it byte for byte

Only Python's standard library and PIL are used.  Every random choice comes
from a generator with a fixed seed, so a second run writes identical files.
Pictures are rendered at a multiple of their final size and reduced with an
area filter, which is what gives them their smooth edges.
"""

import math
import os
import random
import struct
import sys
import wave

try:
    from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageMath
except ImportError:  # a private Python without PIL shadows Debian's one
    if os.path.exists("/usr/bin/python3") and sys.executable != "/usr/bin/python3":
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ASSETS = os.path.join(ROOT, "assets")

SYNODIC_MONTH = 29.53
PANEL_BLUE = (0, 0, 64)      # the panel the phase pictures sit on
BOX = Image.Resampling.BOX
BICUBIC = Image.Resampling.BICUBIC


# --------------------------------------------------------------------------
# small helpers
# --------------------------------------------------------------------------

def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3 - 2 * t)


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def value_noise(rng, size, cells, blur=0.0):
    """Smooth noise in [0,255]: a coarse random grid blown up bicubically."""
    cw, ch = cells if isinstance(cells, tuple) else (cells, cells)
    small = Image.frombytes("L", (cw, ch), rng.randbytes(cw * ch))
    img = small.resize(size, BICUBIC)
    if blur:
        img = img.filter(ImageFilter.GaussianBlur(blur))
    return img


def fractal_noise(rng, size, octaves):
    """Sum of value-noise octaves [(cells, weight)], normalised to F in [0,1]."""
    total = sum(w for _, w in octaves)
    acc = Image.new("F", size, 0.0)
    for cells, weight in octaves:
        layer = value_noise(rng, size, cells).convert("F")
        acc = ImageMath.eval("a + b * w", a=acc, b=layer, w=weight / total / 255.0)
    lo, hi = acc.getextrema()
    return ImageMath.eval("(a - lo) / (hi - lo)", a=acc, lo=lo, hi=hi)


def vgradient(size, top, bottom):
    w, h = size
    img = Image.new("RGB", size)
    px = img.load()
    for y in range(h):
        c = mix(top, bottom, y / max(1, h - 1))
        for x in range(w):
            px[x, y] = c
    return img


def to_f(img):
    return img.convert("F")


def f_to_l(img, scale=1.0):
    return ImageMath.eval("convert(a * s, 'L')", a=img, s=scale)


def palette_image(colours):
    pal = []
    for c in colours:
        pal.extend(c)
    last = list(colours[-1])
    while len(pal) < 768:
        pal.extend(last)
    img = Image.new("P", (1, 1))
    img.putpalette(pal[:768])
    return img


def adaptive_colours(img, count):
    q = img.quantize(colors=count, method=Image.Quantize.MEDIANCUT)
    pal = q.getpalette()
    used = sorted(set(q.getdata()))
    return [tuple(pal[3 * i:3 * i + 3]) for i in used]


def save_gif(img, path, keep=(), dither=True, palette=None, transparent=None):
    """Writes an RGB picture as a 256-colour GIF with an adaptive palette.

    `keep` lists colours that must survive exactly (a background that has to
    meet the panel behind it without a seam).  `transparent` is an L mask:
    where it is 0 the pixel becomes the transparent palette entry."""
    img = img.convert("RGB")
    slots = 256 - len(keep) - (1 if transparent is not None else 0)
    colours = palette if palette is not None else adaptive_colours(img, slots)
    colours = list(colours)[:slots] + list(keep)
    if transparent is not None:
        colours = colours + [(0, 0, 0)]
    pal = palette_image(colours)
    d = Image.Dither.FLOYDSTEINBERG if dither else Image.Dither.NONE
    out = img.quantize(palette=pal, dither=d)
    # quantize() hands back the whole 256-entry palette; keep only ours
    out.putpalette([v for c in colours for v in c])
    extra = {}
    if transparent is not None:
        tindex = len(colours) - 1
        hole = transparent.point(lambda v: 255 if v == 0 else 0)
        out.paste(tindex, (0, 0), hole)
        extra["transparency"] = tindex
    os.makedirs(os.path.dirname(path), exist_ok=True)
    out.save(path, format="GIF", optimize=False, **extra)


def save_png(img, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    img.save(path, format="PNG", optimize=True)


def disc_mask(size, cx, cy, r):
    m = Image.new("L", size, 0)
    ImageDraw.Draw(m).ellipse((cx - r, cy - r, cx + r, cy + r), fill=255)
    return m


def shape_layer(size, colour, mask):
    layer = Image.new("RGBA", size, colour + (0,))
    layer.putalpha(mask)
    return layer


def over(base, colour_or_img, mask):
    """Paints a flat colour (or a picture) onto an RGBA base through a mask."""
    if isinstance(colour_or_img, tuple):
        src = Image.new("RGBA", base.size, colour_or_img + (255,))
    else:
        src = colour_or_img.convert("RGBA")
    a = ImageChops.multiply(src.getchannel("A"), mask)
    src.putalpha(a)
    return Image.alpha_composite(base, src)


def star_polygon(cx, cy, r_out, r_in, points, rot=-math.pi / 2):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = rot + i * math.pi / points
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def crescent_mask(size, outer, inner):
    """outer/inner = (cx, cy, r): the outer disc minus the inner one."""
    m = disc_mask(size, *outer)
    hole = disc_mask(size, *inner)
    return ImageChops.subtract(m, hole)


# --------------------------------------------------------------------------
# moon phase pictures
# --------------------------------------------------------------------------

MOON_SIZE = 160
MOON_SS = 4
MOON_RADIUS = 72


def picture_ages():
    """Picture number -> the moon age (days) it stands for.

    A picture shows the middle of the whole-day age range it serves: waxing
    days 1..13 are pictures 16..28, day 14 is picture 01, the waning days
    15..28 are pictures 02..14 with picture 06 covering days 19 and 20.  The
    new-moon day straddles the end of the cycle, so its middle is the
    conjunction itself."""
    ages = {15: 0.0, 1: 14.5}
    for day in range(1, 14):
        ages[15 + day] = day + 0.5
    for pic in range(2, 15):
        if pic <= 5:
            ages[pic] = pic + 13 + 0.5
        elif pic == 6:
            ages[pic] = 20.0
        else:
            ages[pic] = pic + 14 + 0.5
    return ages


def lit_fraction(age):
    return (1 - math.cos(2 * math.pi * age / SYNODIC_MONTH)) / 2


# Dark plains of the near side as seen with north up: (x, y, rx, ry, depth)
# in units of the disc radius, y growing downwards.
MARIA = [
    (-0.30, -0.45, 0.26, 0.21, 1.00),   # the big round plain, upper left
    (-0.62, -0.24, 0.17, 0.24, 0.85),   # the wide western ocean ...
    (-0.68, 0.06, 0.19, 0.24, 0.85),
    (-0.54, 0.26, 0.17, 0.15, 0.75),
    (-0.40, -0.06, 0.15, 0.14, 0.70),
    (-0.30, 0.15, 0.12, 0.10, 0.65),
    (-0.15, 0.38, 0.15, 0.12, 0.75),
    (-0.50, 0.43, 0.08, 0.08, 0.90),
    (0.22, -0.40, 0.15, 0.14, 1.00),
    (0.38, -0.08, 0.18, 0.15, 0.95),
    (0.72, -0.30, 0.09, 0.11, 1.00),    # the isolated one near the east limb
    (0.58, 0.12, 0.11, 0.17, 0.85),
    (0.36, 0.32, 0.08, 0.08, 0.85),
    (0.05, -0.25, 0.08, 0.06, 0.75),
    (0.00, -0.05, 0.06, 0.05, 0.45),
    (0.00, -0.78, 0.42, 0.06, 0.65),    # the thin northern band
]

# Bright young craters: (x, y, radius, brightness, rays)
BRIGHT_CRATERS = [
    (-0.14, 0.70, 0.040, 1.0, 14),
    (-0.28, -0.16, 0.045, 0.8, 9),
    (-0.57, -0.12, 0.025, 0.7, 6),
    (-0.72, -0.36, 0.018, 1.0, 0),
    (0.55, 0.52, 0.022, 0.6, 0),
    (0.30, 0.55, 0.030, 0.5, 0),
]


class MoonRenderer:
    def __init__(self):
        s = MOON_SIZE * MOON_SS
        self.size = (s, s)
        self.c = s / 2
        self.r = MOON_RADIUS * MOON_SS
        rng = random.Random(1969)
        self._geometry()
        self._albedo(rng)
        self.terminator_noise = fractal_noise(rng, self.size, [(24, 1.0), (60, 0.6), (140, 0.3)])

    def _geometry(self):
        s = self.size[0]
        xs, zs = [], []
        for j in range(s):
            y = (j + 0.5 - self.c) / self.r
            for i in range(s):
                x = (i + 0.5 - self.c) / self.r
                q = 1.0 - x * x - y * y
                if q > 0:
                    xs.append(x)
                    zs.append(math.sqrt(q))
                else:
                    xs.append(0.0)
                    zs.append(0.0)
        self.X = Image.new("F", self.size)
        self.X.putdata(xs)
        self.Z = Image.new("F", self.size)
        self.Z.putdata(zs)
        self.disc = disc_mask(self.size, self.c, self.c, self.r)

    def _to_px(self, x, y):
        return self.c + x * self.r, self.c + y * self.r

    def _albedo(self, rng):
        size = self.size
        # soft dark plains, drawn coarse and blurred so their rims are vague
        lo = MOON_SIZE
        scale = lo / size[0]
        maria = Image.new("L", (lo, lo), 0)
        for (mx, my, rx, ry, depth) in MARIA:
            for _ in range(9):
                jx = mx + rng.uniform(-0.25, 0.25) * rx
                jy = my + rng.uniform(-0.25, 0.25) * ry
                sx = rx * rng.uniform(0.6, 0.95)
                sy = ry * rng.uniform(0.6, 0.95)
                blob = Image.new("L", (lo, lo), 0)
                cx, cy = self._to_px(jx, jy)
                ImageDraw.Draw(blob).ellipse(
                    ((cx - sx * self.r) * scale, (cy - sy * self.r) * scale,
                     (cx + sx * self.r) * scale, (cy + sy * self.r) * scale),
                    fill=int(255 * depth * rng.uniform(0.8, 1.0)))
                maria = ImageChops.lighter(maria, blob)
        maria = maria.filter(ImageFilter.GaussianBlur(3.2)).resize(size, BICUBIC)
        mottling = fractal_noise(rng, size, [(12, 1.0), (30, 0.8), (80, 0.5)])
        m = ImageMath.eval("a / 255.0 * (0.70 + 0.55 * n)", a=maria.convert("F"), n=mottling)
        m = ImageMath.eval("min(a, 1.0)", a=m)
        self.maria = m

        grain = fractal_noise(rng, size, [(40, 1.0), (110, 0.8), (260, 0.6), (640, 0.4)])
        albedo = ImageMath.eval("178.0 + (g - 0.5) * 40.0 - m * 92.0", g=grain, m=m)

        # craters: a bright rim lit from the upper left and a shaded floor
        bright = Image.new("L", size, 0)
        dark = Image.new("L", size, 0)
        db, dd = ImageDraw.Draw(bright), ImageDraw.Draw(dark)
        crater_rng = random.Random(7)
        placed = 0
        while placed < 46:
            x, y = crater_rng.uniform(-0.95, 0.95), crater_rng.uniform(-0.95, 0.95)
            if x * x + y * y > 0.85:
                continue
            # the southern highlands are far more cratered than the plains
            if y < 0.2 and crater_rng.random() < 0.6:
                continue
            rr = 0.012 + 0.05 * crater_rng.random() ** 3
            cx, cy = self._to_px(x, y)
            rp = rr * self.r
            w = max(2, int(rp * 0.35))
            dd.ellipse((cx - rp, cy - rp, cx + rp, cy + rp), fill=55)
            db.arc((cx - rp, cy - rp, cx + rp, cy + rp), 20, 250, fill=130, width=w)
            db.arc((cx - rp * 1.1, cy - rp * 1.1, cx + rp * 1.1, cy + rp * 1.1),
                   200, 380, fill=70, width=w)
            placed += 1
        rays = Image.new("L", size, 0)
        dr = ImageDraw.Draw(rays)
        for (x, y, rr, b, n_rays) in BRIGHT_CRATERS:
            cx, cy = self._to_px(x, y)
            rp = rr * self.r
            db.ellipse((cx - rp * 2.2, cy - rp * 2.2, cx + rp * 2.2, cy + rp * 2.2),
                       fill=int(120 * b))
            db.ellipse((cx - rp, cy - rp, cx + rp, cy + rp), fill=int(255 * b))
            dd.ellipse((cx - rp * 0.5, cy - rp * 0.5, cx + rp * 0.5, cy + rp * 0.5), fill=60)
            for k in range(n_rays):
                a = 2 * math.pi * k / n_rays + crater_rng.uniform(-0.2, 0.2)
                length = self.r * crater_rng.uniform(0.25, 0.85) * (1.0 if n_rays > 10 else 0.5)
                dr.line((cx, cy, cx + length * math.cos(a), cy + length * math.sin(a)),
                        fill=int(70 * b), width=max(3, int(rp * 0.5)))
        bright = bright.filter(ImageFilter.GaussianBlur(2.0))
        dark = dark.filter(ImageFilter.GaussianBlur(1.5))
        rays = rays.filter(ImageFilter.GaussianBlur(7.0))
        albedo = ImageMath.eval("a + b * 0.30 - d * 0.30 + r * 0.55",
                                a=albedo, b=to_f(bright), d=to_f(dark), r=to_f(rays))
        # limb darkening
        albedo = ImageMath.eval("a * (0.74 + 0.26 * (z ** 0.45))", a=albedo, z=self.Z)
        albedo = ImageMath.eval("max(min(a, 255.0), 0.0)", a=albedo)
        # a faint warm cast on the highlands, a cooler one in the plains
        self.albedo = [
            ImageMath.eval("a * (1.000 - m * 0.030)", a=albedo, m=m),
            ImageMath.eval("a * (0.985 - m * 0.015)", a=albedo, m=m),
            ImageMath.eval("a * (0.950 + m * 0.030)", a=albedo, m=m),
        ]

    def render(self, age):
        phi = 2 * math.pi * age / SYNODIC_MONTH
        sx, sz = math.sin(phi), -math.cos(phi)
        # cosine of the sun's incidence; the terminator is where it is 0,
        # an ellipse whose half-width is r*cos(phi).  The noise stands for
        # mountain tops that catch the light a little early.
        mu0 = ImageMath.eval("x * sx + z * sz + (n - 0.5) * 0.05 * (z ** 0.5)",
                             x=self.X, z=self.Z, sx=sx, sz=sz, n=self.terminator_noise)
        # Lommel-Seeliger scattering: flat at full moon, dim at low sun
        f = ImageMath.eval("max(m, 0.0)", m=mu0)
        f = ImageMath.eval("min(2.0 * f / (f + z + 0.02), 1.0) ** 0.55", f=f, z=self.Z)
        sun = (255 / 255.0, 252 / 255.0, 244 / 255.0)
        earth = (0.075, 0.085, 0.15)
        bands = []
        for a, s_b, e_b in zip(self.albedo, sun, earth):
            bands.append(f_to_l(ImageMath.eval("a * (f * s + (1.0 - f) * e)",
                                               a=a, f=f, s=s_b, e=e_b)))
        moon = Image.merge("RGB", bands)
        out = Image.new("RGB", self.size, PANEL_BLUE)
        out.paste(moon, (0, 0), self.disc)
        return out.resize((MOON_SIZE, MOON_SIZE), BOX)


def make_moons(out_dir):
    renderer = MoonRenderer()
    for pic, age in sorted(picture_ages().items()):
        img = renderer.render(age)
        save_gif(img, os.path.join(out_dir, "mondgif", "mond-%02d.gif" % pic),
                 keep=[PANEL_BLUE])


# --------------------------------------------------------------------------
# star sky frames, phase-name band
# --------------------------------------------------------------------------

SKY_SIZE = (240, 160)
SKY_FRAMES = 6

STAR_COLOURS = [
    ((255, 255, 255), 40), ((220, 230, 255), 25), ((200, 215, 255), 10),
    ((255, 236, 190), 10), ((255, 196, 120), 6), ((255, 150, 105), 4),
    ((150, 185, 255), 5),
]


def _weighted(rng, table):
    total = sum(w for _, w in table)
    v = rng.uniform(0, total)
    for item, w in table:
        v -= w
        if v <= 0:
            return item
    return table[-1][0]


class Canvas:
    """A float RGB buffer for adding up soft light sources."""

    def __init__(self, base):
        self.w, self.h = base.size
        data = list(base.getdata())
        self.ch = [[float(p[i]) for p in data] for i in range(3)]

    def add(self, x, y, colour, amount):
        xi, yi = int(x), int(y)
        if 0 <= xi < self.w and 0 <= yi < self.h and amount > 0:
            k = yi * self.w + xi
            for i in range(3):
                self.ch[i][k] += colour[i] * amount

    def star(self, x, y, colour, flux, sigma=0.55, glint=0.0, glint_len=0.0):
        reach = int(math.ceil(sigma * 3))
        for yy in range(int(y) - reach, int(y) + reach + 1):
            for xx in range(int(x) - reach, int(x) + reach + 1):
                d2 = (xx + 0.5 - x) ** 2 + (yy + 0.5 - y) ** 2
                self.add(xx, yy, colour, flux * math.exp(-d2 / (2 * sigma * sigma)))
        if glint > 0 and glint_len > 0:
            n = int(glint_len * 3) + 1
            for d in range(1, n + 1):
                a = glint * math.exp(-d / glint_len)
                for (dx, dy) in ((d, 0), (-d, 0), (0, d), (0, -d)):
                    self.add(x + dx, y + dy, colour, a)

    def image(self):
        px = [tuple(int(clamp(self.ch[i][k], 0, 255) + 0.5) for i in range(3))
              for k in range(self.w * self.h)]
        img = Image.new("RGB", (self.w, self.h))
        img.putdata(px)
        return img


def sky_background(rng):
    w, h = SKY_SIZE
    base = vgradient(SKY_SIZE, (0, 0, 40), (2, 4, 62))
    # very faint, shapeless haze so the sky is not a flat fill
    haze = fractal_noise(rng, SKY_SIZE, [(5, 1.0), (11, 0.6), (23, 0.3)])
    haze_l = f_to_l(haze, 255.0)
    tint = Image.merge("RGB", [haze_l.point(lambda v: v * 4 // 255),
                               haze_l.point(lambda v: v * 6 // 255),
                               haze_l.point(lambda v: v * 12 // 255)])
    return ImageChops.add(base, tint)


def make_star_sky(out_dir):
    rng = random.Random(4711)
    base = sky_background(rng)
    w, h = SKY_SIZE
    stars = []
    for _ in range(150):
        # mostly faint stars, a handful of bright ones
        mag = rng.random() ** 3.2
        stars.append({
            "x": rng.uniform(1, w - 1), "y": rng.uniform(1, h - 1),
            "colour": _weighted(rng, STAR_COLOURS),
            "flux": 0.2 + 1.1 * mag,
            "bright": mag > 0.45,
        })
    # a few of the brighter stars get a clear colour of their own
    brightest = sorted(stars, key=lambda s: -s["flux"])[:14]
    for s, colour in zip(rng.sample(brightest, 5), ((255, 190, 110), (255, 140, 95), (255, 232, 150),
                                                 (140, 175, 255), (255, 170, 90))):
        s["colour"] = colour
    frames = []
    for f in range(SKY_FRAMES):
        frng = random.Random(1000 + f)
        canvas = Canvas(base)
        for s in stars:
            twinkle = frng.uniform(0.55, 1.0) if s["bright"] else frng.uniform(0.8, 1.0)
            flux = s["flux"] * twinkle
            glint = glint_len = 0.0
            if s["bright"]:
                glint = 0.35 * flux * frng.uniform(0.2, 1.0)
                glint_len = frng.uniform(0.6, 2.2) * (0.6 + 0.6 * s["flux"] / 1.3)
            canvas.star(s["x"], s["y"], s["colour"], flux, glint=glint, glint_len=glint_len)
        frames.append(canvas.image())
    # one palette shared by all frames: the background then maps to the same
    # colours in every frame and only the stars change when frames alternate
    strip = Image.new("RGB", (w, h * SKY_FRAMES))
    for i, fr in enumerate(frames):
        strip.paste(fr, (0, i * h))
    # stars are few pixels among many sky pixels, so a median cut would fold
    # the coloured ones into grey: every star colour gets a ramp of its own
    base_strip = Image.new("RGB", strip.size)
    for i in range(SKY_FRAMES):
        base_strip.paste(base, (0, i * h))
    sky_mid = (1, 2, 50)
    star_colours = sorted(set(s["colour"] for s in stars))
    ramps = [tuple(int(clamp(b + c * t, 0, 255)) for b, c in zip(sky_mid, col))
             for col in star_colours for t in (0.12, 0.22, 0.34, 0.47, 0.6, 0.74, 0.88, 1.0)]
    colours = adaptive_colours(base_strip, 256 - len(ramps)) + ramps
    for i, fr in enumerate(frames):
        save_gif(fr, os.path.join(out_dir, "mondgif", "starsky-blue-%d.gif" % (i + 1)),
                 dither=False, palette=colours)


BAND_SIZE = (388, 47)


def make_band(out_dir):
    rng = random.Random(31)
    w, h = BAND_SIZE
    img = vgradient(BAND_SIZE, (26, 30, 58), (8, 10, 34))
    px = img.load()
    # a thin lighter edge on top and a darker one below frame the band
    for x in range(w):
        px[x, 0] = (54, 60, 92)
        px[x, 1] = mix(px[x, 1], (54, 60, 92), 0.35)
        px[x, h - 1] = (4, 5, 20)
    # darken the ends a little so the eye rests on the middle
    for x in range(w):
        t = abs(x - w / 2) / (w / 2)
        k = 1.0 - 0.25 * smoothstep(0.6, 1.0, t)
        for y in range(1, h - 1):
            px[x, y] = tuple(int(v * k) for v in px[x, y])
    canvas = Canvas(img)
    for _ in range(110):
        flux = 0.05 + 0.22 * rng.random() ** 3
        canvas.star(rng.uniform(0, w), rng.uniform(2, h - 2),
                    _weighted(rng, STAR_COLOURS[:4]), flux, sigma=0.5)
    save_gif(canvas.image(), os.path.join(out_dir, "mondgif", "band.gif"), dither=False)


# --------------------------------------------------------------------------
# logo and icons
# --------------------------------------------------------------------------

GOLD_LIGHT = (255, 232, 140)
GOLD_DARK = (226, 160, 40)


def gold_fill(size, top=GOLD_LIGHT, bottom=GOLD_DARK):
    return vgradient(size, top, bottom).convert("RGBA")


def letter_polygons(x0, y0, height, stroke):
    """Geometric capitals L and M; returns (polygons, right edge)."""
    polys = []
    h = height
    # L
    lw = h * 0.58
    polys.append([(x0, y0), (x0 + stroke, y0), (x0 + stroke, y0 + h - stroke),
                  (x0 + lw, y0 + h - stroke), (x0 + lw, y0 + h), (x0, y0 + h)])
    # M
    mx = x0 + lw + stroke * 0.9
    mw = h * 0.92
    mid = mx + mw / 2
    valley = y0 + h * 0.70
    polys.append([(mx, y0), (mx + stroke, y0), (mx + stroke, y0 + h), (mx, y0 + h)])
    polys.append([(mx + mw - stroke, y0), (mx + mw, y0), (mx + mw, y0 + h),
                  (mx + mw - stroke, y0 + h)])
    polys.append([(mx, y0), (mx + stroke * 1.15, y0), (mid + stroke * 0.5, valley - stroke * 0.2),
                  (mid + stroke * 0.5, valley + stroke * 0.9), (mid - stroke * 0.5, valley + stroke * 0.9)])
    polys.append([(mx + mw, y0), (mx + mw - stroke * 1.15, y0),
                  (mid - stroke * 0.5, valley - stroke * 0.2),
                  (mid - stroke * 0.5, valley + stroke * 0.9), (mid + stroke * 0.5, valley + stroke * 0.9)])
    return polys, mx + mw


def make_logo(out_dir):
    ss = 4
    W, H = 286, 225
    size = (W * ss, H * ss)
    rng = random.Random(286)
    bg = vgradient(size, (16, 24, 78), (2, 3, 26)).convert("RGBA")
    # a soft glow behind the moon
    glow = disc_mask(size, 94 * ss, 112 * ss, 90 * ss).filter(ImageFilter.GaussianBlur(40 * ss))
    bg = over(bg, (60, 80, 170), glow.point(lambda v: v * 90 // 255))
    # faint background stars
    d = ImageDraw.Draw(bg)
    for _ in range(45):
        x, y = rng.uniform(0, W), rng.uniform(0, H)
        r = rng.uniform(0.35, 0.9) * ss
        v = rng.randint(90, 200)
        d.ellipse((x * ss - r, y * ss - r, x * ss + r, y * ss + r), fill=(v, v, min(255, v + 30), 255))
    # frame
    d.rounded_rectangle((5 * ss, 5 * ss, (W - 5) * ss, (H - 5) * ss), radius=18 * ss,
                        outline=(120, 110, 70, 255), width=int(1.5 * ss))

    outer = (94 * ss, 112 * ss, 82 * ss)
    inner = (132 * ss, 100 * ss, 74 * ss)
    cres = crescent_mask(size, outer, inner)
    shadow = cres.filter(ImageFilter.GaussianBlur(6 * ss)).point(lambda v: v * 150 // 255)
    bg = over(bg, (0, 0, 0), ImageChops.offset(shadow, 3 * ss, 4 * ss))
    bg = over(bg, gold_fill(size), cres)
    # a light rim on the outer edge gives the crescent some volume
    rim = ImageChops.subtract(cres, crescent_mask(size, (outer[0] + 5 * ss, outer[1] - 4 * ss, outer[2] - 2 * ss), inner))
    bg = over(bg, (255, 250, 215), rim.filter(ImageFilter.GaussianBlur(2 * ss)))

    # the star, a four-pointed sparkle with a soft halo
    sx, sy = 204 * ss, 56 * ss
    halo = disc_mask(size, sx, sy, 20 * ss).filter(ImageFilter.GaussianBlur(9 * ss))
    bg = over(bg, (255, 250, 210), halo.point(lambda v: v * 170 // 255))
    star = Image.new("L", size, 0)
    sd = ImageDraw.Draw(star)
    sd.polygon(star_polygon(sx, sy, 26 * ss, 6 * ss, 4), fill=255)
    sd.polygon(star_polygon(sx, sy, 12 * ss, 4 * ss, 4, rot=-math.pi / 4), fill=255)
    bg = over(bg, (255, 252, 228), star)

    # the letters
    polys, right = letter_polygons(0, 0, 62 * ss, 15 * ss)
    ox = (W - 16) * ss - right
    oy = 130 * ss
    letters = Image.new("L", size, 0)
    ld = ImageDraw.Draw(letters)
    for p in polys:
        ld.polygon([(x + ox, y + oy) for x, y in p], fill=255)
    lshadow = letters.filter(ImageFilter.GaussianBlur(3 * ss)).point(lambda v: v * 190 // 255)
    bg = over(bg, (0, 0, 12), ImageChops.offset(lshadow, 2 * ss, 3 * ss))
    bg = over(bg, vgradient(size, (250, 250, 255), (176, 188, 226)), letters)

    img = bg.convert("RGB").resize((W, H), BOX)
    save_gif(img, os.path.join(out_dir, "logo.gif"))


def render_app_icon(n):
    ss = 8
    S = n * ss
    size = (S, S)
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    c = S / 2
    r = S * 0.48
    tile = disc_mask(size, c, c, r)
    grad = Image.new("RGBA", size)
    gp = grad.load()
    # radial gradient, lighter towards the upper left
    step = max(1, ss // 2)
    for y in range(0, S, step):
        for x in range(0, S, step):
            d = math.hypot(x - S * 0.38, y - S * 0.32) / (S * 0.8)
            col = mix((44, 84, 190), (4, 12, 64), clamp(d))
            for yy in range(y, min(S, y + step)):
                for xx in range(x, min(S, x + step)):
                    gp[xx, yy] = col + (255,)
    img = over(img, grad, tile)
    ring = ImageChops.subtract(tile, disc_mask(size, c, c, r - max(ss, S * 0.035)))
    img = over(img, (110, 150, 235), ring)

    outer = (S * 0.47, S * 0.52, S * 0.31)
    inner = (S * 0.60, S * 0.42, S * 0.27)
    cres = crescent_mask(size, outer, inner)
    img = over(img, gold_fill(size), cres)
    if n >= 22:
        sx, sy = S * 0.70, S * 0.33
        star = Image.new("L", size, 0)
        ImageDraw.Draw(star).polygon(star_polygon(sx, sy, S * 0.11, S * 0.03, 4), fill=255)
        img = over(img, (255, 250, 225), star)
    return img.resize((n, n), BOX)


ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def make_app_icons(out_dir):
    save_png(render_app_icon(32), os.path.join(out_dir, "lunomat.png"))
    for n in ICON_SIZES:
        save_png(render_app_icon(n),
                 os.path.join(out_dir, "icons", "hicolor", "%dx%d" % (n, n), "apps", "lunomat.png"))


# The same picture as vectors, for menus and docks at any size, and a
# one-colour outline of crescent and star for symbolic icon themes. Sizes
# are fractions of the square, as in render_app_icon.
ICON_OUTER = (0.47, 0.52, 0.31)   # crescent: this disc ...
ICON_INNER = (0.60, 0.42, 0.27)   # ... less this one
ICON_STAR = (0.70, 0.33, 0.11, 0.03)  # centre x, y, outer and inner radius


def crescent_path(outer, inner, scale):
    """SVG path of the outer disc less the inner one: along the outer circle
    from one crossing to the other outside the inner disc, back along the
    inner circle."""
    (ax, ay, ar), (bx, by, br) = [(x * scale, y * scale, r * scale) for x, y, r in (outer, inner)]
    d = math.hypot(bx - ax, by - ay)
    along = (d * d + ar * ar - br * br) / (2 * d)
    half = math.sqrt(ar * ar - along * along)
    ux, uy = (bx - ax) / d, (by - ay) / d
    mx, my = ax + along * ux, ay + along * uy
    p1 = (mx - half * uy, my + half * ux)
    p2 = (mx + half * uy, my - half * ux)
    # The outer arc keeps away from the inner centre, so it is the long one
    # whenever the crossing chord lies on the inner disc's side.
    outer_large = 1 if along > 0 else 0
    inner_large = 1 if along > d else 0
    f = lambda v: ("%.3f" % v).rstrip("0").rstrip(".")
    return ("M %s %s A %s %s 0 %d 1 %s %s A %s %s 0 %d 0 %s %s Z" %
            (f(p1[0]), f(p1[1]), f(ar), f(ar), outer_large, f(p2[0]), f(p2[1]),
             f(br), f(br), inner_large, f(p1[0]), f(p1[1])))


def star_path(scale):
    cx, cy, ro, ri = (v * scale for v in ICON_STAR)
    pts = star_polygon(cx, cy, ro, ri, 4)
    return "M " + " L ".join("%.3f %.3f" % p for p in pts) + " Z"


def hexcolour(rgb):
    return "#%02x%02x%02x" % rgb


def make_svg_icons(out_dir):
    S = 256
    c, r = S / 2, S * 0.48
    ring = max(8, S * 0.035)
    scalable = """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="{S}" height="{S}" viewBox="0 0 {S} {S}">
  <defs>
    <radialGradient id="sky" gradientUnits="userSpaceOnUse" cx="{gx}" cy="{gy}" r="{gr}">
      <stop offset="0" stop-color="{light}"/>
      <stop offset="1" stop-color="{dark}"/>
    </radialGradient>
    <linearGradient id="gold" gradientUnits="userSpaceOnUse" x1="0" y1="0" x2="0" y2="{S}">
      <stop offset="0" stop-color="{gold_light}"/>
      <stop offset="1" stop-color="{gold_dark}"/>
    </linearGradient>
  </defs>
  <circle cx="{c}" cy="{c}" r="{r}" fill="url(#sky)"/>
  <circle cx="{c}" cy="{c}" r="{ring_r}" fill="none" stroke="{ring_colour}" stroke-width="{ring}"/>
  <path d="{crescent}" fill="url(#gold)"/>
  <path d="{star}" fill="{star_colour}"/>
</svg>
""".format(S=S, c=c, r=r, gx=S * 0.38, gy=S * 0.32, gr=S * 0.8,
           light=hexcolour((44, 84, 190)), dark=hexcolour((4, 12, 64)),
           gold_light=hexcolour(GOLD_LIGHT), gold_dark=hexcolour(GOLD_DARK),
           ring_r="%.2f" % (r - ring / 2), ring="%.2f" % ring, ring_colour=hexcolour((110, 150, 235)),
           crescent=crescent_path(ICON_OUTER, ICON_INNER, S), star=star_path(S),
           star_colour=hexcolour((255, 250, 225)))
    # Symbolic icons are drawn on 16 x 16 in one colour, which the theme
    # replaces; the crescent fills more of the square there.
    symbolic = """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">
  <g fill="#2e3436">
    <path d="{crescent}"/>
    <path d="{star}"/>
  </g>
</svg>
""".format(crescent=crescent_path((0.44, 0.56, 0.42), (0.62, 0.40, 0.36), 16), star=star_path(16))
    for rel, text in (("icons/hicolor/scalable/apps/lunomat.svg", scalable),
                      ("icons/hicolor/symbolic/apps/lunomat-symbolic.svg", symbolic)):
        path = os.path.join(out_dir, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(text)


def half_disc_mask(size, cx, cy, r, right):
    m = disc_mask(size, cx, cy, r)
    cut = Image.new("L", size, 0)
    if right:
        ImageDraw.Draw(cut).rectangle((0, 0, cx - 1, size[1]), fill=255)
    else:
        ImageDraw.Draw(cut).rectangle((cx, 0, size[0], size[1]), fill=255)
    return ImageChops.subtract(m, cut)


def make_annual_icon(out_dir):
    ss = 8
    n = 32
    S = n * ss
    size = (S, S)
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    u = ss  # one final pixel
    # the sheet with a blue title strip and two binder rings
    d.rounded_rectangle((2 * u, 4 * u, 30 * u, 30 * u), radius=3 * u, fill=(40, 44, 70, 255))
    d.rounded_rectangle((3 * u, 5 * u, 29 * u, 29 * u), radius=2 * u, fill=(238, 238, 244, 255))
    d.rounded_rectangle((3 * u, 5 * u, 29 * u, 10 * u), radius=2 * u, fill=(36, 70, 170, 255))
    d.rectangle((3 * u, 8 * u, 29 * u, 10 * u), fill=(36, 70, 170, 255))
    for x in (9, 23):
        d.rounded_rectangle(((x - 1) * u, 2 * u, (x + 1) * u, 7 * u), radius=u,
                            fill=(150, 150, 160, 255), outline=(40, 44, 70, 255), width=u // 2)
    grid = (196, 200, 212, 255)
    d.line((16 * u, 10 * u, 16 * u, 29 * u), fill=grid, width=u // 2)
    d.line((3 * u, 19.5 * u, 29 * u, 19.5 * u), fill=grid, width=u // 2)
    # the four phases in the order of the year table's columns
    yellow, grey, edge = (250, 216, 0), (118, 122, 134), (60, 62, 80)
    # centres on pixel corners keep the light/dark split of a half moon sharp
    cells = [(9, 15, "full"), (23, 15, "last"), (9, 24, "new"), (23, 24, "first")]
    for cx, cy, kind in cells:
        cx, cy, r = cx * u, cy * u, 3.4 * u
        ro = r + u * 0.5
        d.ellipse((cx - ro, cy - ro, cx + ro, cy + ro), fill=edge + (255,))
        d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(grey if kind == "new" else yellow) + (255,))
        if kind in ("last", "first"):
            img = over(img, grey, half_disc_mask(size, cx, cy, r, right=(kind == "last")))
            d = ImageDraw.Draw(img)
    save_png(img.resize((n, n), BOX), os.path.join(out_dir, "mondphasen.png"))


# --------------------------------------------------------------------------
# moon symbols of the year table
# --------------------------------------------------------------------------

def shaded_disc(size, cx, cy, r, colour, dark_factor):
    """A disc lit softly from the upper left, as RGB."""
    w, h = size
    img = Image.new("RGB", size)
    px = img.load()
    for y in range(h):
        for x in range(w):
            dx, dy = (x + 0.5 - cx) / r, (y + 0.5 - cy) / r
            q = 1 - dx * dx - dy * dy
            z = math.sqrt(q) if q > 0 else 0.0
            lam = clamp(-0.45 * dx - 0.5 * dy + 0.74 * z)
            k = dark_factor + (1 - dark_factor) * lam
            gloss = math.exp(-((dx + 0.38) ** 2 + (dy + 0.42) ** 2) / 0.06) * 0.35
            px[x, y] = tuple(int(clamp(c * k + (255 - c * k) * gloss, 0, 255)) for c in colour)
    return img


def make_symbols(out_dir):
    ss = 4
    n = 48
    S = n * ss
    size = (S, S)
    c, r = S / 2, 22 * ss
    yellow = shaded_disc(size, c, c, r, (255, 255, 0), 0.80)
    grey = shaded_disc(size, c, c, r, (150, 150, 150), 0.62)
    full = disc_mask(size, c, c, r)
    symbols = [
        ("vollmond.gif", [(yellow, full)], PANEL_BLUE),
        ("neumond.gif", [(grey, full)], (0, 0, 0)),
        ("halbmond-abnehmend.gif", [(yellow, half_disc_mask(size, c, c, r, right=False)),
                                    (grey, half_disc_mask(size, c, c, r, right=True))], PANEL_BLUE),
        ("halbmond-zunehmend.gif", [(grey, half_disc_mask(size, c, c, r, right=False)),
                                    (yellow, half_disc_mask(size, c, c, r, right=True))], PANEL_BLUE),
    ]
    for name, parts, matte in symbols:
        # edge pixels are blended with the colour of the cell they sit on;
        # GIF has no partial transparency
        img = Image.new("RGB", size, matte)
        for src, mask in parts:
            img.paste(src, (0, 0), mask)
        small = img.resize((n, n), BOX)
        coverage = full.resize((n, n), BOX)
        opaque = coverage.point(lambda v: 255 if v >= 90 else 0)
        save_gif(small, os.path.join(out_dir, "symbols", name), transparent=opaque)


# --------------------------------------------------------------------------
# mouse cursor
# --------------------------------------------------------------------------

# '#' outline, '.' is outside; the inside is found by flood fill
HAND = [
    "........###.............",
    ".......#...#............",
    ".......#...#............",
    ".......#...#............",
    ".......#...#............",
    ".......#...#............",
    ".......#...#............",
    ".......#...####.........",
    ".......#...#...###......",
    ".......#...#...#..###...",
    ".......#...#...#..#..#..",
    "...###.#...#...#..#...#.",
    "..#...##...#...#..#...#.",
    "..#....#...#...#..#...#.",
    "..#....#..............#.",
    "..#...................#.",
    "...#..................#.",
    "...#..................#.",
    "....#.................#.",
    "....#................#..",
    ".....#...............#..",
    "......#.............#...",
    ".......#............#...",
    ".......##############...",
]
HOTSPOT = (9, 0)


def make_cursor(out_dir):
    h, w = len(HAND), len(HAND[0])
    outside = set()
    # the fingertip touches the top edge, so start from every border cell
    stack = [(x, y) for x in range(w) for y in (0, h - 1)]
    stack += [(x, y) for y in range(h) for x in (0, w - 1)]
    while stack:
        x, y = stack.pop()
        if (x, y) in outside or not (0 <= x < w and 0 <= y < h) or HAND[y][x] == "#":
            continue
        outside.add((x, y))
        stack.extend(((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)))
    img = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    ox, oy = 0, 0
    for y in range(h):
        for x in range(w):
            if HAND[y][x] == "#":
                img.putpixel((x + ox, y + oy), (0, 0, 0, 255))
            elif (x, y) not in outside:
                img.putpixel((x + ox, y + oy), (255, 255, 255, 255))
    save_png(img, os.path.join(out_dir, "cursor-hand.png"))
    with open(os.path.join(out_dir, "cursor-hand.txt"), "w") as f:
        f.write("%d %d\n" % (HOTSPOT[0] + ox, HOTSPOT[1] + oy))


# --------------------------------------------------------------------------
# toolbar pictures of the browser window
# --------------------------------------------------------------------------

TB = 24
TB_SS = 8


def _tb_canvas():
    return Image.new("RGBA", (TB * TB_SS, TB * TB_SS), (0, 0, 0, 0))


def _p(pts):
    return [(x * TB_SS, y * TB_SS) for x, y in pts]


def _outlined_polygon(img, pts, fill, outline, width=1.2):
    d = ImageDraw.Draw(img)
    pp = _p(pts)
    d.polygon(pp, fill=fill)
    d.line(pp + [pp[0], pp[1]], fill=outline, width=int(width * TB_SS), joint="curve")


def _finish_tb(img, name, out_dir):
    save_png(img.resize((TB, TB), BOX), os.path.join(out_dir, "toolbar", name))


def make_toolbar(out_dir):
    blue, blue_dark = (58, 128, 222, 255), (22, 58, 128, 255)
    # back / forward: a broad arrow
    arrow = [(2.5, 12), (11, 3.5), (11, 8.5), (21.5, 8.5), (21.5, 15.5), (11, 15.5), (11, 20.5)]
    img = _tb_canvas()
    _outlined_polygon(img, arrow, blue, blue_dark)
    _finish_tb(img, "zurueck.png", out_dir)
    img = _tb_canvas()
    _outlined_polygon(img, [(24 - x, y) for x, y in arrow], blue, blue_dark)
    _finish_tb(img, "vor.png", out_dir)

    # stop: a red octagon with a white cross
    img = _tb_canvas()
    octa = star_polygon(12, 12, 10.2, 10.2, 4, rot=math.pi / 8)
    _outlined_polygon(img, octa, (214, 44, 40, 255), (120, 16, 16, 255))
    d = ImageDraw.Draw(img)
    for (a, b) in (((7.8, 7.8), (16.2, 16.2)), ((16.2, 7.8), (7.8, 16.2))):
        d.line(_p([a, b]), fill=(255, 255, 255, 255), width=int(2.6 * TB_SS))
    _finish_tb(img, "stopp.png", out_dir)

    # home: a house with a red roof
    img = _tb_canvas()
    _outlined_polygon(img, [(15.5, 3.5), (18, 3.5), (18, 8), (15.5, 8)], (150, 70, 50, 255), (70, 34, 24, 255))
    _outlined_polygon(img, [(5, 11), (19, 11), (19, 21), (5, 21)], (246, 238, 214, 255), (70, 50, 40, 255))
    _outlined_polygon(img, [(12, 2.5), (22.5, 12), (1.5, 12)], (206, 58, 44, 255), (100, 24, 18, 255))
    _outlined_polygon(img, [(10, 14.5), (14, 14.5), (14, 21), (10, 21)], (150, 96, 52, 255), (70, 40, 20, 255), 1.0)
    _finish_tb(img, "start.png", out_dir)

    # refresh: two green arrows chasing each other round a circle
    img = _tb_canvas()
    d = ImageDraw.Draw(img)
    green, green_dark = (40, 160, 70, 255), (18, 96, 40, 255)
    c, r = 12 * TB_SS, 7.2 * TB_SS
    wd = int(3.0 * TB_SS)
    for start, end in ((200, 330), (20, 150)):
        d.arc((c - r - wd / 2, c - r - wd / 2, c + r + wd / 2, c + r + wd / 2), start, end,
              fill=green_dark, width=wd + int(1.2 * TB_SS))
        d.arc((c - r - wd / 2 + 0.6 * TB_SS, c - r - wd / 2 + 0.6 * TB_SS,
               c + r + wd / 2 - 0.6 * TB_SS, c + r + wd / 2 - 0.6 * TB_SS), start + 1, end - 1,
              fill=green, width=wd - int(0.0 * TB_SS))
        # arrow head at the clockwise end of the arc
        a = math.radians(end)
        tx, ty = 12 + 7.2 * math.cos(a), 12 + 7.2 * math.sin(a)
        nx, ny = math.cos(a), math.sin(a)          # outwards
        fx, fy = -math.sin(a), math.cos(a)         # clockwise direction
        head = [(tx + nx * 4.6, ty + ny * 4.6), (tx + fx * 5.0, ty + fy * 5.0),
                (tx - nx * 4.6, ty - ny * 4.6)]
        _outlined_polygon(img, head, green, green_dark, 1.0)
        d = ImageDraw.Draw(img)
    _finish_tb(img, "aktualisieren.png", out_dir)

    # exit: an open door with an arrow leaving through it
    img = _tb_canvas()
    _outlined_polygon(img, [(3, 2.5), (14, 2.5), (14, 21.5), (3, 21.5)], (236, 232, 222, 255), (60, 56, 50, 255))
    _outlined_polygon(img, [(3, 2.5), (9.5, 4.5), (9.5, 23), (3, 21.5)], (160, 102, 56, 255), (72, 42, 20, 255))
    d = ImageDraw.Draw(img)
    d.ellipse(_p([(7.2, 12.2), (8.6, 13.6)]), fill=(250, 210, 90, 255))
    _outlined_polygon(img, [(11.5, 10), (16.5, 10), (16.5, 6.5), (22.5, 12), (16.5, 17.5), (16.5, 14), (11.5, 14)],
                      (224, 52, 40, 255), (120, 20, 16, 255), 1.0)
    _finish_tb(img, "beenden.png", out_dir)


# --------------------------------------------------------------------------
# error tone
# --------------------------------------------------------------------------

RATE = 44100


def make_error_tone(out_dir):
    length = int(0.25 * RATE)
    buf = [0.0] * length
    # two soft bell-like notes a fifth apart, falling
    for f0, start, dur in ((880.0, 0.000, 0.135), (587.33, 0.095, 0.155)):
        s0, n = int(start * RATE), int(dur * RATE)
        for i in range(n):
            t = i / RATE
            attack = smoothstep(0.0, 0.008, t)
            decay = math.exp(-t / 0.07)
            release = 0.5 - 0.5 * math.cos(math.pi * min(1.0, (n - i) / (0.03 * RATE)))
            env = attack * decay * release
            v = (math.sin(2 * math.pi * f0 * t)
                 + 0.18 * math.sin(2 * math.pi * 2 * f0 * t)
                 + 0.05 * math.sin(2 * math.pi * 3 * f0 * t))
            if s0 + i < length:
                buf[s0 + i] += env * v
    peak = max(abs(v) for v in buf)
    gain = 0.5 / peak                      # -6 dBFS
    frames = b"".join(struct.pack("<h", int(round(v * gain * 32767))) for v in buf)
    path = os.path.join(out_dir, "error.neu")
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


# --------------------------------------------------------------------------

def generate(out_dir):
    make_moons(out_dir)
    make_star_sky(out_dir)
    make_band(out_dir)
    make_logo(out_dir)
    make_app_icons(out_dir)
    make_svg_icons(out_dir)
    make_annual_icon(out_dir)
    make_symbols(out_dir)
    make_cursor(out_dir)
    make_toolbar(out_dir)
    make_error_tone(out_dir)


def main(argv):
    if "--check" in argv[1:]:
        import check_assets
        return check_assets.run(ASSETS, generate)
    generate(ASSETS)
    print("assets written to", ASSETS)
    return 0


if __name__ == "__main__":
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    sys.exit(main(sys.argv))
