#!/usr/bin/env python3
# A 4000 x 3000 16-bit FITS of a real star field, for timing the solve
# without position on a large frame (bench/compare_solve_field.sh). The stars
# are those of a catalogue answer of the field, drawn as Gaussians (sigma 1.6
# pixels) at 3.0"/pixel, the frame turned 20 degrees, over 1500 fainter stars
# that are in no catalogue, a sky level and noise. The FITS carries no WCS.
#
#   build/bin/platesolve --catalogue-from-index /usr/share/astrometry \
#       --image tests/data/fields/ic1848/image.png --ra "02 55 05.1" \
#       --dec "+60 21 11" --epoch 2000 --radius 130 --mag 12.5 \
#       --corrasd 115.76 --corrdec 234.01 --tolerance 10 --auto \
#       --answer-out /tmp/wide-answer
#   python3 bench/render_wide_field.py /tmp/wide-answer 43.77 60.35 /tmp/wide.fits
#   bash bench/compare_solve_field.sh /tmp/wide.fits:2.7:3.3
#
# Needs python3-numpy and python3-astropy.
import re
import sys

import numpy as np
from astropy.io import fits
from astropy.wcs import WCS

answer, ra, dec, out = sys.argv[1], float(sys.argv[2]), float(sys.argv[3]), sys.argv[4]
rows = []
for line in open(answer, encoding="latin-1"):
    m = re.match(r"\s*\d+ U\S+\s+([\d.]+)\s+([+-][\d.]+)\s+([\d.]+)", line)
    if m:
        rows.append(tuple(map(float, m.groups())))
rows = np.array(rows)
width, height, scale, turn = 4000, 3000, 3.0 / 3600, np.radians(20)
wcs = WCS(naxis=2)
wcs.wcs.ctype = ["RA---TAN", "DEC--TAN"]
wcs.wcs.crval = [ra, dec]
wcs.wcs.crpix = [width / 2 + 0.5, height / 2 + 0.5]
wcs.wcs.cd = scale * np.array([[-np.cos(turn), np.sin(turn)], [np.sin(turn), np.cos(turn)]])
x, y = wcs.all_world2pix(rows[:, 0], rows[:, 1], 0)
flux = 10 ** (-0.4 * (rows[:, 2] - 12)) * 3000
rng = np.random.default_rng(1)
extra = 1500
x = np.concatenate([x, rng.uniform(0, width, extra)])
y = np.concatenate([y, rng.uniform(0, height, extra)])
flux = np.concatenate([flux, 10 ** (-0.4 * (rng.uniform(12.5, 15, extra) - 12)) * 3000])
image = np.full((height, width), 800.0)
sigma = 1.6
for xi, yi, f in zip(x, y, flux):
    x0, x1 = int(max(0, xi - 12)), int(min(width, xi + 13))
    y0, y1 = int(max(0, yi - 12)), int(min(height, yi + 13))
    if x0 >= x1 or y0 >= y1:
        continue
    gx, gy = np.meshgrid(np.arange(x0, x1), np.arange(y0, y1))
    image[y0:y1, x0:x1] += (f / (2 * np.pi * sigma**2)
                            * np.exp(-((gx - xi) ** 2 + (gy - yi) ** 2) / (2 * sigma**2)))
image += rng.normal(0, 15, image.shape)
fits.PrimaryHDU(np.clip(image, 0, 65535).astype(np.uint16)).writeto(out, overwrite=True)
