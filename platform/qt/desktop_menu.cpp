#include "platform/qt/desktop_menu.h"

namespace platform {

void DesktopMenuItem::AddMenu(std::unique_ptr<DesktopMenuItem> child) {
    children_.push_back(std::move(child));
}

DesktopMenuItem* DesktopMenuItem::Child(std::string_view name) const {
    for (const auto& child : children_) {
        if (child->Name() == name) return child.get();
    }
    return nullptr;
}

}  // namespace platform
