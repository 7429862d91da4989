#pragma once

#include "platform/core/seam.h"

namespace platform {

// The machine's network connection, as the desktop reports it.
class Network {
  public:
    // False only when the desktop knows that there is no connection; where it cannot
    // tell, true, and a request finds out.
    bool IsConnected() const;

    // How IsConnected asks the desktop; tests decide the answer.
    static Seam<bool()>& Query();
};

namespace System {
platform::Network Network();
}

}  // namespace platform
