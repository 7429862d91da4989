"""Independent reference for the line computations' exact float bits.

Mirrors the published arithmetic in Python doubles, rounding to IEEE single precision
through struct wherever a value is held as a 32-bit float. Prints C++ initialisers of the
bit patterns used by tests/engine/spin_systems_test.cpp.
"""
import math
import struct


def f32(v):
    return struct.unpack('<f', struct.pack('<f', v))[0]


def bits(v):
    return '0x%08X' % struct.unpack('<I', struct.pack('<f', v))[0]


def sq(v):
    return v * v  # the correctly rounded square


def q(n, d):
    return 0.0 if n == 0 and d == 0 else n / d


def ab(csd, mhz, j):
    csd, j = f32(csd), f32(j)
    dv = csd * mhz
    D = f32(math.sqrt(dv * dv + j * j))
    x = [f32(D + j / 2), f32(D - j / 2), f32(j / 2), f32(-j / 2)]
    y1, y2 = f32(1 - q(j, D)), f32(1 + q(j, D))
    return x, [y1, y2, y2, y1]


def uncancelled(total, a, j):
    if total != 0 or j == 0:
        return total
    return 2 * sq(j) / (math.sqrt(sq(a) + 2 * sq(j)) - a)


def abb(csd, mhz, j):
    csd, j = f32(csd), f32(j)
    dv = csd * mhz
    h = (-0.5 * csd) * mhz
    n = (-csd) * mhz
    cp = f32(0.5 * math.sqrt((dv * dv + dv * j) + (2.25 * j) * j))
    cm = f32(0.5 * math.sqrt((dv * dv - dv * j) + (2.25 * j) * j))
    x = [None, f32((h + 0.75 * j) + cp), f32((n + cp) + cm), 0.0, f32((h - 0.75 * j) + cm),
         f32((n + cp) - cm), f32((h + 0.75 * j) - cp), f32((n - cp) + cm),
         f32((h - 0.75 * j) - cm), f32((n - cp) - cm)]
    for i in (1, 2, 3, 4, 5, 6, 7, 9, 8):
        d = f32(x[i] - x[8])
        x[i] = f32(d - 0.5 * j)
    qp = f32(q(j, uncancelled((dv + 2 * cp) + j / 2, dv + j / 2, j)))
    qm = f32(q(j, uncancelled((dv + 2 * cm) - j / 2, dv - j / 2, j)))
    wp = 1 + (2 * qp) * qp
    wm = 1 + (2 * qm) * qm
    y = [f32(sq(1 - 2 * qp) / wp), f32(sq((1 - 2 * qm) + 2 * qp) / wp / wm), 1.0,
         f32(sq(1 + 2 * qm) / wm), f32(2 * sq((1 + qm) + (2 * qp) * qm) / wp / wm),
         f32(2 * sq(1 + qp) / wp), f32(2 * sq((1 - qp) + (2 * qp) * qm) / wp / wm),
         f32(2 * sq(1 - qm) / wm), f32(4 * sq((qm - qp) - qp * qm) / wp / wm)]
    return x[1:], y


def aaxx(csd, mhz, j, jaa, jxx, jax):
    csd, j, jaa, jxx, jax = map(f32, (csd, j, jaa, jxx, jax))
    dv = csd * mhz
    K, L, M, S = f32(jaa + jxx), f32(j - jax), f32(jaa - jxx), f32(j + jax)
    E = f32(0.5 * math.sqrt(K * K + L * L))
    F = f32(0.5 * math.sqrt(M * M + L * L))
    half = [S / 2, -S / 2, E + K / 2, E - K / 2, -E + K / 2, -E - K / 2,
            F + M / 2, F - M / 2, -F + M / 2, -F - M / 2]
    near = [(dv + S / 2), (dv - S / 2), (dv + E) + K / 2, (dv + E) - K / 2, (dv - E) + K / 2,
            (dv - E) - K / 2, (dv + F) + M / 2, (dv + F) - M / 2, (dv - F) + M / 2,
            (dv - F) - M / 2]
    x = [f32(v) for v in near] + [f32(v) for v in half]
    if F == 0:
        F = f32(0.000001)
    if E == 0:
        E = f32(0.000001)
    k, m = (K / 2) / E, (M / 2) / F
    yh = [4.0, 4.0, f32(1 - k), f32(1 + k), f32(1 + k), f32(1 - k),
          f32(1 - m), f32(1 + m), f32(1 + m), f32(1 - m)]
    return x, yh + yh


def show(name, xy):
    x, y = xy
    print('// %s' % name)
    print('x: {%s}' % ', '.join(bits(v) for v in x))
    print('y: {%s}' % ', '.join(bits(v) for v in y))


if __name__ == '__main__':
    show('AB 3.0 ppm, 60 MHz, J 7', ab(3.0, 60, 7.0))
    show('AB 3.3 ppm, 400 MHz, J -12.5', ab(3.3, 400, -12.5))
    show('AB 0.05 ppm, 100 MHz, J 9', ab(0.05, 100, 9.0))
    show('ABB 3.0 ppm, 60 MHz, J 7', abb(3.0, 60, 7.0))
    show('ABB -1.0 ppm, 60 MHz, J 7', abb(-1.0, 60, 7.0))
    show('ABB 0.1 ppm, 90 MHz, J 7.7', abb(0.1, 90, 7.7))
    show('ABB -8.0 ppm, 400 MHz, J -0.625', abb(-8.0, 400, -0.625))
    show('AAXX 3.0 ppm, 60 MHz, 7, 13, 13, 12', aaxx(3.0, 60, 7.0, 13.0, 13.0, 12.0))
    show('AAXX 1.7 ppm, 250 MHz, 8.1, -9.3, 2.2, 0.4', aaxx(1.7, 250, 8.1, -9.3, 2.2, 0.4))
