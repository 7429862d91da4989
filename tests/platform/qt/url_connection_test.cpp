#include <gtest/gtest.h>

#include <QFile>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/qt/folder_item.h"
#include "platform/qt/url_connection.h"
#include "tests/support/files.h"
#include "tests/support/test_server.h"
#include "tests/support/waiting.h"

namespace {

using korva::test::DiskFault;
using korva::test::Reply;
using korva::test::TestServer;
using korva::test::waitFor;
using platform::FolderItem;
using platform::URLConnection;

// A local HTTPS server whose certificate the process trusts, and a scratch folder.
class Connection : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(desktop.isValid());
        QSslConfiguration trusting = untrusting_;
        trusting.addCaCertificate(TestServer::trustedCertificate());
        QSslConfiguration::setDefaultConfiguration(trusting);
    }
    void TearDown() override { QSslConfiguration::setDefaultConfiguration(untrusting_); }

    QStringList desktopFiles() const { return korva::test::filesIn(desktop.path()); }

    TestServer server;
    QTemporaryDir desktop;

  private:
    const QSslConfiguration untrusting_ = QSslConfiguration::defaultConfiguration();
};

TEST_F(Connection, ReportsEachPieceAsItArrivesThenTheWholeFile) {
    QByteArray body;
    for (int i = 0; i < 20'000; ++i) body += QByteArray::number(i) + ' ';
    // Each piece goes out once the one before has been reported.
    server.serve("piece.bin", {200, body, Reply::Ending::Whole, 5});
    URLConnection connection;
    std::string pieces;
    std::int64_t lastReceived = 0;
    std::string receivedUrl;
    std::int64_t receivedStatus = 0;
    QString receivedFile;
    connection.ReceivingProgressed = [&](URLConnection& c, std::int64_t received,
                                         std::int64_t total, const std::string& data) {
        EXPECT_EQ(&c, &connection);
        EXPECT_EQ(total, body.size());
        pieces += data;
        EXPECT_EQ(received, static_cast<std::int64_t>(pieces.size()));
        lastReceived = received;
        server.received(received);
    };
    connection.FileReceived = [&](URLConnection&, const std::string& url, std::int64_t status,
                                  const FolderItem& file) {
        receivedUrl = url;
        receivedStatus = status;
        receivedFile = file.NativePath();
    };
    connection.Error = [](URLConnection&, const platform::PlatformError& e) {
        ADD_FAILURE() << e.what();
    };
    const std::string url = server.folder() + "piece.bin";
    const FolderItem destination = FolderItem(desktop.path()).Child("piece.bin");
    connection.Send("GET", url, destination, 60);
    EXPECT_TRUE(connection.Busy());
    ASSERT_TRUE(waitFor([&] { return !receivedFile.isEmpty(); }));
    EXPECT_FALSE(connection.Busy());
    EXPECT_EQ(pieces, body.toStdString());
    EXPECT_EQ(lastReceived, body.size());
    EXPECT_EQ(receivedUrl, url);
    EXPECT_EQ(receivedStatus, 200);
    EXPECT_EQ(receivedFile, destination.NativePath());
    QFile file(receivedFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), body);
}

// A transfer that fails after it has begun writing reports why, keeps the file it was to
// replace and leaves nothing beside it.
TEST_F(Connection, AFailedTransferKeepsTheOldFileAndLeavesNothingBeside) {
    const std::string saveFailed =
        std::string("The download could not be saved: ") + std::strerror(EIO);
    const std::string url = server.folder() + "KORVA.zip";
    struct Case {
        const char* name;
        QByteArray body;
        std::optional<DiskFault> fault;
        std::string error;
    };
    const Case cases[] = {
        {"sync fails", QByteArray(50'000, 'p'), DiskFault::SyncFails, saveFailed},
        {"close fails", QByteArray(50'000, 'p'), DiskFault::CloseFails, saveFailed},
        {"no bytes", "", std::nullopt, "The reply to " + url + " is empty."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder =
            c.fault ? korva::test::failingFolder(desktop.path(), *c.fault) : desktop.path();
        const QString old = folder + "/KORVA.zip";
        korva::test::writeFile(old, "an older package");
        server.serve("KORVA.zip", {200, c.body});
        URLConnection connection;
        std::optional<std::string> error;
        connection.Error = [&](URLConnection&, const platform::PlatformError& e) {
            error = e.what();
        };
        connection.FileReceived = [&](URLConnection&, const std::string&, std::int64_t,
                                      const FolderItem&) { error = "received"; };
        connection.Send("GET", url, FolderItem(old), 60);
        ASSERT_TRUE(waitFor([&] { return error.has_value(); }));
        EXPECT_EQ(*error, c.error);
        EXPECT_FALSE(connection.Busy());
        EXPECT_EQ(korva::test::contentsOf(old), "an older package");
        EXPECT_EQ(korva::test::filesIn(folder), QStringList{"KORVA.zip"});
    }
}

TEST_F(Connection, RequestsOnlyWebAddresses) {
    for (const char* address :
         {"", "korva.example/classes/programs/KORVA.zip", "file:///etc/hostname",
          "ftp://127.0.0.1/KORVA.zip", "https:///KORVA.zip"}) {
        SCOPED_TRACE(address);
        URLConnection connection;
        EXPECT_THROW(connection.SendSync("GET", address, 30), platform::NetworkException);
        EXPECT_THROW(connection.Send("GET", address, FolderItem(desktop.filePath("x.zip")), 60),
                     platform::NetworkException);
        EXPECT_FALSE(connection.Busy());
    }
    EXPECT_TRUE(desktopFiles().isEmpty());
}

TEST_F(Connection, RunsOneTransferAtATimeAndStopsItSilently) {
    server.serve("slow.bin", {200, QByteArray(10'000, 'x'), Reply::Ending::StallHalfway});
    URLConnection connection;
    int events = 0;
    connection.ReceivingProgressed = [&](URLConnection&, std::int64_t, std::int64_t,
                                         const std::string&) { ++events; };
    connection.FileReceived = [&](URLConnection&, const std::string&, std::int64_t,
                                  const FolderItem&) { ++events; };
    connection.Error = [&](URLConnection&, const platform::PlatformError&) { ++events; };
    const std::string url = server.folder() + "slow.bin";
    connection.Send("GET", url, FolderItem(desktop.filePath("slow.bin")), 60);
    ASSERT_TRUE(waitFor([&] { return events > 0; }));

    EXPECT_THROW(connection.Send("GET", url, FolderItem(desktop.filePath("other.bin")), 60),
                 platform::PlatformError);
    EXPECT_THROW(connection.SendSync("GET", url, 30), platform::PlatformError);
    const int before = events;
    connection.Disconnect();
    EXPECT_FALSE(connection.Busy());
    ASSERT_TRUE(waitFor([this] { return server.closedConnections() == 1; }));
    EXPECT_EQ(events, before);
    EXPECT_TRUE(desktopFiles().isEmpty());
    EXPECT_EQ(server.requests("slow.bin"), 1);
}

}  // namespace
