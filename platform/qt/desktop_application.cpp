#include "platform/qt/desktop_application.h"

#include <QIcon>
#include <QMessageBox>
#include <QPalette>
#include <QThread>
#include <QTimer>
#include <string>

#include "platform/core/errors.h"
#include "platform/core/message_dialog.h"
#include "platform/qt/desktop_window.h"
#include "platform/qt/window_icon.h"

namespace platform {
void ShowMessageBox(const std::string& message) {
    QString text = QString::fromStdString(message);
    text.replace("\r\n", "\n");
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, DesktopWindow::DialogOwner());
    box.exec();
}

DesktopApplication::DesktopApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setQuitOnLastWindowClosed(false);  // the program says itself when it ends
    // The executable's icon images, which the program embeds under :/icon, mark every window.
    const QIcon icon = WindowIcon(":/icon");
    if (!icon.isNull()) setWindowIcon(icon);
    // The windows' class (WM_CLASS), which the desktop entry names, whatever the executable
    // is called; and the entry, korva.desktop, by which Wayland docks find the program.
    setApplicationName("KORVA");
    setDesktopFileName("korva");
}

void DesktopApplication::SetSupportsHiDPI(bool on) {
    // Qt 6 always scales for the screen; HiDPI support means fractional factors are used
    // as they are, so that text and plot are sharp at 125 % or 150 %.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        on ? Qt::HighDpiScaleFactorRoundingPolicy::PassThrough
           : Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

void DesktopApplication::EnableDarkModeSupport() {
    // Qt takes the desktop's palette, light or dark, as long as the program sets none of
    // its own; the windows keep their fixed text colours readable (see DesktopWindow).
}

void DesktopApplication::SetVersionData(const VersionRecord& record) {
    setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(record.major).arg(record.minor).arg(record.revision));
}

int DesktopApplication::Run() {
    QTimer::singleShot(0, this, [this] { RunHandler([this] { Event_Opening(); }); });
    return exec();
}

void Quit(int exitCode) {
    // Outside an event loop there is nothing to end, and Qt would refuse every later loop.
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(exitCode);
}

void UnhandledException(std::exception_ptr error) {
    std::string message = "Something went wrong, and KORVA could not finish what it was doing.";
    try {
        std::rethrow_exception(error);
    } catch (const PlatformError& e) {
        message = e.what();
    } catch (const std::exception& e) {
        message += "\r\n\r\n" + std::string(e.what());
    } catch (...) {
    }
    try {
        MessageDialog::Show(message);
    } catch (...) {
        // A message box that fails cannot be reported in a message box.
    }
}

bool IsDarkMode() {
    const QPalette palette = QGuiApplication::palette();
    return palette.color(QPalette::Window).lightness() <
           palette.color(QPalette::WindowText).lightness();
}

}  // namespace platform
