#pragma once

#include "platform/qt/desktop_menu.h"

// The program's one menu bar: the File menu and its five commands.
class Menu : public platform::DesktopMenuBar {
  public:
    // Builds the items.
    void Untitled0();

  private:
    Menu();
    friend class Menu& Menu();
};

// The shared menu bar, built on first use.
class Menu& Menu();
