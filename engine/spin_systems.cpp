// Closed-form line lists of the AB, AB2 (ABB) and AA'XX' spin systems.
//
// Every operation is spelled out in the precision the results are defined in: the
// parameters enter as doubles, each marked intermediate is rounded to a float as soon as
// it is formed, and each stored position and intensity is rounded to a float.

#include <cstddef>

#include "engine/spin_systems.h"
#include "platform/core/mathematics.h"

namespace engine {
namespace {

using platform::Pow;
using platform::Sqrt;

float single(double v) { return platform::Single(v); }

// J / D and the two AB2 coefficients lose their value at zero coupling with a zero or
// negative shift difference (0 / 0); the uncoupled limit is 0.
double quotient(double numerator, double denominator) {
    if (numerator == 0.0 && denominator == 0.0) return 0.0;
    return numerator / denominator;
}

// The AB2 denominators (dv + 2C) +- J/2 are a + sqrt(a^2 + 2J^2), a = dv +- J/2. With A
// upfield of B and a small coupling the rounded C can cancel dv exactly; the same sum
// then comes without cancellation as 2J^2 / (sqrt(a^2 + 2J^2) - a).
double uncancelled(double sum, double a, double J) {
    if (sum != 0.0 || J == 0.0) return sum;
    const double twoJ2 = 2 * Pow(J, 2);
    return twoJ2 / (Sqrt(Pow(a, 2) + twoJ2) - a);
}

}  // namespace

double deltaNu(const SpinParameters& p) {
    return static_cast<double>(p.CSD) * static_cast<double>(p.MHZ);
}

double ratio(const SpinParameters& p) { return deltaNu(p) / static_cast<double>(p.JCOUPLE); }

LineList linesAB(const SpinParameters& p) {
    LineList lines;
    auto& x = lines.x;
    auto& y = lines.y;
    const double J = p.JCOUPLE;
    const float D = single(Sqrt(Pow(deltaNu(p), 2) + Pow(J, 2)));
    const double d = D;

    x[1] = single(d + J / 2);
    x[2] = single(d - J / 2);
    x[3] = single(J / 2);
    x[4] = single(static_cast<double>(-p.JCOUPLE) / 2);
    y[1] = single(1 - quotient(J, d));
    y[2] = single(1 + quotient(J, d));
    y[3] = y[2];
    y[4] = y[1];
    lines.N = 4;
    return lines;
}

// Lines 1 to 8 are the A and B transitions; line 9 is the combination line, weak while A
// lies downfield of B but an allowed line of the A multiplet when it lies upfield.
LineList linesABB(const SpinParameters& p) {
    LineList lines;
    auto& x = lines.x;
    auto& y = lines.y;
    const double J = p.JCOUPLE;
    const double dv = deltaNu(p);
    const double halfDv = (-0.5 * static_cast<double>(p.CSD)) * static_cast<double>(p.MHZ);
    const double negDv = static_cast<double>(-p.CSD) * static_cast<double>(p.MHZ);

    const float Cp = single(0.5 * Sqrt((Pow(dv, 2) + dv * J) + (2.25 * J) * J));
    const float Cm = single(0.5 * Sqrt((Pow(dv, 2) - dv * J) + (2.25 * J) * J));
    const double cp = Cp;
    const double cm = Cm;

    x[1] = single((halfDv + 0.75 * J) + cp);
    x[2] = single((negDv + cp) + cm);
    x[3] = 0.0f;
    x[4] = single((halfDv - 0.75 * J) + cm);
    x[5] = single((negDv + cp) - cm);
    x[6] = single((halfDv + 0.75 * J) - cp);
    x[7] = single((negDv - cp) + cm);
    x[8] = single((halfDv - 0.75 * J) - cm);
    x[9] = single((negDv - cp) - cm);

    // Move every line by the same amount so that line 8 lies at -J/2; line 8 goes last,
    // so that every other line is measured from its unshifted position.
    constexpr std::size_t kShiftOrder[] = {1, 2, 3, 4, 5, 6, 7, 9, 8};
    for (std::size_t i : kShiftOrder) {
        const float d = x[i] - x[8];
        x[i] = single(static_cast<double>(d) - 0.5 * J);
    }

    const float Qp = single(quotient(J, uncancelled((dv + 2 * cp) + J / 2, dv + J / 2, J)));
    const float Qm = single(quotient(J, uncancelled((dv + 2 * cm) - J / 2, dv - J / 2, J)));
    const double qp = Qp;
    const double qm = Qm;
    const double Wp = 1 + (2 * qp) * qp;
    const double Wm = 1 + (2 * qm) * qm;

    y[1] = single(Pow(1 - 2 * qp, 2) / Wp);
    y[2] = single(Pow((1 - 2 * qm) + 2 * qp, 2) / Wp / Wm);
    y[3] = 1.0f;
    y[4] = single(Pow(1 + 2 * qm, 2) / Wm);
    y[5] = single(2 * Pow((1 + qm) + (2 * qp) * qm, 2) / Wp / Wm);
    y[6] = single(2 * Pow(1 + qp, 2) / Wp);
    y[7] = single(2 * Pow((1 - qp) + (2 * qp) * qm, 2) / Wp / Wm);
    y[8] = single(2 * Pow(1 - qm, 2) / Wm);
    y[9] = single(4 * Pow((qm - qp) - qp * qm, 2) / Wp / Wm);
    lines.N = 9;
    return lines;
}

LineList linesAAXX(const SpinParameters& p) {
    LineList lines;
    auto& x = lines.x;
    auto& y = lines.y;
    const double dv = deltaNu(p);
    const float K = p.JCOUPLEAAPRIME + p.JCOUPLEXXPRIME;
    const float L = p.JCOUPLE - p.JCOUPLEAXPRIME;
    const float M = p.JCOUPLEAAPRIME - p.JCOUPLEXXPRIME;
    const float S = p.JCOUPLE + p.JCOUPLEAXPRIME;
    const double k2 = static_cast<double>(K) / 2;
    const double m2 = static_cast<double>(M) / 2;
    const double s2 = static_cast<double>(S) / 2;

    float E = single(0.5 * Sqrt(Pow(K, 2) + Pow(L, 2)));
    float F = single(0.5 * Sqrt(Pow(M, 2) + Pow(L, 2)));
    const double e = E;
    const double f = F;
    const double negE = -E;
    const double negF = -F;

    x[1] = single(dv + s2);
    x[2] = single(dv - s2);
    x[3] = single((dv + e) + k2);
    x[4] = single((dv + e) - k2);
    x[5] = single((dv - e) + k2);
    x[6] = single((dv - e) - k2);
    x[7] = single((dv + f) + m2);
    x[8] = single((dv + f) - m2);
    x[9] = single((dv - f) + m2);
    x[10] = single((dv - f) - m2);
    x[11] = single(s2);
    x[12] = single(static_cast<double>(-S) / 2);
    x[13] = single(e + k2);
    x[14] = single(e - k2);
    x[15] = single(negE + k2);
    x[16] = single(negE - k2);
    x[17] = single(f + m2);
    x[18] = single(f - m2);
    x[19] = single(negF + m2);
    x[20] = single(negF - m2);

    // E and F vanish only together with K/2 and M/2: the quotients then take the value 0.
    constexpr float kTiny = 0.000001f;
    if (static_cast<double>(F) == 0.0) F = kTiny;
    if (static_cast<double>(E) == 0.0) E = kTiny;
    const double k = k2 / static_cast<double>(E);
    const double m = m2 / static_cast<double>(F);

    for (std::size_t half : {std::size_t{0}, std::size_t{10}}) {
        y[half + 1] = 4.0f;
        y[half + 2] = 4.0f;
        y[half + 3] = single(1 - k);
        y[half + 4] = single(1 + k);
        y[half + 5] = single(1 + k);
        y[half + 6] = single(1 - k);
        y[half + 7] = single(1 - m);
        y[half + 8] = single(1 + m);
        y[half + 9] = single(1 + m);
        y[half + 10] = single(1 - m);
    }
    lines.N = 20;
    return lines;
}

}  // namespace engine
