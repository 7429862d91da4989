#pragma once

// Test entry for suites that need Qt: headless on a 1920 by 1080 main screen, with an
// application object of the given class and a private runtime directory. A message box
// that a test did not expect fails the test instead of waiting for a click.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "platform/core/message_dialog.h"
#include "platform/core/seam.h"
#include "platform/qt/desktop_application.h"

namespace korva::test {

inline QtMessageHandler standardMessageHandler = nullptr;

// The offscreen platform says on every show what it cannot do; the rest is worth reading.
inline void filterMessages(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
    if (message.startsWith("This plugin does not support")) return;
    standardMessageHandler(type, context, message);
}

template <class Application>
int runQtTests(int argc, char** argv) {
    standardMessageHandler = qInstallMessageHandler(filterMessages);
    QTemporaryDir scratch(QDir::tempPath() + "/korva-test-XXXXXX");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        const QString screens = scratch.filePath("screens.json");
        QFile file(screens);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(R"({"screens": [{"name": "main", "x": 0, "y": 0, "width": 1920,)"
                       R"( "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        }
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens).toLocal8Bit());
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QDir(scratch.path()).mkdir("runtime");
        const QString runtime = scratch.filePath("runtime");
        QFile::setPermissions(
            runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    Application app(argc, argv);
    const platform::ScopedReplacement unexpected{
        platform::MessageDialog::Presenter(),
        [](const std::string& message) { ADD_FAILURE() << "unexpected message box: " << message; }};
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

}  // namespace korva::test
