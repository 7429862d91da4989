#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>
#include <QWindow>
#include <memory>

#include "platform/qt/desktop_menu.h"
#include "platform/qt/desktop_window.h"

namespace {

// A window whose opening handler closes it, as one can when it finds nothing to do.
class ShortLived : public platform::DesktopWindow {
  public:
    ShortLived() { SetProperties({.Title = "short", .Width = 100, .Height = 80}); }
    int closings = 0;

  protected:
    void Event_Opening() override { Close(); }
    void Event_Closing() override { ++closings; }
};

TEST(DesktopWindow, AWindowClosedWhileOpeningIsNeitherShownNorReturnedAgain) {
    QPointer<ShortLived> open;
    int built = 0;
    auto make = [&] { return ++built, new ShortLived(); };
    auto& first = platform::DesktopWindow::ImplicitInstance(open, make);
    QPointer<ShortLived> closed(&first);
    EXPECT_FALSE(first.isVisible());
    EXPECT_EQ(first.closings, 1);
    // Gone: the next access builds a fresh window.
    auto& second = platform::DesktopWindow::ImplicitInstance(open, make);
    EXPECT_NE(&second, closed.data());
    EXPECT_EQ(built, 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
}

// A window of the given layout, with a one-item menu bar when asked.
class Sized : public platform::DesktopWindow {
  public:
    Sized(bool resizeable, bool withMenu) {
        if (withMenu) {
            auto menu = std::make_unique<platform::DesktopMenuItem>();
            menu->Name("FileMenu");
            menu->Text("File");
            bar_.AddMenu(std::move(menu));
            MenuBar(bar_);
        }
        SetProperties({.Title = "sized",
                       .Width = 300,
                       .Height = 200,
                       .MinimumWidth = 64,
                       .MinimumHeight = 64,
                       .MaximumWidth = 1000,
                       .MaximumHeight = 900,
                       .Resizeable = resizeable});
    }

  private:
    platform::DesktopMenuBar bar_;
};

// The window manager learns the limits from the window's own minimum and maximum.
TEST(DesktopWindow, SizeLimitsHoldForTheWholeWindow) {
    for (bool withMenu : {false, true}) {
        SCOPED_TRACE(withMenu ? "with a menu bar" : "without a menu bar");
        Sized fixed(false, withMenu);
        fixed.show();
        const QSize whole = fixed.size();
        EXPECT_EQ(fixed.Width(), 300);
        EXPECT_EQ(fixed.Height(), 200);
        EXPECT_EQ(whole.height() > 200, withMenu);
        EXPECT_EQ(fixed.windowHandle()->minimumSize(), whole);
        EXPECT_EQ(fixed.windowHandle()->maximumSize(), whole);
        fixed.resize(whole + QSize(150, 120));
        EXPECT_EQ(fixed.size(), whole);

        Sized free(true, withMenu);
        free.show();
        const int menu = free.size().height() - free.Height();
        EXPECT_EQ(free.windowHandle()->minimumSize(), QSize(64, 64 + menu));
        EXPECT_EQ(free.windowHandle()->maximumSize(), QSize(1000, 900 + menu));
        free.resize(2000, 2000);
        EXPECT_EQ(free.Width(), 1000);
        EXPECT_EQ(free.Height(), 900);
    }
}

}  // namespace
