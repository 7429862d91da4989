#include "platform/qt/resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

QStringList ResourceFolders(const QString& executableFolder) {
    const QDir here(executableFolder);
    return {here.filePath("resources"), here.filePath("../resources"),
            here.filePath(KORVA_DATA_FROM_PROGRAM)};
}

Seam<QStringList()>& ProgramResourceFolders() {
    static Seam<QStringList()> seam(
        [] { return ResourceFolders(QCoreApplication::applicationDirPath()); });
    return seam;
}

QString ResourceFile(const QString& name) {
    for (const QString& folder : ProgramResourceFolders()()) {
        const QFileInfo file(QDir(folder).filePath(name));
        if (file.isFile()) return QDir::cleanPath(file.absoluteFilePath());
    }
    return {};
}

}  // namespace platform
