#include "app.h"
#include "desktop_window.h"
#include "window1.h"

int main(int argc, char** argv) {
    platform::DesktopApplication::SetSupportsHiDPI(true);
    platform::DesktopApplication::EnableDarkModeSupport();
    App app(argc, argv);
    Window1();
    const int exitCode = app.Run();
    platform::DesktopWindow::CloseAll();
    return exitCode;
}
