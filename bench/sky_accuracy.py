#!/usr/bin/python3
"""Measures the sky computations against an independent ephemeris.

The reference is PyEphem (Debian package python3-ephem): libastro's own
lunar theory (Chapront's ELP 2000-85 as adapted by Moshier), VSOP87 for the
Sun, and its own ΔT table. Phase instants are compared both in UT (what the
user sees) and in dynamical time (the lunar theory alone, each side with its
own ΔT); positions at instants spread over the range.

Usage: bench/sky_accuracy.py SKY_DUMP [FROM TO]   (SKY_DUMP: the sky_dump program)
"""
import math
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
