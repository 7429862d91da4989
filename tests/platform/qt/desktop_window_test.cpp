#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QPalette>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <memory>

#include "platform/qt/desktop_menu.h"
#include "platform/qt/desktop_window.h"
#include "tests/support/dark_desktop.h"

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

// A window with one black label; owned, it is a secondary window.
class Labelled : public platform::DesktopWindow {
  public:
    explicit Labelled(QWidget* owner = nullptr) : platform::DesktopWindow(owner) {
        SetProperties({.Title = owner ? "secondary" : "document",
                       .Width = 200,
                       .Height = 100,
                       .Type = owner ? 3 : 0});
        static constexpr platform::ControlSpec<Labelled> kControls[] = {
            {&Labelled::label_, "Label", 10, 10, 180, 20, "Black on light"},
        };
        CreateControls<Labelled>(*this, kControls);
    }

    // What the window shows: its ground below the label, and the label's darkest ink.
    struct Shown {
        QRgb ground;
        int ink;  // lightness, 0 to 255
    };
    Shown shown() {
        const QImage image = grab().toImage().convertToFormat(QImage::Format_RGB32);
        int ink = 255;
        for (int y = 10; y < 30; ++y) {
            for (int x = 10; x < 190; ++x) ink = std::min(ink, qGray(image.pixel(x, y)));
        }
        return {image.pixel(100, 70), ink};
    }

  private:
    platform::DesktopLabel* label_ = nullptr;
};

// A light desktop whose windows are cream with brown text, unlike the windows' own light
// look (grey grounds, black texts).
QPalette creamDesktop() {
    QPalette cream = QApplication::palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button}) {
        cream.setColor(role, QColor(255, 243, 214));
    }
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        cream.setColor(role, QColor(90, 60, 0));
    }
    cream.setColor(QPalette::Base, QColor(255, 252, 240));
    return cream;
}

// Open windows take the light look again when the desktop turns dark, and the desktop's
// own light palette again when it turns light.
TEST(DesktopWindow, OpenWindowsFollowTheDesktopBetweenLightAndDark) {
    const QPalette dark = korva::test::darkPalette();
    const QRgb cream = qRgb(255, 243, 214), grey = qRgb(239, 239, 239);
    struct Case {
        const char* name;
        QPalette from, to;
        QRgb groundBefore, groundAfter;
    };
    const Case cases[] = {
        {"light to dark", creamDesktop(), dark, cream, grey},
        {"dark to light", dark, creamDesktop(), grey, cream},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const korva::test::DesktopPalette desktop(c.from);
        Labelled document;
        Labelled secondary(&document);
        document.show();
        secondary.show();
        for (Labelled* window : {&document, &secondary}) {
            ASSERT_EQ(QColor(window->shown().ground), QColor(c.groundBefore))
                << window->windowTitle().toStdString();
        }
        QApplication::setPalette(c.to);
        QCoreApplication::sendPostedEvents();  // the change reaches the widgets posted
        for (Labelled* window : {&document, &secondary}) {
            const Labelled::Shown shown = window->shown();
            EXPECT_EQ(QColor(shown.ground), QColor(c.groundAfter))
                << window->windowTitle().toStdString();
            // Black on grey in the light look; the desktop's brown on cream.
            EXPECT_LT(shown.ink, 100);
        }
    }
}

}  // namespace
