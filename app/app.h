#pragma once

#include "desktop_application.h"

// The application object: it gives the shared state its start values when the program
// opens.
class App : public platform::DesktopApplication {
public:
    using platform::DesktopApplication::DesktopApplication;

    void Event_Opening() override;
};
