#include "desktop_application.h"
#include "qt_test_main.h"

int main(int argc, char** argv) {
    return korva::test::runQtTests<platform::DesktopApplication>(argc, argv);
}
