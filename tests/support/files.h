#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cerrno>

#include "tests/support/failing_disk.h"

namespace korva::test {

// A folder inside `parent` whose files fail as `fault` says, made when missing. The test
// fails at once when they do not, that is when the failing-disk library is not preloaded.
inline QString failingFolder(const QString& parent, DiskFault fault) {
    const QString folder = QDir(parent).filePath(marker(fault));
    EXPECT_TRUE(QDir().mkpath(folder)) << folder.toStdString();
    const QByteArray probe = QFile::encodeName(QDir(folder).filePath("probe"));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    EXPECT_GE(fd, 0) << probe.constData();
    bool fails = fault == DiskFault::SyncFails && ::fsync(fd) != 0 && errno == EIO;
    fails = (::close(fd) != 0 && errno == EIO && fault == DiskFault::CloseFails) || fails;
    ::unlink(probe.constData());
    EXPECT_TRUE(fails) << "the files in " << folder.toStdString()
                       << " do not fail: the failing-disk library is not preloaded";
    return folder;
}

// The files in a folder, hidden ones too: what a failed write may have left there.
inline QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A file's bytes, or "(missing)".
inline QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size()) << path.toStdString();
}

}  // namespace korva::test
