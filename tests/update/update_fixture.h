#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSslConfiguration>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>

#include "engine/module1.h"
#include "platform/qt/desktop_window.h"
#include "platform/qt/folder_item.h"
#include "platform/qt/network.h"
#include "platform/qt/url_connection.h"
#include "tests/support/files.h"
#include "tests/support/test_server.h"
#include "tests/support/waiting.h"
#include "tests/support/windows.h"
#include "update/window_download.h"

namespace korva::test {

// A hidden window under the plot window's name, for the update window to place itself by.
class PlotStandIn : public platform::DesktopWindow {
  public:
    PlotStandIn() {
        platform::WindowProperties properties;
        properties.Title = "NMR";
        properties.Width = 800;
        properties.Height = 600;
        properties.Visible = false;
        SetProperties(properties);
    }
};

inline PlotStandIn& plotWindow() {
    static QPointer<PlotStandIn> open;
    return platform::DesktopWindow::ImplicitInstance(open, [] { return new PlotStandIn(); });
}

// The start values and the version data as the program has them, the home page on a local
// server whose certificate the process trusts, a connected network, a scratch desktop and an
// opener that records instead of starting programs.
class UpdateTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(desktop.isValid());
        Module1::startValues();
        Module1::CR = "\r\n";
        Module1::version = "1.61 December 31, 2021";
        Module1::websource = server.folder();

        QSslConfiguration trusting = untrusting_;
        trusting.addCaCertificate(TestServer::trustedCertificate());
        QSslConfiguration::setDefaultConfiguration(trusting);
    }

    void TearDown() override {
        platform::DesktopWindow::CloseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QSslConfiguration::setDefaultConfiguration(untrusting_);
    }

    // Time-outs last `length` each, whatever their seconds; the seconds asked are kept.
    // Set again, it applies to the transfers started from then on.
    void timeoutsLast(std::chrono::milliseconds length) {
        platform::URLConnection::TimeoutLength().Replace([this, length](std::int64_t s) {
            timeoutSeconds.push_back(s);
            return length;
        });
    }

    QStringList desktopFiles() const { return filesIn(desktop.path()); }
    QString desktopFile(const QString& name) const { return desktop.filePath(name); }

    static bool updateWindowIsOpen() { return shownWindow<class WindowDownload>() != nullptr; }

    // A time-out that must not fire: far longer than any transfer on loopback takes on a
    // loaded machine. Short ones are for transfers that fail whenever they end.
    static constexpr std::chrono::seconds kAmple{60};

    TestServer server;
    QTemporaryDir desktop;
    QStringList opened;
    std::vector<std::int64_t> timeoutSeconds;

  private:
    const QSslConfiguration untrusting_ = QSslConfiguration::defaultConfiguration();
    // What the test replaces comes back after it.
    const platform::ScopedReplacement<bool()> query_{platform::Network::Query(),
                                                     [] { return true; }};
    const platform::ScopedReplacement<bool(const platform::FolderItem&)> opener_{
        platform::FolderItem::Opener(), [this](const platform::FolderItem& item) {
            opened << item.NativePath();
            return true;
        }};
    const platform::ScopedReplacement<platform::FolderItem()> locator_{
        platform::SpecialFolder::DesktopLocator(),
        [this] { return platform::FolderItem(desktop.path()); }};
    // The real length until timeoutsLast shortens it.
    const platform::ScopedReplacement<std::chrono::milliseconds(std::int64_t)> timeouts_{
        platform::URLConnection::TimeoutLength(), {}};
};

}  // namespace korva::test
