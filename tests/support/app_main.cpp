// The app suites run with the program's own application object.
#include "app/app.h"
#include "tests/support/qt_test_main.h"

int main(int argc, char** argv) { return korva::test::runQtTests<App>(argc, argv); }
