#include "update/window_download.h"

#include <QCloseEvent>
#include <QMetaObject>
#include <QScopeGuard>

#include "engine/module1.h"
#include "platform/qt/desktop_application.h"
#include "platform/qt/network.h"
#include "update/version_check.h"

namespace {

using platform::DesktopButton;
using platform::URLConnection;

constexpr const char* kDownloadingNote =
    "Downloading to desktop...\r\nThis window will close when finished.";
constexpr std::int64_t kCheckSeconds = 30;
constexpr std::int64_t kDownloadSeconds = 60;

// The note stands beside the buttons while the progress bar shows; once a download failed
// it moves below them, where its first line does not run under "Later".
constexpr int kNoteTop = 124;
constexpr int kFailureNoteTop = 139;

std::string noConnectionMessage() {
    return "Web connection was unsuccessful." + Module1::CR +
           "Please check network or use a browser to access link.";
}

}  // namespace

// Owned by the document window the command came from, the plot window.
WindowDownload::WindowDownload()
    : platform::DesktopWindow(platform::DesktopWindow::FrontDocumentWindow()) {
    Layout();
    CreateControls();
}

void WindowDownload::Layout() {
    // The white background colour is given but not switched on.
    SetProperties({.Title = "Update",
                   .Width = 370,
                   .Height = 200,
                   .MinimumWidth = 64,
                   .MinimumHeight = 64,
                   .MaximumWidth = 32000,
                   .MaximumHeight = 32000,
                   .Type = 3,
                   .DefaultLocation = 3,
                   .HasCloseButton = true,
                   .HasMaximizeButton = false,
                   .HasMinimizeButton = false,
                   .Resizeable = false,
                   .Visible = true});
}

void WindowDownload::CreateControls() {
    using W = WindowDownload;
    namespace style = platform::style;
    // member, name, left, top, width, height, text, style, tab
    static constexpr platform::ControlSpec<W> kControls[] = {
        {&W::ProgressBar1_, "ProgressBar1", 18, 155, 335, 20, "", style::Hidden},
        {&W::StaticText2_, "StaticText2", 18, kNoteTop, 248, 35, kDownloadingNote,
         style::Wraps | style::Hidden},
        {&W::StaticText1_, "StaticText1", 17, 43, 341, 75, "You are running version", style::Wraps},
        {&W::PushButton1_, "PushButton1", 192, 119, 80, 20, "Close", 0, 3},
        {&W::PushButton2_, "PushButton2", 278, 119, 85, 20, "Download",
         style::Default | style::Hidden},
        {&W::StaticText3_, "StaticText3", 17, 13, 100, 20, "KORVA", style::Bold},
        {&W::EditField1_, "EditField1", 14, 173, 342, 22, "", style::Frameless, 7},
    };
    platform::DesktopWindow::CreateControls<W>(*this, kControls);
    PushButton1_->Pressed = [this](DesktopButton& b) { PushButton1_Pressed(b); };
    PushButton2_->Pressed = [this](DesktopButton& b) { PushButton2_Pressed(b); };

    auto* downloader = FileDownloader_ = new URLConnection(this);
    downloader->setObjectName("FileDownloader");
    downloader->FileReceived = [this](URLConnection& c, const std::string& url, std::int64_t status,
                                      const platform::FolderItem& file) {
        FileDownloader_FileReceived(c, url, status, file);
    };
    downloader->ReceivingProgressed = [this](URLConnection& c, std::int64_t received,
                                             std::int64_t total, const std::string& data) {
        FileDownloader_ReceivingProgressed(c, received, total, data);
    };
    downloader->Error = [this](URLConnection& c, const platform::PlatformError& e) {
        FileDownloader_Error(c, e);
    };

    Checker_ = new URLConnection(this);
    Checker_->setObjectName("Checker");
}

