#pragma once

#include <QApplication>
#include <QColor>
#include <QPalette>

namespace korva::test {

// The desktop's palette while it lives: the one given, then the one before it again.
class DesktopPalette {
  public:
    explicit DesktopPalette(const QPalette& palette) : before_(QApplication::palette()) {
        QApplication::setPalette(palette);
    }
    ~DesktopPalette() { QApplication::setPalette(before_); }
    DesktopPalette(const DesktopPalette&) = delete;
    DesktopPalette& operator=(const DesktopPalette&) = delete;

  private:
    const QPalette before_;
};

// The desktop's palette in dark mode: its windows' ground darker than their text.
inline QPalette darkPalette() {
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Window, QColor(32, 32, 32));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(20, 20, 20));
    return dark;
}

// A desktop in dark mode while it lives.
class DarkDesktop : public DesktopPalette {
  public:
    DarkDesktop() : DesktopPalette(darkPalette()) {}
};

}  // namespace korva::test
