#pragma once

#include <QString>

namespace platform {

// A file or folder of the file system, by its path.
class FolderItem {
public:
    explicit FolderItem(QString path) : path_(std::move(path)) {}

    const QString& NativePath() const { return path_; }

private:
    QString path_;
};

}  // namespace platform
