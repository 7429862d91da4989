#pragma once

#include <string>

#include "platform/core/seam.h"

namespace platform {

// A modal message box: Show returns when the user has closed it.
class MessageDialog {
  public:
    static void Show(const std::string& message);

    // What Show does: the desktop installs its message box, tests a recorder.
    static Seam<void(const std::string& message)>& Presenter();
};

}  // namespace platform
