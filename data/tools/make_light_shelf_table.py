#!/usr/bin/env python3
"""Writes temp/ltshlf.dat, the daylighting coefficient table of the engine.

Three blocks (beam, diffuse, overcast) of 3 heading lines and 19 rows: row 1 a window without
device, rows 2-4 windows under an overhang (selector 1 = overhang depth, ft), rows 5-19 windows
with a light shelf (selector 2 = shelf depth, ft).  Each row holds, for work-plane points at
depth / head height = 0.286, 0.857, 1.43, 2.0 and 2.57, the work-plane illuminance in percent
of the exterior illuminance on the window plane for a unit glazing factor.

The calculation (documented in data/SOURCES.md):
- sky component: numerical integration of sky luminance over the sky seen through the opening
  (a continuous window band, sill on the work plane) onto the horizontal work-plane point, for a
  uniform sky (diffuse block) and the CIE standard overcast sky L ~ (1 + 2 sin(altitude))
  (overcast block), with rays stopped by the overhang or by the light shelf;
- internally reflected component: the split-flux method (flux entering from the sky falls on
  the floor and lower walls, flux from the ground and from the shelf on the ceiling and upper
  walls), E = (PHI_down R_fw + PHI_up R_cw) / (A (1 - R)), in a reference room;
- beam: the sun patch is not a work-plane point; beam light reaches the work plane by
  reflection only (floor, or ceiling for the light reflected by a shelf), at a reference
  profile angle of 40 degrees; the ceiling band lit by a shelf adds a direct component by the
  configuration factor of a work-plane point to a parallel strip.
Light-shelf rows are scaled by the reference visible transmittance 0.6, since the engine's
glazing factor for a shelf window carries the transmittance ratio TSHLF / 0.6.
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from numtext import write_crlf  # noqa: E402

DATA = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

RATIOS = [0.286, 0.857, 1.43, 2.0, 2.57]
WP = 2.5          # work-plane height, ft
HEAD = 8.0        # window head, ft (the depth ratio is depth / head height)
SILL = WP         # window band from the work plane up to the head
CEIL = 9.0        # ceiling height, ft
DEPTH = 24.0      # reference room depth, ft
RHO_G = 0.2       # ground reflectance
R_FLOOR, R_CEIL, R_WALL = 0.2, 0.8, 0.5
PROFILE = math.radians(40.0)   # reference solar profile angle for beam light
SHELF_H = 6.5     # light-shelf height, ft (view window below, clerestory above)
SHELF_RHO = 0.9   # shelf reflectance
TAU_REF = 0.6     # reference visible transmittance of a shelf window
OVERHANGS = [2.0, 4.0, 6.0]
SHELVES = [1.5 + 0.5 * k for k in range(15)]
N_ALT, N_AZ = 90, 180


def room():
    area = 2 * DEPTH + 2 * CEIL
    r_mean = (DEPTH * R_FLOOR + DEPTH * R_CEIL + 2 * CEIL * R_WALL) / area
    half = CEIL / 2
    r_fw = (DEPTH * R_FLOOR + 2 * half * R_WALL) / (DEPTH + 2 * half)
    r_cw = (DEPTH * R_CEIL + 2 * half * R_WALL) / (DEPTH + 2 * half)
    return area, r_mean, r_fw, r_cw


AREA, R_MEAN, R_FW, R_CW = room()


def lum(alt, overcast):
    return (1 + 2 * math.sin(alt)) / 3 if overcast else 1.0


def sky_grid():
    da, dz = (math.pi / 2) / N_ALT, math.pi / N_AZ
    for i in range(N_ALT):
        alt = (i + 0.5) * da
        for j in range(N_AZ):
            az = -math.pi / 2 + (j + 0.5) * dz
            yield alt, az, da * dz


def blocked_outside(z, alt, az, ledge_h, ledge_d):
    """A ray leaving the wall at height z, rising to the outside, meets a horizontal ledge
    (overhang or outer shelf) at height ledge_h reaching ledge_d out from the wall."""
    if ledge_d <= 0 or z >= ledge_h:
        return False
    return (ledge_h - z) * math.cos(az) / math.tan(alt) < ledge_d


def sky_component(d, overcast, device, size):
    """Horizontal illuminance at the work-plane point d ft from the wall (sky of unit scale)."""
    total = 0.0
    for alt, az, dw in sky_grid():
        z = WP + d * math.tan(alt) / math.cos(az)
        if z < SILL or z > HEAD:
            continue
        if device == 'H' and blocked_outside(z, alt, az, HEAD, size):
            continue
        if device == 'L':
            if z < SHELF_H and blocked_outside(z, alt, az, SHELF_H, size / 2):
                continue
            if z > SHELF_H:
                ds = d * (1 - (SHELF_H - WP) / (z - WP))
                if 0 <= ds < size / 2:
                    continue
        total += lum(alt, overcast) * math.sin(alt) * math.cos(alt) * dw
    return total


def vertical_sky(overcast, z, ledge_h, ledge_d):
    total = 0.0
    for alt, az, dw in sky_grid():
        if blocked_outside(z, alt, az, ledge_h, ledge_d):
            continue
        total += lum(alt, overcast) * math.cos(alt) ** 2 * math.cos(az) * dw
    return total


def horizontal_sky(overcast):
    return sum(lum(a, overcast) * math.sin(a) * math.cos(a) * dw for a, _, dw in sky_grid()) * 2


def ceiling_band(d, x1, x2):
    """Configuration factor of a work-plane point d ft from the wall to the ceiling strip from
    x1 to x2 ft out from the wall (a parallel infinitely long strip)."""
    h = CEIL - WP
    s = lambda x: (x - d) / math.hypot(x - d, h)  # noqa: E731
    return 0.5 * (s(x2) - s(x1))


def diffuse_row(overcast, device, size):
    e_vs = vertical_sky(overcast, WP - 1, 0, 0)          # unobstructed vertical sky illuminance
    e_vg = RHO_G * horizontal_sky(overcast) / 2          # ground-reflected vertical illuminance
    if device == 'H':
        mid = (SILL + HEAD) / 2
        down = vertical_sky(overcast, mid, HEAD, size) * (HEAD - SILL)
    elif device == 'L':
        view = vertical_sky(overcast, (SILL + SHELF_H) / 2, SHELF_H, size / 2) * (SHELF_H - SILL)
        down = view + e_vs * (HEAD - SHELF_H)
    else:
        down = e_vs * (HEAD - SILL)
    up = e_vg * (HEAD - SILL)
    irc = (down * R_FW + up * R_CW) / (AREA * (1 - R_MEAN))
    row = []
    for ratio in RATIOS:
        d = ratio * HEAD
        row.append(100 * (sky_component(d, overcast, device, size) + irc) / (e_vs + e_vg))
    return row


def beam_row(device, size):
    t = math.tan(PROFILE)
    height = HEAD - SILL
    if device == 'H':
        floor_flux = max(0.0, height - size * t)
        ceil_flux, band = 0.0, None
    elif device == 'L':
        view = SHELF_H - SILL
        floor_flux = max(0.0, view - size / 2 * t)
        clere = HEAD - SHELF_H
        outer = min(size / 2 * t, clere)                    # reflected up by the outer shelf
        inner = clere * min(1.0, size / 2 * t / clere)      # caught and reflected by the inner shelf
        ceil_flux = SHELF_RHO * (outer + inner)
        floor_flux += clere - inner
        band = ((CEIL - HEAD) / t, (CEIL - SHELF_H) / t)
    else:
        floor_flux, ceil_flux, band = height, 0.0, None
    row = []
    for ratio in RATIOS:
        d = ratio * HEAD
        e = floor_flux * R_FW / (AREA * (1 - R_MEAN))
        if ceil_flux > 0:
            exitance = R_CEIL * ceil_flux / (band[1] - band[0])
            e += exitance * ceiling_band(d, *band)
            e += ceil_flux * R_CEIL * R_MEAN / (AREA * (1 - R_MEAN))
        row.append(100 * e)
    return row


def devices():
    yield 'NONE    ', 0.0, 0.0, ' ', 0.0
    for p in OVERHANGS:
        yield ('OH%4.1fFT' % p), p, 0.0, 'H', p
    for s in SHELVES:
        yield ('LS%4.1fFT' % s), 0.0, s, 'L', s


def field(v, decimals):
    text = '%.*f' % (decimals, v)
    assert len(text) <= 8 and '.' in text
    return text.rjust(8)


def main():
    titles = ['BEAM (DIRECT SUN)', 'DIFFUSE (CLEAR SKY AND GROUND)', 'OVERCAST SKY']
    lines = []
    for block, title in enumerate(titles, start=1):
        lines.append('DAYLIGHT COEFFICIENTS, PERCENT OF WINDOW-PLANE ILLUMINANCE -- BLOCK %d: %s'
                     % (block, title))
        lines.append('DEVICE  OVERHANG   SHELF   WORK-PLANE DEPTH / WINDOW HEAD HEIGHT')
        lines.append('          (FT)     (FT)   0.286   0.857    1.43     2.0    2.57')
        for label, v1, v2, dev, size in devices():
            if block == 1:
                coef = beam_row(dev, size)
            else:
                coef = diffuse_row(block == 3, dev, size)
            if dev == 'L':
                coef = [c * TAU_REF for c in coef]
            lines.append(label + field(v1, 1) + field(v2, 1) + ''.join(field(c, 2) for c in coef))
    write_crlf(os.path.join(DATA, 'temp', 'ltshlf.dat'), lines)


if __name__ == '__main__':
    main()
