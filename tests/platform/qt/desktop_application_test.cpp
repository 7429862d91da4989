// The application object is made and ended here, so this suite has a main of its own.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <string>
#include <vector>

#include "platform/core/message_dialog.h"
#include "platform/core/seam.h"
#include "platform/qt/desktop_application.h"
#include "tests/support/modal_robot.h"

namespace {

// While the application object lives, messages go to the desktop's box; after it, to the
// presenter it replaced.
TEST(DesktopApplication, ShowsMessagesInItsBoxWhileItLives) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<std::string> before;
    const platform::ScopedReplacement earlier{
        platform::MessageDialog::Presenter(),
        [&](const std::string& message) { before.push_back(message); }};
    {
        int argc = 1;
        char name[] = "korva_application_tests";
        char* argv[] = {name, nullptr};
        platform::DesktopApplication application(argc, argv);
        QString shown;
        korva::test::ModalRobot robot([&](QDialog& dialog) {
            if (const auto* box = qobject_cast<QMessageBox*>(&dialog)) shown = box->text();
        });
        platform::MessageDialog::Show("in the box");
        EXPECT_EQ(shown, "in the box");
    }
    platform::MessageDialog::Show("after the application");
    EXPECT_EQ(before, std::vector<std::string>{"after the application"});
}

// Docks find the program's entry by the name the application gives (on Wayland) or by the
// windows' class, which Qt takes from the application's name (on X): the entry shipped
// under that name names the same class.
TEST(DesktopApplication, NamesTheDesktopEntryThatNamesItsWindowsClass) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "korva_application_tests";
    char* argv[] = {name, nullptr};
    platform::DesktopApplication application(argc, argv);
    QFile entry(KORVA_SOURCE_DIR "/resources/" + QGuiApplication::desktopFileName() + ".desktop");
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly)) << entry.fileName().toStdString();
    const QStringList lines = QString::fromUtf8(entry.readAll()).split('\n');
    EXPECT_TRUE(lines.contains("StartupWMClass=" + QCoreApplication::applicationName()))
        << QCoreApplication::applicationName().toStdString();
}

}  // namespace
