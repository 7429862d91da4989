#pragma once

#include <vector>

namespace korva::test {

struct Transition {
    double frequency;  // Hz
    double intensity;  // |<f|F-|i>|^2; all transitions of n spins add up to n * 2^(n-1)
};

// The exact high-resolution spectrum of n coupled spin-1/2 nuclei: the Hamiltonian
// sum(nu_k Iz_k) + sum(J_kl I_k . I_l) in Hz, diagonalised block by block of total Mz.
// shifts[k] is nu_k in Hz; couplings[k][l] (k < l) is J_kl in Hz.
std::vector<Transition> exactSpectrum(const std::vector<double>& shifts,
                                      const std::vector<std::vector<double>>& couplings);

// Lines sorted by frequency, those closer than `tolerance` merged (intensities added),
// and those weaker than `threshold` dropped.
std::vector<Transition> mergedLines(std::vector<Transition> lines, double tolerance,
                                    double threshold);

}  // namespace korva::test
