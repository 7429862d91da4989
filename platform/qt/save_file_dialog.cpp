#include "platform/qt/save_file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/core/file_type.h"
#include "platform/qt/desktop_window.h"

namespace platform {
namespace {

// The folder of the last file saved in this run: the next dialog opens there.
QString& lastFolder() {
    static QString folder;
    return folder;
}

std::optional<FolderItem> standardDialog(const SaveFileRequest& request) {
    if (lastFolder().isEmpty()) {
        lastFolder() = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    }
    // GTK's chooser, unlike Qt's own dialog, has no title unless it is given one.
    QFileDialog dialog(DesktopWindow::DialogOwner(), "Save As", lastFolder());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setMimeTypeFilters(request.mimeTypeFilters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(request.defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString chosen = dialog.selectedFiles().first();
    lastFolder() = QFileInfo(chosen).absolutePath();
    return FolderItem(chosen);
}

}  // namespace

Seam<std::optional<FolderItem>(const SaveFileRequest&)>& SaveFileDialog() {
    static Seam<std::optional<FolderItem>(const SaveFileRequest&)> seam(standardDialog);
    return seam;
}

std::optional<FolderItem> FolderItem::ShowSaveFileDialog(std::string_view fileType,
                                                         const QString& defaultName) {
    SaveFileRequest request{{}, {}, defaultName};
    if (const FileType::Registration* type = FileType::Lookup(fileType)) {
        request.mimeTypeFilters = {QString::fromStdString(type->name)};
        const QStringList extensions =
            QString::fromStdString(type->extensions).split(';', Qt::SkipEmptyParts);
        if (!extensions.isEmpty()) request.defaultSuffix = extensions.first();
    }
    return SaveFileDialog()(request);
}

}  // namespace platform
