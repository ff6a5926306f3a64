#!/usr/bin/python3
"""Measures the sky computations against an independent ephemeris.

The reference is PyEphem (Debian package python3-ephem): libastro's own
lunar theory (Chapront's ELP 2000-85 as adapted by Moshier), VSOP87 for the
Sun, and its own ΔT table. Phase instants are compared both in UT (what the
user sees) and in dynamical time (the lunar theory alone, each side with its
own ΔT); positions at instants spread over the range.

Moonrise, transit and moonset at four places up to 65° of latitude (every
25th year), perigees and apogees, and the contacts of the lunar eclipses are
compared with PyEphem's own rise and transit search, its distance and the
same shadow rule on its places.

Usage: bench/sky_accuracy.py SKY_DUMP [FROM TO]   (SKY_DUMP: the sky_dump program)
"""
import math
import signal
import subprocess
import sys

import ephem

DUMP = sys.argv[1]
FROM, TO = (int(sys.argv[2]), int(sys.argv[3])) if len(sys.argv) > 3 else (1600, 2100)
RANGES = [(1583, 1899), (1900, 2025), (2026, 2100), (2101, 9999)]
UNIX_EPOCH_DJD = 2440587.5 - 2415020.0  # ephem counts days from 1899-12-31 12h
NEXT = {"new": ephem.next_new_moon, "first_quarter": ephem.next_first_quarter_moon,
        "full": ephem.next_full_moon, "last_quarter": ephem.next_last_quarter_moon}


def edate(unix):
    return ephem.Date(unix / 86400.0 + UNIX_EPOCH_DJD)


def year_of(unix):
    return edate(unix).tuple()[0]


def run(*args):
    out = subprocess.run([DUMP, *map(str, args)], check=True, capture_output=True, text=True).stdout
    return [line.split() for line in out.splitlines()]


def report(title, rows, unit):
    print(title)
    for lo, hi in RANGES:
        vals = [abs(v) for y, v in rows if lo <= y <= hi]
        if vals:
            print(f"  {lo}-{hi}: n={len(vals):6d}  max {max(vals):8.4f} {unit}  "
                  f"mean {sum(vals) / len(vals):7.4f} {unit}")


ut_err, tt_err = [], []
for phase, unix, dt in run("phases", FROM, TO):
    unix, dt = int(unix), float(dt)
    ref = NEXT[phase](edate(unix - 3 * 86400))
    ref_unix = (float(ref) - UNIX_EPOCH_DJD) * 86400.0
    y = year_of(unix)
    ut_err.append((y, unix - ref_unix))
    tt_err.append((y, (unix + dt) - (ref_unix + ephem.delta_t(ref))))
report("phase instants, UT (ours - reference):", ut_err, "s")
report("phase instants, dynamical time (lunar theory alone):", tt_err, "s")

lon, lat, dist, ill = [], [], [], []
for unix, l, b, r, k in run("moon", FROM, TO, 175):
    unix = int(unix)
    d = edate(unix)
    m, sun = ephem.Moon(d), ephem.Sun(d)
    # The apparent place (nutation and, for the Sun, aberration included):
    # ephem's Ecliptic() of a body would take its astrometric place.
    ecl = ephem.Ecliptic(ephem.Equatorial(m.g_ra, m.g_dec, epoch=d), epoch=d)
    # Illuminated fraction from the phase angle at the Moon, from ephem's
    # geocentric Sun and Moon.
    psi = float(ephem.separation((m.g_ra, m.g_dec), (sun.g_ra, sun.g_dec)))
    rs, rm = sun.earth_distance, m.earth_distance
    illuminated = (1.0 + math.cos(math.atan2(rs * math.sin(psi), rm - rs * math.cos(psi)))) / 2.0
    y = year_of(unix)
    lon.append((y, (float(l) - math.degrees(ecl.lon) + 180.0) % 360.0 - 180.0))
    lat.append((y, float(b) - math.degrees(ecl.lat)))
    dist.append((y, float(r) - m.earth_distance * ephem.meters_per_au / 1000.0))
    ill.append((y, float(k) - illuminated))
