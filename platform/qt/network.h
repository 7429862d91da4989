#pragma once

#include <functional>

namespace platform {

// The machine's network connection, as the desktop reports it.
class Network {
  public:
    // False only when the desktop knows that there is no connection; where it cannot
    // tell, true, and a request finds out.
    bool IsConnected() const;

    using Query = std::function<bool()>;
    // Replaces how IsConnected asks the desktop (tests decide the answer); returns the
    // query it replaced.
    static Query SetQuery(Query query);
};

namespace System {
platform::Network Network();
}

}  // namespace platform
