#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// A file that takes the place of its destination only once it is whole on the disk. It is
// written to a new temporary file beside the destination; Commit syncs and closes that file
// and renames it over the destination, checking each step, because a network file system or
// a quota may accept every write and report the failure only at the sync or the close. Any
// failure, or the end of the object before a commit, removes the temporary file and leaves
// the destination as it was.
//
// A new file gets the permissions of any newly made file (0666 less the umask); a file that
// is replaced keeps its own. A symbolic link keeps pointing where it did: the file it points
// to is replaced. A destination that exists but may not be written is refused.
class ReplacingFile {
  public:
    explicit ReplacingFile(QString destination);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Each step returns false when it fails, with the reason in ErrorString; from then on
    // the temporary file is gone and every step fails.
    bool Open();
    bool Write(const QByteArray& data);
    bool Commit();

    // The destination as it was given.
    const QString& FileName() const { return destination_; }
    // The system's reason for the failure of the last step, for a message.
    const QString& ErrorString() const { return error_; }

  private:
    bool fail(const QString& reason);
    void discard();

    QString destination_;
    QString target_;     // the file that is replaced: the destination, or where its link points
    QString temporary_;  // while it exists
    QString error_;
#ifdef Q_OS_WIN
    void* handle_ = nullptr;
#else
    int descriptor_ = -1;
#endif
};

}  // namespace platform
