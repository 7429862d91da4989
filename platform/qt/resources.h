#pragma once

#include <QString>
#include <QStringList>

#include "platform/core/seam.h"

namespace platform {

// The folders that hold the files shipped beside the program, for an executable in
// `executableFolder`: its own "resources" folder, the build tree's (one level up), and
// the installation's data folder.
QStringList ResourceFolders(const QString& executableFolder);

// The folders that ResourceFile searches: those of the running program; tests point it at
// others.
Seam<QStringList()>& ProgramResourceFolders();

// The path of a resource file of the running program, or an empty text when none exists.
QString ResourceFile(const QString& name);

}  // namespace platform
