#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "platform/core/seam.h"
#include "platform/qt/folder_item.h"

namespace platform {

// What the save dialog is asked: the files it offers, by their MIME types ("image/png",
// which the dialog shows as "PNG image (*.png)"; none for all files), the suffix added to a
// name typed without one, and the proposed file name.
struct SaveFileRequest {
    QStringList mimeTypeFilters;
    QString defaultSuffix;
    QString defaultName;
};

// What FolderItem::ShowSaveFileDialog does; tests answer it instead of a user.
Seam<std::optional<FolderItem>(const SaveFileRequest&)>& SaveFileDialog();

}  // namespace platform
