#include "platform/core/message_dialog.h"

#include <iostream>
#include <utility>

namespace platform {
namespace {

MessageDialog::Presenter& presenter() {
    // Without a desktop there is nobody to ask: the message goes to the error stream.
    static MessageDialog::Presenter current = [](const std::string& message) {
        std::cerr << message << '\n';
    };
    return current;
}

}  // namespace

void MessageDialog::Show(const std::string& message) { presenter()(message); }

MessageDialog::Presenter MessageDialog::SetPresenter(Presenter replacement) {
    return std::exchange(presenter(), std::move(replacement));
}

}  // namespace platform
