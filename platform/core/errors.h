#pragma once

#include <stdexcept>

namespace platform {

// The error a platform operation raises when it fails.
class PlatformError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace platform
