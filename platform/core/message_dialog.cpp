#include "platform/core/message_dialog.h"

#include <iostream>

namespace platform {

void MessageDialog::Show(const std::string& message) { Presenter()(message); }

Seam<void(const std::string&)>& MessageDialog::Presenter() {
    // Without a desktop there is nobody to ask: the message goes to the error stream.
    static Seam<void(const std::string&)> seam(
        [](const std::string& message) { std::cerr << message << '\n'; });
    return seam;
}

}  // namespace platform
