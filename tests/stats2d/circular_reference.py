#!/usr/bin/python3
"""Reference values for CircularTestsTest.cpp: a Monte Carlo of the Hodges-Ajne statistic, and
Kuiper's V from astropy.stats.kuiper (Debian python3-astropy) on fixed samples.

Run: /usr/bin/python3 tests/stats2d/circular_reference.py
The output is pasted into the test as it stands. It takes about a minute.

Hodges-Ajne: for each n of 1..50, 100000 samples of n uniform angles; m is the fewest values
on one side of a diameter, found by brute force over the half-circles that start at each value.
Printed: n, then the number of samples with m <= k for k = 0, 1, ... up to the first k whose
share passes 5 %.

Kuiper: the samples are drawn here from a fixed seed and written with one decimal, so that the
test and astropy read the same numbers; V is astropy's D (D+ + D-) against the uniform
distribution of the range: values / 360 for vectors, doubled values / 360 for axes held in
[0, 180), values / 90 for dips.
"""
import numpy as np
from astropy.stats import kuiper

SAMPLES = 100_000
rng = np.random.default_rng(1955)


def hodges_ajne_m(angles):
    """m of each row of `angles` (radians): min over values a of the count in (a, a + pi) and
    of the count on the other side."""
    n = angles.shape[1]
    diff = np.mod(angles[:, None, :] - angles[:, :, None], 2 * np.pi)
    inside = ((diff > 0) & (diff < np.pi)).sum(axis=2)
    return np.minimum(inside, n - inside).min(axis=1)


print("// Hodges-Ajne Monte Carlo: {n, {samples with m <= 0, m <= 1, ...}} of", SAMPLES)
for n in range(1, 51):
    counts = np.zeros(n // 2 + 1, dtype=np.int64)
    chunk = max(1, 10_000_000 // (n * n))
    done = 0
    while done < SAMPLES:
        size = min(chunk, SAMPLES - done)
        m = hodges_ajne_m(rng.uniform(0, 2 * np.pi, (size, n)))
        counts += np.bincount(m, minlength=counts.size)[: counts.size]
        done += size
    cumulative = np.cumsum(counts)
    last = int(np.argmax(cumulative > 0.05 * SAMPLES))
    print(f"{{{n}, {{{', '.join(str(c) for c in cumulative[: last + 1])}}}}},")


def fmt(values):
    return ", ".join(f"{v:.1f}" for v in values)


def one_decimal(values, top):
    v = np.round(values, 1)
    return np.where(v >= top, 0, v)


vectors = one_decimal(np.mod(np.rad2deg(rng.vonmises(np.deg2rad(75), 1.5, 30)), 360), 360)
uniform = one_decimal(rng.uniform(0, 360, 100), 360)
axes = one_decimal(np.mod(np.rad2deg(rng.vonmises(np.deg2rad(20), 2.0, 25)) / 2, 180), 180)
dips = np.round(np.clip(rng.normal(35, 15, 20), 0, 90), 1)
# Mardia & Jupp (2000), p. 93: homing directions of ten pigeons, degrees.
pigeons = np.array([55, 60, 65, 95, 100, 110, 260, 275, 285, 295], dtype=float)

print("// vectors, uniform vectors, axes, dips (degrees)")
for values in (vectors, uniform, axes, dips):
    print(f"{{{fmt(np.sort(values))}}}")


def v_of(values, scale, wrap=True):
    x = values * scale
    return kuiper(np.mod(x, 1.0) if wrap else x)[0]


print("// astropy.stats.kuiper D: vectors, uniform, axes, dips, pigeons (vectors), pigeons (axes)")
for d in (v_of(vectors, 1 / 360), v_of(uniform, 1 / 360), v_of(axes, 2 / 360),
          v_of(dips, 1 / 90, wrap=False), v_of(pigeons, 1 / 360), v_of(pigeons, 2 / 360)):
    print(f"{d:.12f}")
