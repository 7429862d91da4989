#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/core/message_dialog.h"
#include "platform/core/seam.h"

namespace korva::test {

// Answers every message box at once while it lives, and keeps what it was shown.
class MessageRecorder {
  public:
    std::vector<std::string> messages;
    std::function<void(const std::string&)> onShow;  // runs while the box would be open

  private:
    platform::ScopedReplacement<void(const std::string&)> presenter_{
        platform::MessageDialog::Presenter(), [this](const std::string& message) {
            messages.push_back(message);
            if (onShow) onShow(message);
        }};
};

}  // namespace korva::test
