#include "app/startup.h"

#include <memory>

#include "app/app.h"
#include "app/file_types.h"
#include "app/menu.h"
#include "app/window1.h"
#include "platform/qt/desktop_window.h"

namespace {

std::unique_ptr<App> application;

}  // namespace

int Main(int argc, char** argv) {
    int exitCode = 1;
    try {
        EarlyStartup(argc, argv);
        LateStartup();
        exitCode = application->Run();
    } catch (...) {
        platform::UnhandledException(std::current_exception());
    }
    platform::DesktopWindow::CloseAll();
    application.reset();
    return exitCode;
}

void EarlyStartup(int& argc, char** argv) {
    platform::DesktopApplication::SetSupportsHiDPI(true);
    platform::DesktopApplication::EnableDarkModeSupport();
    InitFileTypes();
    NewAppInstance(argc, argv);
    ApplicationAddMenuHandlers();
}

void InitFileTypes() { FileTypes::Initialize(); }

void NewAppInstance(int& argc, char** argv) {
    application = std::make_unique<App>(argc, argv);
    application->SetVersionData({.major = 1,
                                 .minor = 6,
                                 .revision = 1,
                                 .nonRelease = 0,
                                 .stage = 2,
                                 .longVersion = "2022",
                                 .shortVersion = "",
                                 .packageInfo = ""});
    application->MenuBar(Menu());
}

// Every menu command is the plot window's: the application binds none.
void ApplicationAddMenuHandlers() {}

void LateStartup() { MakeDefaultView(); }

// The plot window, hidden until the intro window's OK shows it.
void MakeDefaultView() { Window1(); }
