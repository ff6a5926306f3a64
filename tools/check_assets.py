"""Checks the generated assets: presence, formats, sizes, the look of the
moon sequence and the error tone, and that a fresh run of the generator
reproduces every file byte for byte.  Used by `gen_assets.py --check`."""

import filecmp
import math
import os
import struct
import tempfile
import wave

from PIL import Image

import gen_assets as g

PANEL_BLUE = g.PANEL_BLUE


def expected_files():
    """relative path -> (format, size, mode or None)"""
    files = {}
    for i in range(1, 29):
        files["mondgif/mond-%02d.gif" % i] = ("GIF", (160, 160), None)
    for i in range(1, 7):
        files["mondgif/starsky-blue-%d.gif" % i] = ("GIF", (240, 160), None)
    files["mondgif/band.gif"] = ("GIF", (388, 47), None)
    files["logo.gif"] = ("GIF", (286, 225), None)
    files["lunomat.png"] = ("PNG", (32, 32), "RGBA")
    for n in g.ICON_SIZES:
        files["icons/hicolor/%dx%d/apps/lunomat.png" % (n, n)] = ("PNG", (n, n), "RGBA")
    files["icons/hicolor/scalable/apps/lunomat.svg"] = (None, None, None)
    files["icons/hicolor/symbolic/apps/lunomat-symbolic.svg"] = (None, None, None)
    files["mondphasen.png"] = ("PNG", (32, 32), "RGBA")
    for name in ("vollmond", "neumond", "halbmond-abnehmend", "halbmond-zunehmend"):
        files["symbols/%s.gif" % name] = ("GIF", (48, 48), None)
    files["cursor-hand.png"] = ("PNG", (32, 32), "RGBA")
    for name in ("beenden", "aktualisieren", "zurueck", "vor", "stopp", "start"):
        files["toolbar/%s.png" % name] = ("PNG", (24, 24), "RGBA")
    files["cursor-hand.txt"] = (None, None, None)
    files["error.neu"] = (None, None, None)
    return files


