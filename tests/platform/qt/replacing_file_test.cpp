#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/qt/replacing_file.h"
#include "tests/support/files.h"

namespace {

using korva::test::contentsOf;
using korva::test::filesIn;
using korva::test::writeFile;
using platform::ReplacingFile;

mode_t modeOf(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info.st_mode & 07777;
}

// The umask while it lives.
class Umask {
  public:
    explicit Umask(mode_t mask) : previous_(::umask(mask)) {}
    ~Umask() { ::umask(previous_); }
    Umask(const Umask&) = delete;
    Umask& operator=(const Umask&) = delete;

  private:
    mode_t previous_;
};

// Until the commit the destination stays as it was, and the new bytes wait beside it; an
// uncommitted file leaves nothing behind.
TEST(ReplacingFile, TakesTheDestinationsPlaceOnlyWhenCommitted) {
    for (const bool existed : {true, false}) {
        for (const bool commit : {true, false}) {
            SCOPED_TRACE(testing::Message() << "existed " << existed << ", commit " << commit);
            QTemporaryDir dir;
            const QString path = dir.filePath("NMR.png");
            if (existed) writeFile(path, "old");
            const QStringList before = filesIn(dir.path());
            {
                ReplacingFile file(path);
                ASSERT_TRUE(file.Open()) << file.ErrorString().toStdString();
                ASSERT_TRUE(file.Write("new "));
                ASSERT_TRUE(file.Write("bytes"));
                EXPECT_EQ(contentsOf(path), existed ? "old" : "(missing)");
                EXPECT_EQ(filesIn(dir.path()).size(), before.size() + 1);
                if (commit) {
                    ASSERT_TRUE(file.Commit()) << file.ErrorString().toStdString();
                    EXPECT_FALSE(file.Write("more"));  // done: nothing more goes in
                }
                EXPECT_EQ(file.FileName(), path);
            }
            EXPECT_EQ(contentsOf(path), commit ? "new bytes" : existed ? "old" : "(missing)");
            EXPECT_EQ(filesIn(dir.path()), commit ? QStringList{"NMR.png"} : before);
        }
    }
}

// A new file is made as any other, with 0666 less the umask; a replaced file keeps its mode
// exactly, whatever the umask.
TEST(ReplacingFile, ANewFileHasTheUsualModeAndAReplacedOneKeepsItsOwn) {
    for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{0}}) {
        for (const std::optional<mode_t> old :
             {std::optional<mode_t>{}, std::optional<mode_t>{0640}, std::optional<mode_t>{0666},
              std::optional<mode_t>{0604}}) {
            SCOPED_TRACE(testing::Message()
                         << std::oct << "umask " << mask << ", old mode " << old.value_or(0));
            QTemporaryDir dir;
            const QString path = dir.filePath("NMR.png");
            if (old) {
                writeFile(path, "old");
                ASSERT_TRUE(::chmod(QFile::encodeName(path).constData(), *old) == 0);
            }
            const Umask umask(mask);
            ReplacingFile file(path);
            ASSERT_TRUE(file.Open() && file.Write("new") && file.Commit())
                << file.ErrorString().toStdString();
            EXPECT_EQ(modeOf(path), old.value_or(0666 & ~mask));
        }
    }
}

// Two files for one destination are written apart, and the later commit wins.
TEST(ReplacingFile, TwoAtOnceWriteApartAndTheLastCommitWins) {
    QTemporaryDir dir;
    const QString path = dir.filePath("KORVA.zip");
    ReplacingFile first(path), second(path);
    ASSERT_TRUE(first.Open());
    ASSERT_TRUE(second.Open());
    EXPECT_EQ(filesIn(dir.path()).size(), 2);
    ASSERT_TRUE(first.Write("first"));
    ASSERT_TRUE(second.Write("second"));
    ASSERT_TRUE(first.Commit());
    EXPECT_EQ(contentsOf(path), "first");
    ASSERT_TRUE(second.Commit());
    EXPECT_EQ(contentsOf(path), "second");
    EXPECT_EQ(filesIn(dir.path()), QStringList{"KORVA.zip"});
}

TEST(ReplacingFile, ALinkKeepsPointingWhereItDidAndThatFileIsReplaced) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("pictures"));
    const QString real = dir.filePath("pictures/NMR.png");
    const QString link = dir.filePath("NMR.png");
    writeFile(real, "old");
    ASSERT_TRUE(QFile::link(real, link));
    ReplacingFile file(link);
    ASSERT_TRUE(file.Open() && file.Write("new") && file.Commit())
        << file.ErrorString().toStdString();
    EXPECT_EQ(QFile::symLinkTarget(link), real);
    EXPECT_EQ(contentsOf(real), "new");
    EXPECT_EQ(filesIn(dir.filePath("pictures")), QStringList{"NMR.png"});
}

// Where the file cannot be made or cannot take the destination's place, the step that fails
// says why, the folder is left as it was and the later steps fail too.
TEST(ReplacingFile, AFailedStepSaysWhyAndLeavesTheFolderAsItWas) {
    struct Case {
        const char* name;
        const char* destination;
        bool opens;  // the failure comes at the commit
        int error;
    };
    const Case cases[] = {
        {"no such folder", "missing/NMR.png", false, ENOENT},
        {"a folder", "NMR.png", true, EISDIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(QDir(dir.path()).mkdir("NMR.png"));
        ReplacingFile file(dir.filePath(c.destination));
        ASSERT_EQ(file.Open(), c.opens) << file.ErrorString().toStdString();
        if (c.opens) {
            ASSERT_TRUE(file.Write("new"));
            EXPECT_FALSE(file.Commit());
        }
        EXPECT_EQ(file.ErrorString(), QString::fromLocal8Bit(std::strerror(c.error)));
        EXPECT_FALSE(file.Write("more"));
        EXPECT_FALSE(file.Commit());
        EXPECT_TRUE(filesIn(dir.path()).isEmpty());
        EXPECT_TRUE(QDir(dir.filePath("NMR.png")).isEmpty());
    }
}

}  // namespace
