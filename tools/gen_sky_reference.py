#!/usr/bin/python3
"""Writes tests/core/sky_reference.csv: moonrise, transit and moonset at a
few places, perigees and apogees, and the contacts of lunar eclipses, all
from PyEphem (Debian package python3-ephem: libastro's own lunar theory,
Moshier's adaptation of ELP 2000-85, VSOP87 for the Sun and its own ΔT),
which shares no code or series with Luno-Mat.

- Rise and set: the upper limb on the horizon with 34' of refraction
  (pressure 0, horizon -0:34), topocentric at sea level; the transit with the
  topocentric altitude of the Moon's centre without refraction.
- Apsides: the least and greatest geocentric distance, by golden-section
  search on PyEphem's distance.
- Principal phases: PyEphem's own instants (next_new_moon and its
  siblings), one a year every 39 years from 1583 to 2949, the phase cycling,
  with PyEphem's ΔT at that instant, so that a difference can be told apart
  into the lunar theory's and the two ΔT models'.
- Eclipse contacts: the geocentric Moon against the Earth's shadow under
  Danjon's rule (the Earth's radius enlarged by 1 % for the umbra and the
  penumbra alike), contacts to the second by bisection.

Usage: tools/gen_sky_reference.py > tests/core/sky_reference.csv
"""
import math

import ephem

PLACES = [  # latitude, longitude (north and east positive)
    (52.52, 13.40),    # Berlin
    (-0.18, -78.47),   # Quito
    (-33.87, 151.21),  # Sydney
    (64.15, -21.94),   # Reykjavík
    (69.65, 18.96),    # Tromsø: polar day and night
    (78.22, 15.65),    # Longyearbyen
]
RISE_PERIODS = [("1900/3/1", 8), ("1950/6/10", 8), ("2024/1/20", 8), ("2100/9/1", 8)]
APSIS_YEARS = [1900, 2000, 2024, 2100]
ECLIPSE_YEARS = (1900, 1905), (2014, 2025)
PHASE_YEARS = list(range(1583, 2949, 39)) + [2949]
PHASES = [("new", ephem.next_new_moon), ("first", ephem.next_first_quarter_moon),
          ("full", ephem.next_full_moon), ("last", ephem.next_last_quarter_moon)]
EARTH_RADIUS_KM, SUN_RADIUS_KM, MOON_TO_EARTH = 6378.14, 696000.0, 0.2724880
KM_PER_AU = ephem.meters_per_au / 1000.0


def stamp(d):
    y, mo, da, h, mi, s = ephem.Date(round(float(d) * 86400.0) / 86400.0 + 1e-9).tuple()
    return f"{y:04d}-{mo:02d}-{da:02d} {h:02d}:{mi:02d}:{int(s):02d}"


def seen(obs, djd):
    """Upper limb above the horizon with 34' of refraction, the hour angle
    (west of the meridian, -pi..pi) and the centre's altitude, topocentric."""
    obs.date = ephem.Date(djd)
    moon = ephem.Moon(obs)
    hour_angle = (float(obs.sidereal_time()) - float(moon.ra) + math.pi) % (2 * math.pi) - math.pi
    return float(moon.alt) + float(moon.radius) + math.radians(34 / 60), hour_angle, math.degrees(moon.alt)


def root(f, a, b):
    """The instant in [a, b] where f changes its sign, to a tenth of a second."""
    negative_at_a = f(a) < 0
    while b - a > 0.1 / 86400:
        m = (a + b) / 2
        if (f(m) < 0) == negative_at_a:
            a = m
        else:
            b = m
    return (a + b) / 2


def rise_rows():
    # PyEphem's own next_rising() does not return for some polar dates, so
    # the crossings are found here, on its topocentric places, every five
    # minutes and then by bisection.
    step = 5 / 1440
    for lat, lon in PLACES:
        for start, days in RISE_PERIODS:
            obs = ephem.Observer()
            obs.lat, obs.lon, obs.elevation, obs.pressure = str(lat), str(lon), 0, 0
            begin = float(ephem.Date(start))
            yield f"window,{stamp(begin)},{lat},{lon},{days}"
            a, sa = begin, seen(obs, begin)
            for i in range(1, round(days / step) + 1):
                b = begin + i * step
                sb = seen(obs, b)
                found = []
                if sa[0] < 0 <= sb[0]:
                    found.append((root(lambda x: seen(obs, x)[0], a, b), "rise"))
                if sa[0] >= 0 > sb[0]:
                    found.append((root(lambda x: seen(obs, x)[0], a, b), "set"))
                if -math.pi / 2 < sa[1] < 0 <= sb[1]:
                    found.append((root(lambda x: seen(obs, x)[1], a, b), "transit"))
                for d, kind in sorted(found):
                    yield f"{kind},{stamp(d)},{lat},{lon},{seen(obs, d)[2]:.2f}"
                a, sa = b, sb


