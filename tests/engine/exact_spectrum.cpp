#include "tests/engine/exact_spectrum.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace korva::test {
namespace {

using Matrix = std::vector<std::vector<double>>;

// Cyclic Jacobi rotations: eigenvalues on the diagonal of a, eigenvectors in the columns of v.
void diagonalise(Matrix& a, Matrix& v) {
    const std::size_t n = a.size();
    v.assign(n, std::vector<double>(n, 0.0));
    for (std::size_t i = 0; i < n; ++i) v[i][i] = 1.0;
    for (int sweep = 0; sweep < 100; ++sweep) {
        double off = 0.0;
        for (std::size_t p = 0; p < n; ++p)
            for (std::size_t q = p + 1; q < n; ++q) off += a[p][q] * a[p][q];
        if (off < 1e-26) return;
        for (std::size_t p = 0; p < n; ++p) {
            for (std::size_t q = p + 1; q < n; ++q) {
                if (std::fabs(a[p][q]) < 1e-300) continue;
                const double theta = (a[q][q] - a[p][p]) / (2.0 * a[p][q]);
                const double t =
                    (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
                const double c = 1.0 / std::sqrt(t * t + 1.0);
                const double s = t * c;
                for (std::size_t k = 0; k < n; ++k) {
                    const double akp = a[k][p], akq = a[k][q];
                    a[k][p] = c * akp - s * akq;
                    a[k][q] = s * akp + c * akq;
                }
                for (std::size_t k = 0; k < n; ++k) {
                    const double apk = a[p][k], aqk = a[q][k];
                    a[p][k] = c * apk - s * aqk;
                    a[q][k] = s * apk + c * aqk;
                }
                for (std::size_t k = 0; k < n; ++k) {
                    const double vkp = v[k][p], vkq = v[k][q];
                    v[k][p] = c * vkp - s * vkq;
                    v[k][q] = s * vkp + c * vkq;
                }
            }
        }
    }
}

int betaCount(unsigned state) { return __builtin_popcount(state); }

}  // namespace

std::vector<Transition> exactSpectrum(const std::vector<double>& shifts,
                                      const std::vector<std::vector<double>>& couplings) {
    const std::size_t spins = shifts.size();
    const unsigned states = 1u << spins;
    // Bit k of a basis state set: spin k is beta (m = -1/2).
    auto m = [](unsigned state, std::size_t k) { return (state >> k & 1u) ? -0.5 : 0.5; };

    struct Block {
        std::vector<unsigned> basis;
        std::vector<double> energy;
        Matrix vectors;
    };
    std::vector<Block> blocks(spins + 1);
    for (unsigned b = 0; b < states; ++b) blocks[betaCount(b)].basis.push_back(b);

    for (Block& block : blocks) {
        const std::size_t n = block.basis.size();
        Matrix h(n, std::vector<double>(n, 0.0));
        for (std::size_t r = 0; r < n; ++r) {
            const unsigned b = block.basis[r];
            for (std::size_t k = 0; k < spins; ++k) {
                h[r][r] += shifts[k] * m(b, k);
                for (std::size_t l = k + 1; l < spins; ++l) {
                    h[r][r] += couplings[k][l] * m(b, k) * m(b, l);
                    if (m(b, k) != m(b, l)) {
                        const unsigned flipped = b ^ (1u << k) ^ (1u << l);
                        const auto c = std::find(block.basis.begin(), block.basis.end(), flipped);
                        h[r][c - block.basis.begin()] += couplings[k][l] / 2.0;
                    }
                }
            }
        }
        diagonalise(h, block.vectors);
        for (std::size_t r = 0; r < n; ++r) block.energy.push_back(h[r][r]);
    }

    // F- takes a state with c beta spins to states with c + 1.
    std::vector<Transition> lines;
    for (std::size_t c = 0; c < spins; ++c) {
        const Block& from = blocks[c];
        const Block& to = blocks[c + 1];
        for (std::size_t i = 0; i < from.basis.size(); ++i) {
            for (std::size_t f = 0; f < to.basis.size(); ++f) {
                double amplitude = 0.0;
                for (std::size_t r = 0; r < from.basis.size(); ++r) {
                    const unsigned b = from.basis[r];
                    for (std::size_t k = 0; k < spins; ++k) {
                        if (b >> k & 1u) continue;
                        const unsigned lowered = b | (1u << k);
                        const auto t = std::find(to.basis.begin(), to.basis.end(), lowered);
                        amplitude += from.vectors[r][i] * to.vectors[t - to.basis.begin()][f];
                    }
                }
                lines.push_back({from.energy[i] - to.energy[f], amplitude * amplitude});
            }
        }
    }
    return lines;
}

std::vector<Transition> mergedLines(std::vector<Transition> lines, double tolerance,
                                    double threshold) {
    std::sort(lines.begin(), lines.end(),
              [](const Transition& a, const Transition& b) { return a.frequency < b.frequency; });
    std::vector<Transition> merged;
    for (const Transition& line : lines) {
        if (!merged.empty() && line.frequency - merged.back().frequency < tolerance) {
            merged.back().intensity += line.intensity;
        } else {
            merged.push_back(line);
        }
    }
    std::erase_if(merged, [&](const Transition& t) { return t.intensity < threshold; });
    return merged;
}

}  // namespace korva::test
