#pragma once

#include <QApplication>
#include <QColor>
#include <QPalette>

namespace korva::test {

// A desktop in dark mode while it lives: its windows' ground darker than their text.
class DarkDesktop {
  public:
    DarkDesktop() : light_(QApplication::palette()) {
        QPalette dark = light_;
        dark.setColor(QPalette::Window, QColor(32, 32, 32));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(QPalette::Base, QColor(20, 20, 20));
        QApplication::setPalette(dark);
    }
    ~DarkDesktop() { QApplication::setPalette(light_); }
    DarkDesktop(const DarkDesktop&) = delete;
    DarkDesktop& operator=(const DarkDesktop&) = delete;

  private:
    const QPalette light_;
};

}  // namespace korva::test
