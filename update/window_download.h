#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/qt/desktop_controls.h"
#include "platform/qt/desktop_window.h"
#include "platform/qt/folder_item.h"
#include "platform/qt/url_connection.h"

// The update window: compares the running version with the one published on the home
// page as it opens, and downloads the newest package to the desktop on request.
class WindowDownload : public platform::DesktopWindow {
  public:
    platform::DesktopProgressBar& ProgressBar1() const;
    platform::DesktopLabel& StaticText2() const;
    platform::DesktopLabel& StaticText1() const;
    platform::DesktopButton& PushButton1() const;
    platform::DesktopButton& PushButton2() const;
    platform::DesktopLabel& StaticText3() const;
    platform::DesktopTextField& EditField1() const;
    platform::URLConnection& FileDownloader() const;
    platform::URLConnection& Checker() const;

  protected:
    void Event_Opening() override;
    void closeEvent(QCloseEvent* event) override;

  private:
    WindowDownload();
    void Layout();
    void CreateControls();

    void PushButton1_Pressed(platform::DesktopButton& button);
    void PushButton2_Pressed(platform::DesktopButton& button);
    void FileDownloader_FileReceived(platform::URLConnection& connection, const std::string& url,
                                     std::int64_t status, const platform::FolderItem& file);
    void FileDownloader_ReceivingProgressed(platform::URLConnection& connection,
                                            std::int64_t received, std::int64_t total,
                                            const std::string& data);
    void FileDownloader_Error(platform::URLConnection& connection,
                              const platform::PlatformError& error);

    std::optional<std::string> publishedVersion();
    std::string outcome(const std::string& reply);
    void downloadFailed();
    platform::URLConnection& connection(const char* name) const;

    bool checking_ = false;
    bool closeWhenOpened_ = false;

    friend class WindowDownload& WindowDownload();
};

// The one update window: the open one, or a new one, which checks for a newer version
// as it opens.
class WindowDownload& WindowDownload();
