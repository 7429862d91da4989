#pragma once

#include <QApplication>
#include <QWidget>

namespace korva::test {

// The shown window of that class, or nullptr: a window the user can see, as opposed to
// one that its accessor would build. (A closed window is hidden until it is deleted.)
template <class Window>
Window* shownWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<Window*>(widget);
        if (window && window->isVisible()) return window;
    }
    return nullptr;
}

}  // namespace korva::test
