#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPalette>
#include <QPointer>
#include <QTcpServer>
#include <QTest>
#include <optional>

#include "platform/qt/desktop_application.h"
#include "tests/support/dark_desktop.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/files.h"
#include "tests/support/message_recorder.h"
#include "tests/support/shown_texts.h"
#include "tests/support/tab_order.h"
#include "tests/update/update_fixture.h"
#include "update/window_download.h"

namespace {

using korva::test::contentsOf;
using korva::test::DiskFault;
using korva::test::kPatienceMs;
using korva::test::plotWindow;
using korva::test::Reply;
using korva::test::runEventLoop;
using korva::test::TestServer;
using korva::test::UpdateTest;
using korva::test::waitFor;
using korva::test::writeFile;
using namespace std::chrono_literals;

using UpdateWindow = UpdateTest;
using VersionCheck = UpdateTest;
using Download = UpdateTest;

const QString kVersionFile = "KORVA_version.txt";
const QString kPackage = "KORVA.zip";

// The messages of the outcome table, for the running version "1.61 December 31, 2021".
const std::string kNoConnection =
    "Web connection was unsuccessful.\r\nPlease check network or use a browser to access link.";
const std::string kBadLink =
    "There is a problem with the update link.\r\nPlease use a browser to access link.";
const std::string kUpToDate =
    "You are running version 1.61 December 31, 2021.\r\n\r\n"
    "This 64 bit version of KORVA is up to date.";
std::string newer(const std::string& reply) {
    return "The newest version is " + reply +
           ".\r\nYou are running version 1.61 December 31, 2021.\r\n\r\n"
           "Download latest version to desktop?";
}
std::string older(const std::string& reply) {
    return "You are running version 1.61 December 31, 2021\r\nwhich is newer than online " + reply +
           ".";
}
const std::string kDownloadFailed =
    "The download was unsuccessful.\r\nPlease try again or use a browser.";

// Every line shows whole (no wrapping) and all lines fit the label's height.
void expectFits(const platform::DesktopLabel& label) {
    const QFontMetrics metrics = label.fontMetrics();
    const QStringList lines = label.text().split('\n');
    for (const QString& line : lines) {
        EXPECT_LE(metrics.horizontalAdvance(line), label.width()) << line.toStdString();
    }
    EXPECT_LE(lines.size() * metrics.lineSpacing(), label.height()) << label.Text();
}

// A web page of at least `size` bytes, as a server sends in place of a missing file.
QByteArray webPage(int size) {
    QByteArray page = "<!DOCTYPE html>\n<html><head><title>Moved</title></head><body>\n";
    while (page.size() < size) page += "<p>This page has moved.</p>\n";
    return page + "</body></html>\n";
}

// A package's bytes that differ from place to place, so that a piece lost or repeated shows.
QByteArray packageBytes(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

TEST_F(UpdateWindow, IsBuiltWithItsLayoutBesideThePlotWindow) {
    server.serve(kVersionFile, {200, "1.61 December 31, 2021"});
    plotWindow().Left(100);
    auto& window = WindowDownload();
    EXPECT_EQ(window.Title(), "Update");
    EXPECT_EQ(window.Width(), 370);
    EXPECT_EQ(window.Height(), 200);
    EXPECT_EQ(window.Left(), 110);
    EXPECT_EQ(window.parentWidget(), &plotWindow());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.windowFlags() &
                 (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);

    struct Control {
        const char* name;
        QRect geometry;
        bool visible;
        std::string text;
    };
    const Control controls[] = {
        {"ProgressBar1", {18, 155, 335, 20}, false, ""},
        {"StaticText2",
         {18, 124, 248, 35},
         false,
         "Downloading to desktop...\r\nThis window will close when finished."},
        {"StaticText1", {17, 43, 341, 75}, true, kUpToDate},
        {"PushButton1", {192, 119, 80, 20}, true, "Close"},
        {"PushButton2", {278, 119, 85, 20}, false, "Download"},
        {"StaticText3", {17, 13, 100, 20}, true, "KORVA"},
        {"EditField1", {14, 173, 342, 22}, true, Module1::websource},
    };
    for (const Control& c : controls) {
        auto* widget = window.findChild<QWidget*>(c.name);
        ASSERT_NE(widget, nullptr) << c.name;
        EXPECT_EQ(widget->geometry(), c.geometry) << c.name;
        EXPECT_EQ(widget->isVisibleTo(&window), c.visible) << c.name;
        if (auto* label = qobject_cast<platform::DesktopLabel*>(widget)) {
            EXPECT_EQ(label->Text(), c.text) << c.name;
            expectFits(*label);
        }
        if (auto* button = qobject_cast<platform::DesktopButton*>(widget)) {
            EXPECT_EQ(button->Caption(), c.text) << c.name;
        }
    }
    EXPECT_EQ(window.EditField1().Text(), Module1::websource);
    EXPECT_FALSE(window.EditField1().hasFrame());
    EXPECT_TRUE(window.StaticText3().font().bold());
    EXPECT_FALSE(window.StaticText1().font().bold());
    EXPECT_TRUE(window.PushButton2().Default());
    EXPECT_FALSE(window.PushButton1().Default());
    EXPECT_FALSE(window.FileDownloader().Busy());
    EXPECT_NE(&window.FileDownloader(), &window.Checker());
}

TEST_F(UpdateWindow, WithoutAPlotWindowStandsAtTheLeftEdge) {
    server.serve(kVersionFile, {200, "1.61 December 31, 2021"});
    auto& window = WindowDownload();
    EXPECT_EQ(window.Left(), 10);
    EXPECT_EQ(window.parentWidget(), nullptr);
}

TEST_F(VersionCheck, ReportsEachPublishedText) {
    const auto limit = static_cast<int>(platform::URLConnection::kSyncReplyLimit);
    struct Case {
        const char* name;
        Reply reply;
        std::string message;
        bool offersDownload;
        bool realistic = true;  // a text short enough for the label
    };
    // Texts order byte by byte, both whole: "1.7" after "1.61" ('7' > '6'), "1.100" before
    // it ('1' < '6'), the running text with a line break after it (longer, same start).
    const Case cases[] = {
        {"equal", {200, "1.61 December 31, 2021"}, kUpToDate, false},
        {"newer", {200, "1.7 January 1, 2023"}, newer("1.7 January 1, 2023"), true},
        {"older", {200, "1.100 March 3, 2030"}, older("1.100 March 3, 2030"), false},
        {"empty", {200, ""}, older(""), false},
        {"trailing line break",
         {200, "1.61 December 31, 2021\n"},
         newer("1.61 December 31, 2021\n"),
         true},
        {"UTF-8", {200, "1.62 D\u00E9cembre 2022"}, newer("1.62 D\u00E9cembre 2022"), true},
        {"page", {200, "<html><body>Moved</body></html>"}, kBadLink, false},
        {"'<' inside", {200, "1.62 <b>beta</b>"}, kBadLink, false},
        // The server answered, so the network is fine: the link is at fault, whatever the
        // body holds.
        {"not found, a page",
         {404, "<html><body><h1>Not Found</h1></body></html>"},
         kBadLink,
         false},
        {"server error", {500, "1.99"}, kBadLink, false},
        {"a status Qt lets pass", {300, "1.99"}, kBadLink, false},
        {"success without a body", {204, ""}, older(""), false},
        {"longest", {200, QByteArray(limit, '9')}, newer(std::string(limit, '9')), true, false},
        // A real page is longer than any version text; its "<" is never read.
        {"a long page", {200, webPage(6 * 1024)}, kBadLink, false},
        {"too long", {200, QByteArray(limit + 1, '9')}, kBadLink, false},
        {"too long, unannounced",
         {200, QByteArray(limit + 1, '9'), Reply::Ending::NoLength},
         kBadLink,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        server.serve(kVersionFile, c.reply);
        const int before = server.requests(kVersionFile);
        auto& window = WindowDownload();
        EXPECT_EQ(server.requests(kVersionFile), before + 1);
        EXPECT_EQ(window.StaticText1().Text(), c.message);
        EXPECT_EQ(window.PushButton1().Caption(), c.offersDownload ? "Later" : "Close");
        EXPECT_EQ(window.PushButton2().Visible(), c.offersDownload);
        EXPECT_FALSE(window.ProgressBar1().Visible());
        if (c.realistic) expectFits(window.StaticText1());
        window.PushButton1().Press();
        EXPECT_FALSE(updateWindowIsOpen());
    }
    EXPECT_EQ(server.methods().count("GET"), server.methods().size());
    // The label shows the reply's bytes as UTF-8.
    server.serve(kVersionFile, {200, "1.62 D\u00E9cembre 2022"});
    EXPECT_TRUE(WindowDownload().StaticText1().text().contains(QString::fromUtf8("D\u00E9cembre")));
}

TEST_F(VersionCheck, UpToDateInDarkModeAddsALine) {
    std::string text, newerText;
    {
        const korva::test::DarkDesktop dark;
        server.serve(kVersionFile, {200, "1.61 December 31, 2021"});
        auto& window = WindowDownload();
        text = window.StaticText1().Text();
        expectFits(window.StaticText1());
        window.Close();
        server.serve(kVersionFile, {200, "1.7 January 1, 2023"});
        newerText = WindowDownload().StaticText1().Text();
    }
    EXPECT_EQ(text, kUpToDate + "\r\nCurrently running in dark mode.");
    EXPECT_EQ(newerText, newer("1.7 January 1, 2023"));
}

TEST_F(VersionCheck, WithoutANetworkConnectionSendsNoRequest) {
    platform::Network::Query().Replace([] { return false; });
    server.serve(kVersionFile, {200, "1.7 January 1, 2023"});
    auto& window = WindowDownload();
    EXPECT_EQ(window.StaticText1().Text(), kNoConnection);
    EXPECT_EQ(server.requests(kVersionFile), 0);
    EXPECT_EQ(window.PushButton1().Caption(), "Close");
    EXPECT_FALSE(window.PushButton2().Visible());
    EXPECT_EQ(window.EditField1().Text(), Module1::websource);
}

TEST_F(VersionCheck, AFailedRequestSaysSoAndTheWindowStaysUsable) {
    TestServer stranger(TestServer::Certificate::Untrusted);
    stranger.serve(kVersionFile, {200, "1.7 January 1, 2023"});
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const std::string closedPort = "https://127.0.0.1:" + std::to_string(closed.serverPort()) + "/";
    closed.close();
    server.serve(kVersionFile, {200, "", Reply::Ending::Silent});

    // Only the request nobody answers ends at its time-out; the others fail by themselves,
    // long before theirs.
    struct Case {
        const char* name;
        std::string websource;
        std::chrono::milliseconds timeout = kAmple;
    };
    const Case cases[] = {
        {"no answer", server.folder(), 300ms},
        {"untrusted certificate", stranger.folder()},
        {"nobody listening", closedPort},
        {"not a web address", "korva.example/classes/programs/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Module1::websource = c.websource;
        timeoutsLast(c.timeout);
        QElapsedTimer clock;
        clock.start();
        auto& window = WindowDownload();
        EXPECT_LT(clock.elapsed(), kPatienceMs);
        if (c.timeout < kAmple) {
            EXPECT_GE(clock.elapsed(), c.timeout.count());  // it waited for an answer
        }
        EXPECT_EQ(window.StaticText1().Text(), kNoConnection);
        EXPECT_EQ(window.PushButton1().Caption(), "Close");
        EXPECT_FALSE(window.PushButton2().Visible());
        QTest::mouseClick(&window.PushButton1(), Qt::LeftButton);
        EXPECT_FALSE(updateWindowIsOpen());
    }
    EXPECT_EQ(stranger.requests(kVersionFile), 0);  // the handshake was refused
}

// A reply longer than a version text may be ends the wait as soon as it is too long, not at
// the time-out: the server sends more than that and then nothing, holding the connection.
TEST_F(VersionCheck, AReplyTooLongEndsTheWaitAtOnce) {
    const auto limit = static_cast<int>(platform::URLConnection::kSyncReplyLimit);
    server.serve(kVersionFile, {200, QByteArray(3 * limit, '9'), Reply::Ending::StallHalfway});
    timeoutsLast(kAmple);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(WindowDownload().StaticText1().Text(), kBadLink);
    EXPECT_LT(clock.elapsed(), kPatienceMs);
}

TEST_F(VersionCheck, WithoutAnAnswerWaitsUntilTheTimeOut) {
    server.serve(kVersionFile, {200, "", Reply::Ending::Silent});
    timeoutsLast(400ms);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(WindowDownload().StaticText1().Text(), kNoConnection);
    EXPECT_GE(clock.elapsed(), 400);
    EXPECT_LT(clock.elapsed(), kPatienceMs);  // the shortened time-out, not the 30 s asked
}

TEST_F(VersionCheck, TheCheckWaitsThirtySecondsAndTheDownloadSixty) {
    // Unshortened, a time-out lasts its seconds.
    EXPECT_EQ(platform::URLConnection::TimeoutLength()(30), 30s);
    EXPECT_EQ(platform::URLConnection::TimeoutLength()(60), 60s);

    timeoutsLast(kAmple);
    server.serve(kVersionFile, {200, "1.7 January 1, 2023"});
    server.serve(kPackage, {200, "package"});
    auto& window = WindowDownload();
    window.PushButton2().Press();
    ASSERT_TRUE(waitFor([this] { return !updateWindowIsOpen(); }));
    EXPECT_EQ(timeoutSeconds, (std::vector<std::int64_t>{30, 60}));
}

TEST_F(UpdateWindow, CheckingAgainShowsTheOpenWindowWithoutASecondRequest) {
    server.serve(kVersionFile, {200, "1.7 January 1, 2023"});
    auto& first = WindowDownload();
    first.Show();
    EXPECT_EQ(&WindowDownload(), &first);
    WindowDownload().Show();
    EXPECT_EQ(server.requests(kVersionFile), 1);
    EXPECT_EQ(first.StaticText1().Text(), newer("1.7 January 1, 2023"));
    EXPECT_EQ(first.PushButton1().Caption(), "Later");

    // Typed text is never read back: nothing changes, not even the address used later.
    QTest::keyClicks(&first.EditField1(), "https://elsewhere.example/");
    first.Close();
    ASSERT_FALSE(updateWindowIsOpen());

    server.serve(kVersionFile, {200, "1.61 December 31, 2021"});
    auto& second = WindowDownload();
    EXPECT_EQ(server.requests(kVersionFile), 2);
    EXPECT_EQ(second.StaticText1().Text(), kUpToDate);
    EXPECT_EQ(second.PushButton1().Caption(), "Close");
    EXPECT_FALSE(second.PushButton2().Visible());
    EXPECT_EQ(second.EditField1().Text(), Module1::websource);
}

TEST_F(VersionCheck, ClosingTheWindowWhileItWaitsEndsTheWait) {
    timeoutsLast(kAmple);
    server.serve(kVersionFile, {200, "1.7 January 1, 2023", Reply::Ending::Silent});
    server.onRequest = [](const QString&) { WindowDownload().Close(); };
    QElapsedTimer clock;
    clock.start();
    QPointer<class WindowDownload> window = &WindowDownload();
    EXPECT_LT(clock.elapsed(), kPatienceMs);  // the close ended the wait, not the time-out
    // The opening handler stopped there: it wrote nothing after the close.
    EXPECT_EQ(window->StaticText1().Text(), "You are running version");
    EXPECT_FALSE(window->PushButton2().Visible());

    ASSERT_TRUE(waitFor([&] { return !updateWindowIsOpen(); }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());

    server.onRequest = nullptr;
    server.serve(kVersionFile, {200, "1.7 January 1, 2023"});
    EXPECT_EQ(WindowDownload().StaticText1().Text(), newer("1.7 January 1, 2023"));
}

TEST_F(VersionCheck, QuittingWhileItWaitsEndsTheWaitAndTheEventLoop) {
    timeoutsLast(kAmple);
    server.serve(kVersionFile, {200, "", Reply::Ending::Silent});
    server.onRequest = [](const QString&) { platform::Quit(0); };
    QElapsedTimer clock;
    clock.start();
    // As in the program: the menu command runs from the event loop.
    EXPECT_EQ(runEventLoop([] { WindowDownload().Show(); }), 0);
    EXPECT_LT(clock.elapsed(), kPatienceMs);  // the quit ended the wait, not the time-out
    ASSERT_TRUE(updateWindowIsOpen());
    EXPECT_EQ(WindowDownload().StaticText1().Text(), kNoConnection);
}

TEST_F(Download, LandsWholeOnTheDesktopIsOpenedAndClosesTheWindow) {
    const QByteArray package = packageBytes(300'000);
    struct Case {
        const char* name;
        Reply::Ending ending;
        std::int64_t total;  // as reported
    };
    for (Case c : {Case{"announced", Reply::Ending::Whole, package.size()},
                   Case{"unannounced", Reply::Ending::NoLength, -1}}) {
        SCOPED_TRACE(c.name);
        opened.clear();
        writeFile(desktopFile(kPackage), "an older package");
        server.serve(kVersionFile, {200, "1.7 January 1, 2023"});
        server.serve(kPackage, {200, package, c.ending, 4});
        auto& window = WindowDownload();

        struct Report {
            std::int64_t received, total;
            double value;
            std::int64_t maximum;
            int barValue, barMaximum;  // what the bar shows
        };
        std::vector<Report> reports;
        auto show = window.FileDownloader().ReceivingProgressed;
        window.FileDownloader().ReceivingProgressed = [&](platform::URLConnection& connection,
                                                          std::int64_t received, std::int64_t total,
                                                          const std::string& data) {
            show(connection, received, total, data);
            reports.push_back({received, total, window.ProgressBar1().Value(),
                               window.ProgressBar1().MaximumValue(), window.ProgressBar1().value(),
                               window.ProgressBar1().maximum()});
            server.received(received);  // the next of the four pieces goes out
        };
        QTest::mouseClick(&window.PushButton2(), Qt::LeftButton);
        EXPECT_TRUE(window.ProgressBar1().Visible());
        EXPECT_TRUE(window.StaticText2().Visible());
        expectFits(window.StaticText2());
        EXPECT_EQ(window.PushButton1().Caption(), "Later");

        ASSERT_TRUE(waitFor([this] { return !updateWindowIsOpen(); }));
        EXPECT_EQ(contentsOf(desktopFile(kPackage)), package);
        EXPECT_EQ(desktopFiles(), QStringList{kPackage});
        EXPECT_EQ(opened, QStringList{desktopFile(kPackage)});

        ASSERT_GE(reports.size(), 2u);
        std::int64_t previous = 0;
        for (const Report& r : reports) {
            EXPECT_GT(r.received, previous);
            previous = r.received;
            EXPECT_EQ(r.total, c.total);
            EXPECT_EQ(r.value, static_cast<double>(r.received));
            EXPECT_EQ(r.maximum, r.total);
            if (r.total < 0) {
                EXPECT_EQ(r.barMaximum, 0) << "a busy bar for an unknown total";
            } else {
                // The bar is as full as the share of the package received, to its resolution.
                ASSERT_GT(r.barMaximum, 0);
                EXPECT_NEAR(static_cast<double>(r.barValue) / r.barMaximum,
                            static_cast<double>(r.received) / static_cast<double>(r.total),
                            1.0 / r.barMaximum)
                    << r.received << " of " << r.total;
            }
        }
        EXPECT_EQ(reports.back().received, package.size());
    }
    EXPECT_EQ(server.requests(kPackage), 2);
}

TEST_F(Download, AFailureLeavesTheOldPackageSaysSoAndMayBeTriedAgain) {
    const QByteArray package = packageBytes(100'000);
    // A host whose certificate nobody vouches for, with a package of its own.
    TestServer stranger(TestServer::Certificate::Untrusted);
    stranger.serve(kPackage, {200, "a stranger's package"});
    // Only the stalled transfer ends at its time-out; the others fail by themselves.
    struct Case {
        const char* name;
        Reply reply;
        bool desktopExists = true;
        std::chrono::milliseconds timeout = kAmple;
        bool fromStranger = false;
        bool diskFull = false;
        std::optional<DiskFault> fault = {};  // of the desktop folder's disk
    };
    const Case cases[] = {
        {.name = "dropped halfway", .reply = {200, package, Reply::Ending::DropHalfway}},
        {.name = "stalled halfway",
         .reply = {200, package, Reply::Ending::StallHalfway},
         .timeout = 300ms},
        {.name = "error status", .reply = {404, "<html>Not here</html>"}},
        {.name = "no bytes", .reply = {200, ""}},
        {.name = "no desktop folder", .reply = {200, package}, .desktopExists = false},
        {.name = "untrusted certificate", .reply = {200, package}, .fromStranger = true},
        // A small package and a large one: a writer that buffered would meet the full disk
        // at its last write or while it wrote.
        {.name = "disk full, a small package",
         .reply = {200, packageBytes(1'000)},
         .diskFull = true},
        {.name = "disk full, a large package", .reply = {200, package}, .diskFull = true},
        // A network disk or a quota may take every byte and fail only the sync or the close.
        {.name = "sync fails", .reply = {200, package}, .fault = DiskFault::SyncFails},
        {.name = "close fails", .reply = {200, package}, .fault = DiskFault::CloseFails},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        opened.clear();
        const QString home =
            c.fault ? korva::test::failingFolder(desktop.path(), *c.fault) : desktop.path();
        const QString old = home + "/" + kPackage;
        writeFile(old, "an older package");
        Module1::websource = server.folder();
        server.serve(kVersionFile, {200, "1.7 January 1, 2023"});
        server.serve(kPackage, c.reply);
        auto previousDesktop = platform::SpecialFolder::DesktopLocator().Replace(
            [folder = c.desktopExists ? home : desktop.filePath("gone")] {
                return platform::FolderItem(folder);
            });
        timeoutsLast(kAmple);
        auto& window = WindowDownload();
        timeoutsLast(c.timeout);
        if (c.fromStranger) Module1::websource = stranger.folder();
        {
            std::optional<korva::test::FileSizeLimit> full;
            if (c.diskFull) full.emplace(0);
            window.PushButton2().Press();
            ASSERT_TRUE(waitFor([&] {
                return !updateWindowIsOpen() || window.StaticText2().Text() == kDownloadFailed;
            }));
        }
        ASSERT_TRUE(updateWindowIsOpen()) << "the download was taken as complete";
        EXPECT_EQ(window.StaticText2().Text(), kDownloadFailed);
        EXPECT_TRUE(window.StaticText2().Visible());
        expectFits(window.StaticText2());
        EXPECT_FALSE(window.ProgressBar1().Visible());
        EXPECT_TRUE(window.PushButton2().Visible());
        EXPECT_EQ(contentsOf(old), "an older package");
        EXPECT_EQ(korva::test::filesIn(home), QStringList{kPackage});
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_TRUE(updateWindowIsOpen());

        // Pressed again, Download starts again, and this time the transfer succeeds.
        platform::SpecialFolder::DesktopLocator().Replace(std::move(previousDesktop));
        Module1::websource = server.folder();
        server.serve(kPackage, {200, package});
        timeoutsLast(kAmple);
        window.PushButton2().Press();
        EXPECT_EQ(window.StaticText2().Text(),
                  "Downloading to desktop...\r\nThis window will close when finished.");
        EXPECT_TRUE(window.ProgressBar1().Visible());
        ASSERT_TRUE(waitFor([this] { return !updateWindowIsOpen(); }));
        EXPECT_EQ(contentsOf(desktopFile(kPackage)), package);
        EXPECT_EQ(opened, QStringList{desktopFile(kPackage)});
    }
}

TEST_F(Download, ClosingTheWindowStopsTheTransferAndLeavesNoFile) {
    server.serve(kVersionFile, {200, "1.7 January 1, 2023"});
    server.serve(kPackage, {200, packageBytes(100'000), Reply::Ending::StallHalfway});
    auto& window = WindowDownload();
    int reports = 0;
    auto show = window.FileDownloader().ReceivingProgressed;
    window.FileDownloader().ReceivingProgressed = [&](platform::URLConnection& connection,
                                                      std::int64_t received, std::int64_t total,
                                                      const std::string& data) {
        ++reports;
        show(connection, received, total, data);
    };
    window.PushButton2().Press();
    ASSERT_TRUE(waitFor([&] { return window.ProgressBar1().Value() > 0; }));
    EXPECT_FALSE(QFile::exists(desktopFile(kPackage)));  // only a temporary file so far

    const double progress = window.ProgressBar1().Value();
    window.PushButton2().Press();  // a second press changes nothing
    EXPECT_TRUE(window.FileDownloader().Busy());
    EXPECT_EQ(window.ProgressBar1().Value(), progress);
    EXPECT_TRUE(window.ProgressBar1().Visible());
    EXPECT_EQ(window.StaticText2().Text(),
              "Downloading to desktop...\r\nThis window will close when finished.");

    const int reportsBefore = reports;
    const QPointer<class WindowDownload> closing = &window;
    QTest::mouseClick(&window.PushButton1(), Qt::LeftButton);
    EXPECT_FALSE(updateWindowIsOpen());
    ASSERT_FALSE(closing.isNull());  // deleted later, but its transfer has stopped now
    EXPECT_FALSE(closing->FileDownloader().Busy());
    ASSERT_TRUE(waitFor([this] { return server.closedConnections() >= 2; }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(server.requests(kPackage), 1);
    EXPECT_EQ(reports, reportsBefore);
    EXPECT_TRUE(desktopFiles().isEmpty());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(Download, APackageThatCannotBeOpenedStaysAndTheUserIsTold) {
    korva::test::MessageRecorder messages;
    platform::FolderItem::Opener().Replace([](const platform::FolderItem&) { return false; });
    server.serve(kVersionFile, {200, "1.7 January 1, 2023"});
    server.serve(kPackage, {200, "package"});
    WindowDownload().PushButton2().Press();
    ASSERT_TRUE(waitFor([this] { return !updateWindowIsOpen(); }));
    EXPECT_EQ(contentsOf(desktopFile(kPackage)), "package");
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0],
              "The file \"" + desktopFile(kPackage).toStdString() + "\" could not be opened.");
}

// Each outcome, the download under way and a failed one: every text shows whole.
TEST_F(UpdateWindow, EveryTextShowsWhole) {
    auto expectWhole = [](QWidget& window, const std::string& state) {
        for (const std::string& problem : korva::test::hiddenTexts(window)) {
            ADD_FAILURE() << state << ": " << problem;
        }
    };
    platform::Network::Query().Replace([] { return false; });
    expectWhole(WindowDownload(), "no connection");
    WindowDownload().Close();
    platform::Network::Query().Replace([] { return true; });
    for (const char* reply :
         {"<html>", "1.61 December 31, 2021", "1.100 March 3, 2030", "1.7 January 1, 2023"}) {
        server.serve(kVersionFile, {200, reply});
        expectWhole(WindowDownload(), reply);
        if (!WindowDownload().PushButton2().Visible()) WindowDownload().Close();
    }
    auto& window = WindowDownload();
    server.serve(kPackage, {200, packageBytes(10'000), Reply::Ending::StallHalfway});
    window.PushButton2().Press();
    expectWhole(window, "downloading");
    window.FileDownloader().Disconnect();
    platform::SpecialFolder::DesktopLocator().Replace(
        [this] { return platform::FolderItem(desktop.filePath("gone")); });
    window.PushButton2().Press();
    ASSERT_EQ(window.StaticText2().Text(), kDownloadFailed);
    expectWhole(window, "failed");
    platform::SpecialFolder::DesktopLocator().Replace(
        [this] { return platform::FolderItem(desktop.path()); });
    window.PushButton2().Press();
    ASSERT_TRUE(window.ProgressBar1().Visible());
    expectWhole(window, "downloading again");
}

// Only the first button and the address are tab stops: not Download, the progress bar or
// the labels, also when they are shown.
TEST_F(UpdateWindow, TabMovesBetweenTheFirstButtonAndTheAddress) {
    const QStringList cycle = {"PushButton1", "EditField1", "PushButton1"};
    server.serve(kPackage, {200, packageBytes(10'000), Reply::Ending::StallHalfway});
    for (const char* reply : {"1.61 December 31, 2021", "1.7 January 1, 2023"}) {
        SCOPED_TRACE(reply);
        server.serve(kVersionFile, {200, reply});
        auto& window = WindowDownload();
        EXPECT_EQ(korva::test::tabCycle(window), cycle);
        if (window.PushButton2().Visible()) {
            window.PushButton2().Press();
            ASSERT_TRUE(window.ProgressBar1().Visible());
            EXPECT_EQ(korva::test::tabCycle(window), cycle) << "downloading";
        }
        window.Close();
    }
}

// Return presses Download only where it is offered: the button is the default from the
// start, but hidden until a newer version is found.
TEST_F(UpdateWindow, ReturnDownloadsOnlyWhenADownloadIsOffered) {
    server.serve(kPackage, {200, "package"});
    for (const char* reply : {"1.61 December 31, 2021", "1.7 January 1, 2023"}) {
        SCOPED_TRACE(reply);
        server.serve(kVersionFile, {200, reply});
        auto& window = WindowDownload();
        const bool offered = window.PushButton2().Visible();
        window.activateWindow();
        ASSERT_TRUE(korva::test::waitForActive(window));
        QTest::keyClick(&window, Qt::Key_Return);
        if (offered) {
            ASSERT_TRUE(waitFor([this] { return !updateWindowIsOpen(); }));
            EXPECT_EQ(opened, QStringList{desktopFile(kPackage)});
        } else {
            EXPECT_FALSE(window.FileDownloader().Busy());
            EXPECT_FALSE(window.ProgressBar1().Visible());
            window.Close();
        }
    }
    EXPECT_EQ(server.requests(kPackage), 1);
}

}  // namespace