report("apparent longitude:", lon, "deg")
report("apparent latitude:", lat, "deg")
report("distance:", dist, "km")
report("illuminated fraction:", ill, "")

# Lunar eclipses: the same shadow geometry (Danjon's rule) on ephem's places.
# Greatest eclipse is sought near each full moon of ephem's; an eclipse on
# either side without a partner within an hour counts as missed.
EARTH_RADIUS_KM, SUN_RADIUS_KM, MOON_TO_EARTH = 6378.14, 696000.0, 0.2724880


def shadow(djd):
    d = ephem.Date(djd)
    m, s = ephem.Moon(d), ephem.Sun(d)
    anti = ephem.Equatorial(s.g_ra + math.pi, -s.g_dec, epoch=d)
    sep = float(ephem.separation((m.g_ra, m.g_dec), (anti.ra, anti.dec)))
    rm = m.earth_distance * ephem.meters_per_au / 1000.0
    rs = s.earth_distance * ephem.meters_per_au / 1000.0
    pm, ps = math.asin(EARTH_RADIUS_KM / rm), math.asin(EARTH_RADIUS_KM / rs)
    ss, sm = math.asin(SUN_RADIUS_KM / rs), math.asin(MOON_TO_EARTH * EARTH_RADIUS_KM / rm)
    return sep, (1.01 * pm + ps + ss + sm - sep) / (2 * sm), (1.01 * pm + ps - ss + sm - sep) / (2 * sm)


def greatest(djd):
    lo, hi = djd - 0.2, djd + 0.2
    for _ in range(40):  # golden-section search for the least separation
        a, b = hi - 0.618 * (hi - lo), lo + 0.618 * (hi - lo)
        if shadow(a)[0] < shadow(b)[0]:
            hi = b
        else:
            lo = a
    return (lo + hi) / 2


ours = [(int(u), kind, float(p), float(q)) for u, kind, p, q in run("eclipses", FROM, TO)]
refs = []
d = ephem.Date(f"{FROM}/1/1")
while True:
    d = ephem.next_full_moon(d + 1)
    if d.tuple()[0] > TO:
        break
    if shadow(float(d))[1] > -0.2:
        g = greatest(float(d))
        _, pen, umb = shadow(g)
        if pen > 0:
            refs.append(((g - UNIX_EPOCH_DJD) * 86400.0, pen, umb))
dt, dpen, dumb, kinds, missed = [], [], [], 0, 0
for unix, pen, umb in refs:
    near = [o for o in ours if abs(o[0] - unix) < 3600]
    if not near:
        missed += 1
        print("  missed:", edate(unix))
        continue
    o = near[0]
    y = year_of(unix)
    dt.append((y, (o[0] - unix) / 60.0))
    dpen.append((y, o[2] - pen))
    dumb.append((y, o[3] - umb))
    ref_kind = "total" if umb >= 1 else "partial" if umb > 0 else "penumbral"
    if ref_kind != o[1]:
        kinds += 1
        print(f"  kind differs: {edate(unix)} ours {o[1]} {o[2]:.4f}/{o[3]:.4f}, ref {pen:.4f}/{umb:.4f}")
extra = [o for o in ours if not any(abs(o[0] - r[0]) < 3600 for r in refs)]
for o in extra:
    print(f"  only ours: {edate(o[0])} {o[1]} {o[2]:.4f}")
print(f"lunar eclipses: {len(ours)} ours, {len(refs)} reference, {missed} missed, "
      f"{len(extra)} extra, {kinds} of another kind")
report("greatest eclipse:", dt, "min")
report("penumbral magnitude:", dpen, "")
report("umbral magnitude:", dumb, "")


# Eclipse contacts: where the same gap vanishes on ephem's places, sought
# within 15 minutes of ours.
def gaps(djd):
    _, pen, umb = shadow(djd)  # magnitudes in Moon diameters: the limb touches at 0 and 1
    return -pen, -umb, 1.0 - umb


