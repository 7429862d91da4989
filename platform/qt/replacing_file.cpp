#include "platform/qt/replacing_file.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>

#include <QDir>
#include <algorithm>
#include <string>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#endif

namespace platform {
namespace {

// Names tried before a folder full of look-alikes counts as a failure.
constexpr int kNameAttempts = 100;

// A name beside the target that no file is likely to have, as "NMR.png.k3x9q1".
QString temporaryName(const QString& target) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString name = target + '.';
    for (int i = 0; i < 6; ++i) {
        name +=
            QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int{sizeof kLetters} - 1)]);
    }
    return name;
}

#ifdef Q_OS_WIN
std::wstring native(const QString& path) { return QDir::toNativeSeparators(path).toStdWString(); }
QString lastError() { return qt_error_string(static_cast<int>(GetLastError())); }
#else
QString lastError() { return qt_error_string(errno); }
#endif

}  // namespace

ReplacingFile::ReplacingFile(QString destination) : destination_(std::move(destination)) {}

ReplacingFile::~ReplacingFile() { discard(); }

bool ReplacingFile::fail(const QString& reason) {
    error_ = reason;
    discard();
    return false;
}

#ifdef Q_OS_WIN

// The new file takes the permissions the folder gives any new file. MOVEFILE_WRITE_THROUGH
// returns only once the new name is on the disk, as syncing the folder does elsewhere.

bool ReplacingFile::Open() {
    if (handle_ || !temporary_.isEmpty()) return fail("The file is already open.");
    const QFileInfo existing(destination_);
    target_ = existing.isSymbolicLink() && existing.exists() ? existing.canonicalFilePath()
                                                             : destination_;
    if (existing.exists() && !existing.isWritable()) return fail("The file is read-only.");
    for (int attempt = 1;; ++attempt) {
        const QString name = temporaryName(target_);
        const HANDLE handle = CreateFileW(native(name).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            handle_ = handle;
            temporary_ = name;
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS || attempt == kNameAttempts) {
            return fail(lastError());
        }
    }
}

bool ReplacingFile::Write(const QByteArray& data) {
    if (!handle_) return fail("The file is not open.");
    const char* next = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const auto chunk = static_cast<DWORD>(std::min<qint64>(left, qint64{1} << 30));
        DWORD written = 0;
        if (!WriteFile(handle_, next, chunk, &written, nullptr)) return fail(lastError());
        next += written;
        left -= written;
    }
    return true;
}

bool ReplacingFile::Commit() {
    if (!handle_) return fail("The file is not open.");
    if (!FlushFileBuffers(handle_)) return fail(lastError());
    if (!CloseHandle(std::exchange(handle_, nullptr))) return fail(lastError());
    if (!MoveFileExW(native(temporary_).c_str(), native(target_).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return fail(lastError());
    }
    temporary_.clear();
    return true;
}

void ReplacingFile::discard() {
    if (handle_) CloseHandle(std::exchange(handle_, nullptr));
    if (!temporary_.isEmpty()) DeleteFileW(native(std::exchange(temporary_, {})).c_str());
}

#else

bool ReplacingFile::Open() {
    if (descriptor_ >= 0 || !temporary_.isEmpty()) return fail("The file is already open.");
    const QFileInfo existing(destination_);
    target_ = existing.isSymbolicLink() && existing.exists() ? existing.canonicalFilePath()
                                                             : destination_;
    const QByteArray target = QFile::encodeName(target_);
    struct stat old {};
    const bool replacing = ::stat(target.constData(), &old) == 0;
    if (!replacing && errno != ENOENT) return fail(lastError());
    // Renaming over a file needs only the folder's permission: the file's own is asked here.
    if (replacing && ::access(target.constData(), W_OK) != 0) return fail(lastError());
    for (int attempt = 1;; ++attempt) {
        const QString name = temporaryName(target_);
        // A new file is made as any other; one that replaces another gets that one's mode
        // below, untouched by the umask.
        const int descriptor =
            ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                   replacing ? S_IRUSR | S_IWUSR : 0666);
        if (descriptor >= 0) {
            descriptor_ = descriptor;
            temporary_ = name;
            break;
        }
        if (errno != EEXIST || attempt == kNameAttempts) return fail(lastError());
    }
    if (replacing && ::fchmod(descriptor_, old.st_mode & 07777) != 0) return fail(lastError());
    return true;
}

bool ReplacingFile::Write(const QByteArray& data) {
    if (descriptor_ < 0) return fail("The file is not open.");
    const char* next = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor_, next, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) continue;
            return fail(lastError());
        }
        next += written;
        left -= written;
    }
    return true;
}

bool ReplacingFile::Commit() {
    if (descriptor_ < 0) return fail("The file is not open.");
    if (::fsync(descriptor_) != 0) return fail(lastError());
    // The descriptor is gone even when close fails; the data may not have reached the disk.
    if (::close(std::exchange(descriptor_, -1)) != 0) return fail(lastError());
    if (::rename(QFile::encodeName(temporary_).constData(),
                 QFile::encodeName(target_).constData()) != 0) {
        return fail(lastError());
    }
    temporary_.clear();
    // The new name goes to the disk too, so that a crash soon after does not bring back the
    // old file. The replacement is done and cannot be undone, so a failure here is not
    // reported: at worst such a crash brings the old file back.
    const int folder = ::open(QFile::encodeName(QFileInfo(target_).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

void ReplacingFile::discard() {
    if (descriptor_ >= 0) ::close(std::exchange(descriptor_, -1));
    if (!temporary_.isEmpty())
        ::unlink(QFile::encodeName(std::exchange(temporary_, {})).constData());
}

#endif

}  // namespace platform
