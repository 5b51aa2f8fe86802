#!/usr/bin/python3
"""Reference values for Stats2DTest.cpp, from numpy and astropy (Debian python3-astropy).

Run: /usr/bin/python3 tests/stats2d/stats2d_reference.py
The output is pasted into the test as it stands; the values are drawn here from a fixed seed
and written with one decimal, so the test and this script read the same numbers.
"""
import numpy as np
from astropy.stats import circmean

rng = np.random.default_rng(2026)

def fmt(values):
    return ", ".join(f"{v:.1f}" for v in values)

# Vectors: two von Mises clusters, whole circle.
vectors = np.round(np.mod(np.concatenate([rng.vonmises(np.deg2rad(40), 2.0, 30),
                                          rng.vonmises(np.deg2rad(230), 4.0, 17)]), 2 * np.pi)
                   * 180 / np.pi, 1)
vectors = np.where(vectors >= 360, 0, vectors)
# Axes: strikes in [0, 180), about 170° so that they wrap past 0.
axes = np.round(np.mod(rng.vonmises(np.deg2rad(340), 3.0, 41) * 180 / np.pi / 2, 180), 1)
axes = np.where(axes >= 180, 0, axes)
# Dips in [0, 90], a few at 90.
dips = np.round(np.clip(rng.normal(55, 25, 37), 0, 90), 1)

print("// vectors (degrees)")
print(f"{{{fmt(vectors)}}}")
print("// axes (degrees)")
print(f"{{{fmt(axes)}}}")
print("// dips (degrees)")
print(f"{{{fmt(dips)}}}")

print("// numpy.histogram, vectors, classes of 10 from 0")
print(list(np.histogram(vectors, bins=36, range=(0, 360))[0]))
print("// numpy.histogram, vectors, classes of 20 from 5 (values shifted by -5 modulo 360)")
print(list(np.histogram(np.mod(vectors - 5, 360), bins=18, range=(0, 360))[0]))
print("// numpy.histogram, axes, classes of 15 from 0")
print(list(np.histogram(axes, bins=12, range=(0, 180))[0]))
print("// numpy.histogram, dips, classes of 18 from 0 (the last class closed at 90)")
print(list(np.histogram(dips, bins=5, range=(0, 90))[0]))

print("// astropy.stats.circmean, degrees: vectors, axes (doubled and halved), dips")
print(f"{np.rad2deg(circmean(np.deg2rad(vectors))) % 360:.6f}")
print(f"{np.rad2deg(circmean(np.deg2rad(2 * axes))) % 360 / 2:.6f}")
print(f"{np.rad2deg(circmean(np.deg2rad(dips))) % 360:.6f}")
