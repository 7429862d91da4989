#include "platform/qt/folder_item.h"

#include <QDesktopServices>
#include <QDir>
#include <QStandardPaths>
#include <QUrl>
#include <string>
#include <utility>

#include "platform/core/errors.h"

namespace platform {
namespace {

FolderItem::Opener& opener() {
    static FolderItem::Opener current = [](const FolderItem& item) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(item.NativePath()));
    };
    return current;
}

SpecialFolder::Locator& desktopLocator() {
    static SpecialFolder::Locator current = [] {
        const QString path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        if (path.isEmpty()) throw PlatformError("The desktop folder cannot be found.");
        return FolderItem(path);
    };
    return current;
}

}  // namespace

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
    if (!opener()(*this)) {
        throw PlatformError("The file \"" + QDir::toNativeSeparators(path_).toStdString() +
                            "\" could not be opened.");
    }
}

FolderItem::Opener FolderItem::SetOpener(Opener replacement) {
    return std::exchange(opener(), std::move(replacement));
}

FolderItem SpecialFolder::Desktop() { return desktopLocator()(); }

SpecialFolder::Locator SpecialFolder::SetDesktopLocator(Locator replacement) {
    return std::exchange(desktopLocator(), std::move(replacement));
}

}  // namespace platform