class Checker:
    def __init__(self, root):
        self.root = root
        self.failures = []

    def expect(self, ok, message):
        if not ok:
            self.failures.append(message)
        return ok

    def path(self, rel):
        return os.path.join(self.root, rel)

    # -- files ------------------------------------------------------------
    def files(self):
        want = expected_files()
        have = set()
        for dirpath, _, names in os.walk(self.root):
            for n in names:
                have.add(os.path.relpath(os.path.join(dirpath, n), self.root))
        for rel in sorted(set(want) - have):
            self.expect(False, "missing: " + rel)
        for rel in sorted(have - set(want)):
            self.expect(False, "unexpected file: " + rel)
        for rel, (fmt, size, mode) in sorted(want.items()):
            if fmt is None or rel not in have:
                continue
            try:
                with Image.open(self.path(rel)) as im:
                    im.load()
                    self.expect(im.format == fmt, "%s: format %s, want %s" % (rel, im.format, fmt))
                    self.expect(im.size == size, "%s: size %s, want %s" % (rel, im.size, size))
                    if mode:
                        self.expect(im.mode == mode, "%s: mode %s, want %s" % (rel, im.mode, mode))
                    if fmt == "GIF":
                        self.expect(im.mode == "P", "%s: not a palette picture" % rel)
            except Exception as e:  # any decoding error is a failed check
                self.expect(False, "%s: cannot be read (%s)" % (rel, e))
        total = sum(os.path.getsize(self.path(r)) for r in have)
        self.expect(total < 2 * 1024 * 1024, "assets take %d bytes" % total)

    # -- moon phases ------------------------------------------------------
    def moons(self):
        ages = g.picture_ages()
        c, r = 80, g.MOON_RADIUS
        means = {}
        for pic in range(1, 29):
            im = Image.open(self.path("mondgif/mond-%02d.gif" % pic)).convert("RGB")
            for corner in ((0, 0), (159, 0), (0, 159), (159, 159)):
                self.expect(im.getpixel(corner) == PANEL_BLUE,
                            "mond-%02d: background %s is not the panel blue" % (pic, im.getpixel(corner)))
            lum = im.convert("L")
            inside, lit, left, right = 0, 0, [], []
            for y in range(160):
                for x in range(160):
                    if (x + 0.5 - c) ** 2 + (y + 0.5 - c) ** 2 > (r - 1.5) ** 2:
                        continue
                    v = lum.getpixel((x, y))
                    inside += 1
                    lit += v > 45
                    (left if x < c else right).append(v)
            frac = lit / inside
            k = g.lit_fraction(ages[pic])
            self.expect(abs(frac - k) < 0.06,
                        "mond-%02d: lit part %.3f, the age %.1f has %.3f" % (pic, frac, ages[pic], k))
            mean_l, mean_r = sum(left) / len(left), sum(right) / len(right)
            means[pic] = (mean_l + mean_r) / 2
            waxing = ages[pic] < g.SYNODIC_MONTH / 2
            if 0.03 < k < 0.97:
                brighter_right = mean_r > mean_l
                self.expect(brighter_right == waxing,
                            "mond-%02d: lit on the wrong side (left %.0f, right %.0f)"
                            % (pic, mean_l, mean_r))
        order = [15] + list(range(16, 29)) + [1] + list(range(2, 15)) + [15]
        for a, b in zip(order, order[1:]):
            if b in range(16, 29) or b == 1:
                self.expect(means[b] > means[a], "mond-%02d is not brighter than mond-%02d" % (b, a))
            else:
                self.expect(means[b] < means[a], "mond-%02d is not darker than mond-%02d" % (b, a))
        # the new moon stays a faint disc that stands apart from the panel
        im = Image.open(self.path("mondgif/mond-15.gif")).convert("RGB")
        centre = im.getpixel((80, 80))
        self.expect(sum(abs(a - b) for a, b in zip(centre, PANEL_BLUE)) > 25 and max(centre) < 90,
                    "mond-15: new moon disc %s is not a faint disc" % (centre,))

    # -- sky, symbols, cursor ---------------------------------------------
    def sky(self):
        frames = [list(Image.open(self.path("mondgif/starsky-blue-%d.gif" % i)).convert("RGB").getdata())
                  for i in range(1, 7)]
        n = len(frames[0])
        for i in range(1, 6):
            self.expect(frames[i] != frames[i - 1], "star sky frames %d and %d are equal" % (i, i + 1))
        same = sum(1 for k in range(n) if all(f[k] == frames[0][k] for f in frames))
        self.expect(same > 0.8 * n, "star sky frames differ in their background (%d of %d equal)" % (same, n))
        sky = [p for k, p in enumerate(frames[0]) if all(f[k] == frames[0][k] for f in frames)]
        mean = [sum(p[i] for p in sky) / len(sky) for i in range(3)]
        self.expect(mean[0] < 12 and mean[1] < 12 and 36 <= mean[2] <= 66,
                    "star sky background averages %s, not dark blue" % ([round(v) for v in mean],))
        stars = [p for p in frames[0] if max(p) > 150]
        self.expect(len(stars) >= 40, "star sky has only %d bright pixels" % len(stars))
        self.expect(any(p[0] > p[2] + 30 for p in frames[0]), "star sky has no warm-coloured star")

    def symbols(self):
        def colour_kind(p):
            r, gr, b = p
            if r > 180 and gr > 180 and b < 100:
                return "yellow"
            if max(p) - min(p) < 20 and 60 < r < 200:
                return "grey"
            return "other %s" % (p,)

        want = {"vollmond": ("yellow", "yellow"), "neumond": ("grey", "grey"),
                "halbmond-abnehmend": ("yellow", "grey"), "halbmond-zunehmend": ("grey", "yellow")}
        for name, (lhs, rhs) in want.items():
            im = Image.open(self.path("symbols/%s.gif" % name))
            t = im.info.get("transparency")
            if not self.expect(t is not None, name + ": no transparent colour"):
                continue
            self.expect(im.getpixel((0, 0)) == t and im.getpixel((47, 47)) == t,
                        name + ": corners are not transparent")
            self.expect(im.getpixel((24, 24)) != t, name + ": centre is transparent")
            rgb = im.convert("RGB")
            got = (colour_kind(rgb.getpixel((14, 24))), colour_kind(rgb.getpixel((34, 24))))
            self.expect(got == (lhs, rhs), "%s: halves are %s, want %s" % (name, got, (lhs, rhs)))

    def cursor(self):
        try:
            with open(self.path("cursor-hand.txt")) as f:
                x, y = (int(v) for v in f.read().split())
        except (OSError, ValueError) as e:
            self.expect(False, "cursor-hand.txt: %s" % e)
            return
        im = Image.open(self.path("cursor-hand.png"))
        if not self.expect(0 <= x < 32 and 0 <= y < 32, "cursor hot spot %d %d outside" % (x, y)):
            return
        self.expect(im.getpixel((x, y))[3] == 255, "cursor hot spot is not on the hand")
        above = [im.getpixel((x, yy))[3] for yy in range(0, y)]
        self.expect(all(a == 0 for a in above), "cursor hot spot is not the fingertip")
        alphas = set(p[3] for p in im.getdata())
        self.expect(alphas <= {0, 255}, "cursor has half-transparent pixels")

    def tone(self):
        try:
            w = wave.open(self.path("error.neu"))
        except (OSError, wave.Error) as e:
            self.expect(False, "error.neu: %s" % e)
            return
        with w:
            ok = self.expect((w.getnchannels(), w.getsampwidth(), w.getframerate()) == (1, 2, 44100),
                             "error.neu: not 16-bit mono 44100 Hz")
            n = w.getnframes()
            data = w.readframes(n)
        if not ok:
            return
        s = struct.unpack("<%dh" % n, data)
        self.expect(0.2 <= n / 44100 <= 0.3, "error.neu lasts %.3f s" % (n / 44100))
        peak_db = 20 * math.log10(max(abs(v) for v in s) / 32768)
        self.expect(-7.0 < peak_db < -5.0, "error.neu peaks at %.1f dBFS" % peak_db)
        self.expect(abs(s[0]) < 200 and abs(s[-1]) < 200, "error.neu starts or ends with a click")
        jumps = max(abs(a - b) for a, b in zip(s, s[1:]))
        self.expect(jumps < 4000, "error.neu has a jump of %d between samples" % jumps)

    # -- reproducibility ----------------------------------------------------
    def reproducible(self, generate):
        with tempfile.TemporaryDirectory() as tmp:
            generate(tmp)
            for rel in sorted(expected_files()):
                fresh = os.path.join(tmp, rel)
                self.expect(os.path.exists(fresh) and os.path.exists(self.path(rel))
                            and filecmp.cmp(fresh, self.path(rel), shallow=False),
                            "a fresh run writes a different %s" % rel)


def run(root, generate):
    ch = Checker(root)
    ch.files()
    if not ch.failures:
        ch.moons()
        ch.sky()
        ch.symbols()
        ch.cursor()
        ch.tone()
        ch.reproducible(generate)
    for f in ch.failures:
        print("FAIL:", f)
    print("%d files checked, %d problems" % (len(expected_files()), len(ch.failures)))
    return 1 if ch.failures else 0
