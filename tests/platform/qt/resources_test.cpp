#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/qt/resources.h"

namespace {

// The picture is found from the executable's folder, in the build tree and where the
// install rules put the program and its data.
TEST(ResourceFiles, AreFoundBesideTheBuiltAndTheInstalledProgram) {
    QTemporaryDir root;
    const QDir dir(root.path());
    const QString program = "usr/" KORVA_INSTALL_BINDIR;
    const QString data = "usr/" KORVA_INSTALL_DATA_DIR;
    for (const QString& folder :
         {QString("build/app"), program, QString("build/resources"), data}) {
        ASSERT_TRUE(dir.mkpath(folder));
    }
    for (const QString& picture : {QString("build/resources/NMR.png"), data + "/NMR.png"}) {
        QFile file(dir.filePath(picture));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    struct Case {
        QString executableFolder;
        QString picture;
    };
    for (const Case& c :
         {Case{"build/app", "build/resources/NMR.png"}, Case{program, data + "/NMR.png"}}) {
        bool found = false;
        for (const QString& folder : platform::ResourceFolders(dir.filePath(c.executableFolder))) {
            found = found || QDir::cleanPath(QDir(folder).filePath("NMR.png")) ==
                                 QDir::cleanPath(dir.filePath(c.picture));
        }
        EXPECT_TRUE(found) << c.executableFolder.toStdString();
    }
}

}  // namespace
