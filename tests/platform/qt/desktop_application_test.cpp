// The application object is made and ended here, so this suite has a main of its own.
#include <gtest/gtest.h>

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

}  // namespace
