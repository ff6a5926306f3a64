#!/usr/bin/python3
"""Writes tests/core/meeus_series.csv: the Moon's geometric place of Meeus'
truncated lunar theory (Astronomical Algorithms, 2nd ed., ch. 47), the
instants of the principal phases from his series (ch. 49) and the nutation
from the full series of ch. 22, all as PyMeeus computes them (Debian package python3-pymeeus, a transcription of the book's
tables and formulas of its own, which shares no code with Luno-Mat).

The rows hold our copy of the same published series to what double
arithmetic gives, so a term typed wrong shows even where it is far smaller
than the series' own error against the sky (that is held by
sky_reference.csv).

- moon: JDE, then λ and β in degrees (mean equinox of the date, without
  nutation) and the distance of the centres in km; instants spread over
  1583-2949. The periodic terms are PyMeeus' tables 47.A and 47.B, summed
  here with the fundamental arguments as the book prints them (47.1-47.6):
  PyMeeus 0.5.11 itself writes T³/69699.9 and +T⁴/14712000 in the Moon's
  mean anomaly, where the book has T³/69699 and -T⁴/14712000.
- sun: JDE, then λ and β in degrees (FK5, without nutation, with
  aberration: ch. 25, 25.9 and 25.10) and the distance in km, at the Moon's
  instants. The Earth's place is VSOP87 as appendix III abridges it: the
  book keeps the largest terms of each series (MEEUS_TERMS) and prints A in
  whole units of 1e-8, B and C with as many decimals as A has digits, but at
  least two; so are PyMeeus' full tables cut and rounded here. The script
  checks that this gives the book's example 25.b.
- nutation: JDE, then Δψ and Δε in arcseconds (the 63 terms of table 22.A;
  our four-term series promises 0.5" and 0.1" against them).
- phase: the lunation (0 = the new moon of 2000 January 6), the phase, and
  the JDE of the phase; one phase a year every 23 years, the phase cycling.

Usage: tools/gen_meeus_series.py > tests/core/meeus_series.csv
"""
import importlib.metadata
import math

from pymeeus.Coordinates import nutation_longitude, nutation_obliquity
from pymeeus.Earth import VSOP87_B, VSOP87_L, VSOP87_R
from pymeeus.Epoch import Epoch
from pymeeus.Moon import PERIODIC_TERMS_B_TABLE, PERIODIC_TERMS_LR_TABLE, Moon

MOON_INSTANTS = 48
FIRST_JDE, LAST_JDE = 2299161.0, 2798000.0  # 1582 Oct 15 and about 2949
PHASES = ["new", "first", "full", "last"]
MEAN_NEW_MOON_JDE0, MEAN_SYNODIC_MONTH = 2451550.09766, 29.530588861
# Terms the book keeps of L0..L5, B0..B1 and R0..R4.
MEEUS_TERMS = {"L": (VSOP87_L, (64, 34, 20, 7, 3, 1)), "B": (VSOP87_B, (5, 2)), "R": (VSOP87_R, (40, 10, 6, 2, 1))}
AU_KM = 149597870.7


def polynomial(t, c0, c1, c2, d3, d4=None):
    """An argument in degrees: c0 + c1 T + c2 T² + T³/d3 + T⁴/d4."""
    return c0 + c1 * t + c2 * t * t + t ** 3 / d3 + (t ** 4 / d4 if d4 else 0.0)


