#pragma once

#include <QString>
#include <optional>

#include "platform/core/seam.h"
#include "platform/qt/folder_item.h"

namespace platform {

// What the save dialog is asked: the files it offers (a name filter such as
// "PNG image (*.png)", empty for all files), its suffix and the proposed file name.
struct SaveFileRequest {
    QString nameFilter;
    QString defaultSuffix;
    QString defaultName;
};

// What FolderItem::ShowSaveFileDialog does; tests answer it instead of a user.
Seam<std::optional<FolderItem>(const SaveFileRequest&)>& SaveFileDialog();

}  // namespace platform
