#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The folders that hold the files shipped beside the program, for an executable in
// `executableFolder`: its own "resources" folder, the build tree's (one level up), and
// the installation's data folder.
QStringList ResourceFolders(const QString& executableFolder);

// The path of a resource file of the running program, or an empty text when none exists.
QString ResourceFile(const QString& name);

// Tests point the program at other resource folders; an empty list restores the default.
void SetResourceFolders(QStringList folders);

}  // namespace platform
