#pragma once

#include <functional>
#include <utility>

namespace platform {

template <class Signature>
class Seam;

// A piece of the program's behaviour that tests replace: a dialog, the clock, the network
// query. Each seam is a function-local static of its owner, so it exists at its first use
// whatever the order of static initialisation.
template <class Result, class... Args>
class Seam<Result(Args...)> {
  public:
    using Function = std::function<Result(Args...)>;

    explicit Seam(Function own) : own_(own), current_(std::move(own)) {}
    Seam(const Seam&) = delete;
    Seam& operator=(const Seam&) = delete;

    Result operator()(Args... args) const { return current_(std::forward<Args>(args)...); }

    // Puts `replacement` in place, or the program's own behaviour when it is empty; returns
    // what it replaced.
    Function Replace(Function replacement) {
        return std::exchange(current_, replacement ? std::move(replacement) : own_);
    }

  private:
    const Function own_;
    Function current_;
};

// Replaces a seam while it lives, then puts back what it replaced.
template <class Signature>
class ScopedReplacement {
  public:
    ScopedReplacement(Seam<Signature>& seam, typename Seam<Signature>::Function replacement)
        : seam_(seam), replaced_(seam.Replace(std::move(replacement))) {}
    ~ScopedReplacement() { seam_.Replace(std::move(replaced_)); }
    ScopedReplacement(const ScopedReplacement&) = delete;
    ScopedReplacement& operator=(const ScopedReplacement&) = delete;

  private:
    Seam<Signature>& seam_;
    typename Seam<Signature>::Function replaced_;
};

}  // namespace platform
