"""Independent reference for the renderer's segment tops, to the last bit.

Places, broadens, sums and scales the start-value AB and AA'XX' line lists on an 800 by 600
plot with pf 1, rounding to IEEE single precision through struct wherever a value is held
as a 32-bit float. Prints the inked columns and their tops as exact hexadecimal doubles for
tests/engine/renderer_test.cpp.
"""
import math
import struct

from line_lists import ab, aaxx, f32


def tops(xs, ys, W=800, H=600, pf=1, mhz=60, specwidth=8.0, s=37.0):
    specwidth, s = f32(specwidth), f32(s)
    sticks = []
    last = 0.0
    for x, y in zip(xs, ys):
        offset = f32(((x / mhz) * W) / specwidth + 120 * pf)
        if W > offset > 0:
            if pf > abs(f32(offset - last)):
                offset = last
            else:
                last = offset
            if y > 0:
                sticks.append((int(W - offset), y))
    total = [0.0] * (W + 1)
    for j, v in sticks:
        if not 1 <= j <= W:
            continue
        for k in range(-20 * pf, 20 * pf + 1):
            if 0 <= j + k <= W:
                total[j + k] = f32(v * math.exp((-k * k) / s / pf) + total[j + k])
    maximum = 0.0
    for j in range(1, W + 1):
        if total[j] > maximum:
            maximum = total[j]
    baseline = f32(H - 0.075 * H)
    out = []
    for j in range(1, W + 1):
        top = baseline - (f32(total[j] * baseline) / maximum) * 0.9
        if top != baseline:
            out.append((j, top))
    return out


if __name__ == '__main__':
    for name, (x, y) in (('AB', ab(3.0, 60, 7.0)),
                         ('AAXX', aaxx(3.0, 60, 7.0, 13.0, 13.0, 12.0))):
        t = tops(x, y)
        print('// %s: %d inked columns' % (name, len(t)))
        for j, top in t[::7]:
            print('{%d, %s},' % (j, top.hex()))
