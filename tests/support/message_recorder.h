#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/core/message_dialog.h"

namespace korva::test {

// Answers every message box at once while it lives, and keeps what it was shown.
class MessageRecorder {
  public:
    MessageRecorder()
        : previous_(platform::MessageDialog::SetPresenter([this](const std::string& message) {
              messages.push_back(message);
              if (onShow) onShow(message);
          })) {}
    ~MessageRecorder() { platform::MessageDialog::SetPresenter(std::move(previous_)); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<std::string> messages;
    std::function<void(const std::string&)> onShow;  // runs while the box would be open

  private:
    platform::MessageDialog::Presenter previous_;
};

}  // namespace korva::test