void WindowDownload::Event_Opening() {
    EditField1().Text(Module1::websource);
    const platform::DesktopWindow* plot = platform::DesktopWindow::FrontDocumentWindow();
    Left((plot ? plot->Left() : 0) + 10);

    const std::string message =
        platform::System::Network().IsConnected() ? check() : noConnectionMessage();
    if (closeWhenOpened_) {
        QMetaObject::invokeMethod(
            this, [this] { platform::RunHandler([this] { Close(); }); }, Qt::QueuedConnection);
        return;
    }
    // std::string holds UTF-8, so the reply's bytes inside the message read as UTF-8.
    StaticText1().Text(message);
}

// Asks the home page for the published version text: the message for its answer.
std::string WindowDownload::check() {
    checking_ = true;
    const auto done = qScopeGuard([this] { checking_ = false; });
    try {
        return outcome(
            Checker().SendSync("GET", Module1::websource + "KORVA_version.txt", kCheckSeconds));
    } catch (const platform::BadReplyException&) {
        // The server answered, but not with the version file: the link is at fault.
        return OutcomeMessage(CheckOutcome::BadLink, "", Module1::version, Module1::CR, false);
    } catch (const platform::NetworkException&) {
        return noConnectionMessage();  // no answer came
    }
}

// The message for the published text; offers the download when it is newer.
std::string WindowDownload::outcome(const std::string& reply) {
    const CheckOutcome found = Compare(reply, Module1::version);
    if (found == CheckOutcome::NewerPublished) {
        PushButton1().Caption("Later");
        PushButton2().Visible(true);
    }
    return OutcomeMessage(found, reply, Module1::version, Module1::CR,
                          found == CheckOutcome::UpToDate && platform::IsDarkMode());
}

void WindowDownload::PushButton1_Pressed(DesktopButton&) { Close(); }

void WindowDownload::PushButton2_Pressed(DesktopButton&) {
    if (FileDownloader().Busy()) return;  // one transfer writes the package at a time
    ProgressBar1().Value(0);
    ProgressBar1().MaximumValue(100);
    ProgressBar1().Visible(true);
    StaticText2().Text(kDownloadingNote);  // a failed attempt may have replaced it
    StaticText2().Top(kNoteTop);
    StaticText2().Visible(true);
    try {
        const std::string name = Module1::appname + ".zip";
        FileDownloader().Send("GET", Module1::websource + name,
                              platform::SpecialFolder::Desktop().Child(name), kDownloadSeconds);
    } catch (const platform::PlatformError&) {
        downloadFailed();
    }
}

void WindowDownload::FileDownloader_ReceivingProgressed(URLConnection&, std::int64_t received,
                                                        std::int64_t total, const std::string&) {
    ProgressBar1().Value(static_cast<double>(received));
    ProgressBar1().MaximumValue(total);
}

void WindowDownload::FileDownloader_FileReceived(URLConnection&, const std::string&, std::int64_t,
                                                 const platform::FolderItem& file) {
    // The package is whole on the desktop even when nothing can open it: the window's
    // work is done either way.
    const auto close = qScopeGuard([this] { Close(); });
    file.Open();
}

void WindowDownload::FileDownloader_Error(URLConnection&, const platform::PlatformError&) {
    downloadFailed();
}

void WindowDownload::downloadFailed() {
    ProgressBar1().Visible(false);
    StaticText2().Top(kFailureNoteTop);
    StaticText2().Text("The download was unsuccessful." + Module1::CR +
                       "Please try again or use a browser.");
}

void WindowDownload::closeEvent(QCloseEvent* event) {
    if (checking_) {
        // Closed while the version request waits: the wait ends now, and the window closes
        // once its opening is over, so that it is never deleted under its own handler.
        event->ignore();
        closeWhenOpened_ = true;
        Checker().Disconnect();
        return;
    }
    FileDownloader().Disconnect();  // a download stops with the window and leaves no file
    platform::DesktopWindow::closeEvent(event);
}

class WindowDownload& WindowDownload() {
    static QPointer<class WindowDownload> open;
    return platform::DesktopWindow::ImplicitInstance(open,
                                                     [] { return new class WindowDownload(); });
}
