#include "platform/qt/folder_item.h"

#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>
#include <string>

#include "platform/core/errors.h"

namespace platform {

FolderItem FolderItem::Child(std::string_view name) const {
    const QString child = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    // A separator or a dot name would reach outside this folder.
    if (child.isEmpty() || child == "." || child == ".." || child.contains('/') ||
        child.contains(QDir::separator())) {
        throw PlatformError("\"" + std::string(name) +
                            "\" is not the name of an item in a folder.");
    }
    return FolderItem(QDir(path_).filePath(child));
}

void FolderItem::Open() const {
    if (!Opener()(*this)) {
        throw PlatformError("The file \"" + QDir::toNativeSeparators(path_).toStdString() +
                            "\" could not be opened.");
    }
}

Seam<bool(const FolderItem&)>& FolderItem::Opener() {
    static Seam<bool(const FolderItem&)> seam([](const FolderItem& item) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(item.NativePath()));
    });
    return seam;
}

FolderItem SpecialFolder::Desktop() { return DesktopLocator()(); }

Seam<FolderItem()>& SpecialFolder::DesktopLocator() {
    static Seam<FolderItem()> seam([] {
        const QString path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        if (path.isEmpty()) throw PlatformError("The desktop folder cannot be found.");
        return FolderItem(path);
    });
    return seam;
}

}  // namespace platform
