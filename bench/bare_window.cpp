// The floors for KORVA's start-up: a Qt Widgets program that shows one empty window, or,
// given the argument "text", one window with a line of text (which loads the fonts).
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool text = argc > 1 && std::strcmp(argv[1], "text") == 0;
    QLabel window(text ? "This program plots NMR line spectra." : "");
    window.setWindowTitle(text ? "bare text" : "bare");
    window.resize(450, 400);
    window.show();
    return app.exec();
}
