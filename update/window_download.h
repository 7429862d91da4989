#pragma once

#include <cstdint>
#include <string>

#include "platform/qt/desktop_controls.h"
#include "platform/qt/desktop_window.h"
#include "platform/qt/folder_item.h"
#include "platform/qt/url_connection.h"

// The update window: compares the running version with the one published on the home
// page as it opens, and downloads the newest package to the desktop on request.
class WindowDownload : public platform::DesktopWindow {
  public:
    platform::DesktopProgressBar& ProgressBar1() const { return *ProgressBar1_; }
    platform::DesktopLabel& StaticText2() const { return *StaticText2_; }
    platform::DesktopLabel& StaticText1() const { return *StaticText1_; }
    platform::DesktopButton& PushButton1() const { return *PushButton1_; }
    platform::DesktopButton& PushButton2() const { return *PushButton2_; }
    platform::DesktopLabel& StaticText3() const { return *StaticText3_; }
    platform::DesktopTextField& EditField1() const { return *EditField1_; }
    platform::URLConnection& FileDownloader() const { return *FileDownloader_; }
    platform::URLConnection& Checker() const { return *Checker_; }

  protected:
    void Event_Opening() override;
    void closeEvent(QCloseEvent* event) override;
    bool ClosesOnEscape() const override { return true; }

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

    std::string check();
    std::string outcome(const std::string& reply);
    void downloadFailed();

    platform::DesktopProgressBar* ProgressBar1_ = nullptr;
    platform::DesktopLabel* StaticText2_ = nullptr;
    platform::DesktopLabel* StaticText1_ = nullptr;
    platform::DesktopButton* PushButton1_ = nullptr;
    platform::DesktopButton* PushButton2_ = nullptr;
    platform::DesktopLabel* StaticText3_ = nullptr;
    platform::DesktopTextField* EditField1_ = nullptr;
    platform::URLConnection* FileDownloader_ = nullptr;
    platform::URLConnection* Checker_ = nullptr;
    bool checking_ = false;
    bool closeWhenOpened_ = false;

    friend class WindowDownload& WindowDownload();
};

// The one update window: the open one, or a new one, which checks for a newer version
// as it opens.
class WindowDownload& WindowDownload();
