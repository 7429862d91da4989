// The desktop suite runs with the program's own application object, on the X server and
// under the theme that tests/desktop/on_desktop.sh has set up.
#include <QtGlobal>
#include <cstdio>

#include "app/app.h"
#include "tests/support/qt_test_main.h"

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM") != "xcb") {
        std::fputs("The desktop suite runs on an X server: start it with on_desktop.sh.\n", stderr);
        return 1;
    }
    platform::DesktopApplication::SetSupportsHiDPI(true);  // as the program starts
    return korva::test::runQtTests<App>(argc, argv);
}
