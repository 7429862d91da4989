#pragma once

#include <functional>
#include <string>

namespace platform {

// A modal message box: Show returns when the user has closed it.
class MessageDialog {
  public:
    using Presenter = std::function<void(const std::string& message)>;

    static void Show(const std::string& message);

    // Replaces what Show does (the desktop installs its message box, tests a recorder);
    // returns the presenter it replaced.
    static Presenter SetPresenter(Presenter presenter);
};

}  // namespace platform
