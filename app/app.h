#pragma once

#include "platform/qt/desktop_application.h"

// The application object: when the program opens it gives the shared state its start
// values and shows the intro window.
class App : public platform::DesktopApplication {
  public:
    using platform::DesktopApplication::DesktopApplication;

    void Event_Opening() override;
};
