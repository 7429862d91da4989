#pragma once

#include <QString>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/core/seam.h"

namespace platform {

// A file or folder of the file system, by its path.
class FolderItem {
  public:
    explicit FolderItem(QString path) : path_(std::move(path)) {}

    const QString& NativePath() const { return path_; }

    // The item of that name (UTF-8) inside this folder, whether or not it exists yet.
    // Raises PlatformError for a name that is not a single item's name.
    FolderItem Child(std::string_view name) const;

    // Opens the file with the application the desktop associates with it; raises
    // PlatformError when the desktop cannot.
    void Open() const;

    // How Open reaches the desktop: true when the item was handed to its application.
    // Tests record instead of starting programs.
    static Seam<bool(const FolderItem& item)>& Opener();

    // The modal save dialog, filtered by the registered file type of that name, proposing
    // `defaultName`: the chosen file, or nothing when the user cancels (save_file_dialog.h).
    static std::optional<FolderItem> ShowSaveFileDialog(std::string_view fileType,
                                                        const QString& defaultName);

  private:
    QString path_;
};

// Folders the desktop keeps for the user.
class SpecialFolder {
  public:
    // The user's desktop folder; raises PlatformError when the desktop names none.
    static FolderItem Desktop();

    // How Desktop finds the folder; tests use a scratch folder.
    static Seam<FolderItem()>& DesktopLocator();
};

}  // namespace platform