def contact_ref(index, unix):
    lo, hi = unix / 86400.0 + UNIX_EPOCH_DJD - 0.0105, unix / 86400.0 + UNIX_EPOCH_DJD + 0.0105
    flo, fhi = gaps(lo)[index], gaps(hi)[index]
    if (flo < 0) == (fhi < 0):
        return None
    for _ in range(30):
        mid = (lo + hi) / 2
        if (gaps(mid)[index] < 0) == (flo < 0):
            lo = mid
        else:
            hi = mid
    return ((lo + hi) / 2 - UNIX_EPOCH_DJD) * 86400.0


contact_err, contact_missed = [], 0
for row in run("contacts", max(FROM, 1900), min(TO, 2100)):
    for name, index, value in zip(("p1", "u1", "u2", "u3", "u4", "p4"), (0, 1, 2, 2, 1, 0), row[1:]):
        if value == "-":
            continue
        ref = contact_ref(index, int(value))
        if ref is None:
            contact_missed += 1
            continue
        contact_err.append((year_of(int(value)), (int(value) - ref) / 60.0))
report(f"eclipse contacts ({contact_missed} without a reference within 15 min):", contact_err, "min")

apsis_time, apsis_km = [], []
for kind, unix, km in run("apsides", max(FROM, 1900), min(TO, 2100)):
    sign = 1 if kind == "perigee" else -1
    centre = int(unix) / 86400.0 + UNIX_EPOCH_DJD
    lo, hi = centre - 0.3, centre + 0.3
    dist = lambda djd: sign * ephem.Moon(ephem.Date(djd)).earth_distance * ephem.meters_per_au / 1000.0
    for _ in range(40):
        a, b = hi - 0.618 * (hi - lo), lo + 0.618 * (hi - lo)
        if dist(a) < dist(b):
            hi = b
        else:
            lo = a
    best = (lo + hi) / 2
    y = year_of(int(unix))
    apsis_time.append((y, (int(unix) - (best - UNIX_EPOCH_DJD) * 86400.0) / 60.0))
    apsis_km.append((y, float(km) - sign * dist(best)))
report("apsis instants:", apsis_time, "min")
report("apsis distances:", apsis_km, "km")

class TooLong(Exception):
    pass


def too_long(*_):
    raise TooLong()


# PyEphem's rise search does not return for some grazing paths: such a
# search is given up after two seconds and counted as without a reference.
signal.signal(signal.SIGALRM, too_long)
rise_err, rise_alt, rise_missed = [], [], 0
PLACES = [(52.52, 13.40), (-0.18, -78.47), (-33.87, 151.21), (64.15, -21.94)]
for year in range(max(FROM, 1900), min(TO, 2100) + 1, 25):
    for lat, lon in PLACES:
        obs = ephem.Observer()
        obs.lat, obs.lon, obs.elevation, obs.pressure, obs.horizon = str(lat), str(lon), 0, 0, "-0:34"
        find = {"rise": obs.next_rising, "set": obs.next_setting, "transit": obs.next_transit}
        for kind, unix, alt in run("rise", year, year, lat, lon):
            obs.date = edate(int(unix) - 1800)
            signal.alarm(2)
            try:
                ref = find[kind](ephem.Moon())
            except (ephem.AlwaysUpError, ephem.NeverUpError, TooLong):
                rise_missed += 1
                continue
            finally:
                signal.alarm(0)
            diff = int(unix) - (float(ref) - UNIX_EPOCH_DJD) * 86400.0
            if abs(diff) > 1800:
                rise_missed += 1  # a graze the reference does not see
                continue
            rise_err.append((year, diff))
            if kind == "transit":
                obs.date = ref
                rise_alt.append((year, float(alt) - math.degrees(ephem.Moon(obs).alt)))
report(f"rise, transit, set up to 65 deg ({rise_missed} without a reference event within 30 min):", rise_err, "s")
report("transit altitude:", rise_alt, "deg")
