// The benchmarks that draw on pictures; Qt draws text only with a GUI application.
#include <QGuiApplication>

#include "bench/side_by_side.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    korva::bench::RunAndSummarize();
    benchmark::Shutdown();
    return 0;
}