def moon_place(jde):
    t = (jde - 2451545.0) / 36525.0
    lp = polynomial(t, 218.3164477, 481267.88123421, -0.0015786, 538841, -65194000)
    d = polynomial(t, 297.8501921, 445267.1114034, -0.0018819, 545868, -113065000)
    m = polynomial(t, 357.5291092, 35999.0502909, -0.0001536, 24490000)
    mp = polynomial(t, 134.9633964, 477198.8675055, 0.0087414, 69699, -14712000)
    f = polynomial(t, 93.2720950, 483202.0175233, -0.0036539, -3526000, 863310000)
    a1, a2, a3 = 119.75 + 131.849 * t, 53.09 + 479264.290 * t, 313.45 + 481266.484 * t
    e = 1.0 - 0.002516 * t - 0.0000074 * t * t
    sin, cos, rad = math.sin, math.cos, math.radians

    def argument(row):
        return rad(row[0] * d + row[1] * m + row[2] * mp + row[3] * f), e ** abs(row[1])

    sl = sr = sb = 0.0
    for row in PERIODIC_TERMS_LR_TABLE:
        x, ef = argument(row)
        sl += row[4] * ef * sin(x)
        sr += row[5] * ef * cos(x)
    for row in PERIODIC_TERMS_B_TABLE:
        x, ef = argument(row)
        sb += row[4] * ef * sin(x)
    sl += 3958 * sin(rad(a1)) + 1962 * sin(rad(lp - f)) + 318 * sin(rad(a2))
    sb += (-2235 * sin(rad(lp)) + 382 * sin(rad(a3)) + 175 * sin(rad(a1 - f)) + 175 * sin(rad(a1 + f))
           + 127 * sin(rad(lp - mp)) - 115 * sin(rad(lp + mp)))
    return (lp + sl / 1e6) % 360.0, sb / 1e6, 385000.56 + sr / 1000.0


def book_term(a, b, c):
    """A term as the book prints it: A whole, B and C with as many decimals as A has digits, at least two."""
    digits = max(2, len(str(abs(round(a)))))
    return round(a), round(b, digits), round(c, digits)


# Each series cut and rounded once: VSOP[name][k] holds the terms of τᵏ.
VSOP = {name: [[book_term(*term) for term in sorted(series, key=lambda term: -abs(term[0]))[:count]]
               for series, count in zip(full, counts)] for name, (full, counts) in MEEUS_TERMS.items()}


def vsop(name, tau):
    """L or B in radians, R in au: the sum over the series of τᵏ Σ A cos(B + C τ)."""
    total = 0.0
    for k, terms in enumerate(VSOP[name]):
        for a, b, c in terms:
            total += tau ** k * a * math.cos(b + c * tau)
    return total * 1e-8


def sun_place(jde):
    tau = (jde - 2451545.0) / 365250.0
    t = 10.0 * tau
    r = vsop("R", tau)
    lam, beta = math.degrees(vsop("L", tau)) + 180.0, -math.degrees(vsop("B", tau))
    lam1 = math.radians(lam - 1.397 * t - 0.00031 * t * t)
    beta += 0.03916 / 3600.0 * (math.cos(lam1) - math.sin(lam1))
    lam += (-0.09033 - 20.4898 / r) / 3600.0
    return lam % 360.0, beta, r * AU_KM


def main():
    tau = (2448908.5 - 2451545.0) / 365250.0  # example 25.b, 1992 October 13 0h TD
    for name, book in (("L", -43.63484796), ("B", -0.00000312), ("R", 0.99760775)):
        assert abs(vsop(name, tau) - book) < 5e-9, name

    version = importlib.metadata.version("PyMeeus")
    print(f"# Generated by tools/gen_meeus_series.py with PyMeeus {version} (python3-pymeeus); the script says how.")
    print("# moon|sun,JDE,longitude deg,latitude deg,distance km  |  nutation,JDE,dpsi arcsec,deps arcsec")
    print("# phase,lunation,new|first|full|last,JDE")
    step = (LAST_JDE - FIRST_JDE) / (MOON_INSTANTS - 1)
    for i in range(MOON_INSTANTS):
        jde = round(FIRST_JDE + i * step + 0.1 * i, 4)  # the fraction moves the hour too
        lam, beta, delta = moon_place(jde)
        print(f"moon,{jde:.4f},{lam:.10f},{beta:.10f},{delta:.7f}")
        lam, beta, distance = sun_place(jde)
        print(f"sun,{jde:.4f},{lam:.10f},{beta:.10f},{distance:.6f}")
        dpsi, deps = (float(f(Epoch(jde))) * 3600.0 for f in (nutation_longitude, nutation_obliquity))
        print(f"nutation,{jde:.4f},{dpsi:.4f},{deps:.4f}")
    for n, year in enumerate(range(1583, 2950, 23)):
        target = PHASES[n % 4]
        jde = Moon.moon_phase(Epoch(year, 7, 1.0), target=target).jde()
        lunation = round((jde - MEAN_NEW_MOON_JDE0) / MEAN_SYNODIC_MONTH - PHASES.index(target) / 4)
        print(f"phase,{lunation},{target},{jde:.9f}")


if __name__ == "__main__":
    main()
