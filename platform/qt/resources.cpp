#include "platform/qt/resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {
namespace {

QStringList& overridden() {
    static QStringList folders;
    return folders;
}

}  // namespace

QStringList ResourceFolders(const QString& executableFolder) {
    const QDir here(executableFolder);
    return {here.filePath("resources"), here.filePath("../resources"),
            here.filePath(KORVA_DATA_FROM_PROGRAM)};
}

QString ResourceFile(const QString& name) {
    const QStringList folders = overridden().isEmpty()
                                    ? ResourceFolders(QCoreApplication::applicationDirPath())
                                    : overridden();
    for (const QString& folder : folders) {
        const QFileInfo file(QDir(folder).filePath(name));
        if (file.isFile()) return QDir::cleanPath(file.absoluteFilePath());
    }
    return {};
}

void SetResourceFolders(QStringList folders) { overridden() = std::move(folders); }

}  // namespace platform
