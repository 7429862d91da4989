#pragma once

#include <QApplication>
#include <cstdint>
#include <exception>
#include <string>

#include "platform/core/message_dialog.h"
#include "platform/core/seam.h"

namespace platform {

class DesktopMenuBar;

// The desktop's modal message box; MessageDialog::Show uses it while the application
// object exists.
void ShowMessageBox(const std::string& message);

// The application object and its event loop.
class DesktopApplication : public QApplication {
  public:
    DesktopApplication(int& argc, char** argv);

    // Before the application object exists.
    static void SetSupportsHiDPI(bool on);
    static void EnableDarkModeSupport();

    // Raised once, from the event loop, as it starts.
    virtual void Event_Opening() {}

    struct VersionRecord {
        std::int64_t major, minor, revision, nonRelease, stage;  // stage 2: beta
        std::string longVersion, shortVersion, packageInfo;
    };
    // Handed to the desktop, which shows major.minor.revision as the program's version.
    void SetVersionData(const VersionRecord& record);

    // The application's menu bar. This desktop shows none of the application's own: the
    // windows carry the menu bar they are given, so there is nothing to keep.
    void MenuBar(DesktopMenuBar&) {}

    // Runs the event loop until Quit; returns the exit code given to Quit.
    int Run();

  private:
    ScopedReplacement<void(const std::string&)> presenter_{MessageDialog::Presenter(),
                                                           ShowMessageBox};
};

// Ends the event loop, and with it the program, with the given exit code.
void Quit(int exitCode);

// Tells the user about an exception that nothing caught.
void UnhandledException(std::exception_ptr error);

// Runs a handler of the program where Qt has called the layer: an exception that leaves
// the handler goes to UnhandledException, and the program keeps running. (Qt's own frames
// are not built to pass exceptions on.)
template <class Handler>
void RunHandler(Handler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        UnhandledException(std::current_exception());
    }
}

// True when the desktop runs in dark mode (its window background darker than its text).
bool IsDarkMode();

}  // namespace platform