def golden(f, lo, hi, steps=48):
    for _ in range(steps):
        a, b = hi - 0.618034 * (hi - lo), lo + 0.618034 * (hi - lo)
        if f(a) < f(b):
            hi = b
        else:
            lo = a
    return (lo + hi) / 2


def distance(djd):
    return ephem.Moon(ephem.Date(djd)).earth_distance * KM_PER_AU


def apsis_rows():
    for year in APSIS_YEARS:
        step = 0.25
        d0, d1 = float(ephem.Date(f"{year}/1/1")), float(ephem.Date(f"{year + 1}/1/1"))
        t = d0 - step
        prev, cur = distance(t - step), distance(t)
        while t < d1:
            nxt = distance(t + step)
            for kind, sign in (("perigee", 1), ("apogee", -1)):
                if sign * cur < sign * prev and sign * cur <= sign * nxt:
                    best = golden(lambda x: sign * distance(x), t - step, t + step)
                    if d0 <= best < d1:
                        yield f"{kind},{stamp(best)},{distance(best):.1f}"
            t += step
            prev, cur = cur, nxt


def shadow_gaps(djd):
    """Degrees by which the Moon's limb is outside the penumbra, outside the
    umbra, and not wholly inside the umbra (negative: inside)."""
    d = ephem.Date(djd)
    m, s = ephem.Moon(d), ephem.Sun(d)
    anti = ephem.Equatorial(s.g_ra + math.pi, -s.g_dec, epoch=d)
    sep = float(ephem.separation((m.g_ra, m.g_dec), (anti.ra, anti.dec)))
    rm, rs = m.earth_distance * KM_PER_AU, s.earth_distance * KM_PER_AU
    pm, ps = math.asin(EARTH_RADIUS_KM / rm), math.asin(EARTH_RADIUS_KM / rs)
    ss, sm = math.asin(SUN_RADIUS_KM / rs), math.asin(MOON_TO_EARTH * EARTH_RADIUS_KM / rm)
    return [math.degrees(v) for v in (sep - (1.01 * pm + ps + ss) - sm, sep - (1.01 * pm + ps - ss) - sm,
                                      sep - (1.01 * pm + ps - ss) + sm)]


def crossing(index, inside, outside):
    for _ in range(40):
        mid = (inside + outside) / 2
        if shadow_gaps(mid)[index] < 0:
            inside = mid
        else:
            outside = mid
    return (inside + outside) / 2


def phase_rows():
    for i, year in enumerate(PHASE_YEARS):
        name, following = PHASES[i % 4]
        d = following(ephem.Date(f"{year}/5/{1 + 7 * (i + 1) % 27}"))
        yield f"{name},{stamp(d)},{ephem.delta_t(d):.1f}"


def eclipse_rows():
    for first, last in ECLIPSE_YEARS:
        d = ephem.Date(f"{first}/1/1")
        while True:
            d = ephem.next_full_moon(d + 1)
            if d.tuple()[0] > last:
                break
            g = golden(lambda x: shadow_gaps(x)[0], float(d) - 0.2, float(d) + 0.2)
            gaps = shadow_gaps(g)
            if gaps[0] >= 0:
                continue
            yield f"greatest,{stamp(g)},0"
            for index, (before, after) in enumerate((("p1", "p4"), ("u1", "u4"), ("u2", "u3"))):
                if gaps[index] < 0:
                    yield f"{before},{stamp(crossing(index, g, g - 0.3))},0"
                    yield f"{after},{stamp(crossing(index, g, g + 0.3))},0"


print(f"# Generated by tools/gen_sky_reference.py with PyEphem {ephem.__version__}"
      " (python3-ephem); the script says how.")
print("# window,start UT,latitude,longitude,days  then in it: rise|set|transit,UT,latitude,longitude,altitude")
for row in rise_rows():
    print(row)
print("# perigee|apogee,UT,distance km")
for row in apsis_rows():
    print(row)
print("# new|first|full|last,UT,PyEphem's ΔT in seconds")
for row in phase_rows():
    print(row)
print("# greatest,UT,0  then its contacts: p1|u1|u2|u3|u4|p4,UT,0")
for row in eclipse_rows():
    print(row)
