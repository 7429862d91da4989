#include "platform/qt/desktop_application.h"
#include "tests/support/qt_test_main.h"

int main(int argc, char** argv) {
    return korva::test::runQtTests<platform::DesktopApplication>(argc, argv);
}
