// The windows on a desktop of three screens, laid out by screens.json: the main one, a
// smaller one right of it and one left of and above it, at negative coordinates. A
// window that the plot window places opens on the plot window's screen.
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>
#include <cstdint>
#include <ostream>

#include "app/module1_app.h"
#include "app/window_intro.h"
#include "platform/qt/network.h"
#include "tests/app/app_fixture.h"
#include "tests/support/windows.h"
#include "update/window_download.h"

void PrintTo(const QRect& r, std::ostream* out) {
    *out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace {

using korva::test::AppTest;

const QRect kMain(0, 0, 1920, 1080);
const QRect kRight(1920, 0, 1280, 720);
const QRect kUpperLeft(-1600, -900, 1600, 900);

class Screens : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        // Without the three screens these tests would prove nothing: they fail instead.
        QList<QRect> screens;
        for (const QScreen* screen : QGuiApplication::screens()) screens << screen->geometry();
        ASSERT_EQ(screens, (QList<QRect>{kMain, kRight, kUpperLeft}))
            << "run through ctest, with QT_QPA_PLATFORM=offscreen:configfile=screens.json";
        ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), kMain);
    }

    // The plot window shown, its frame's corner at `at`, as the student has dragged it.
    static class Window1& plotAt(QPoint at) {
        class Window1& plot = Window1();
        plot.Show();
        plot.move(at);
        return plot;
    }

    // Half way down the screen, give or take its frame.
    static void expectCentredUpright(const QRect& frame, const QRect& screen) {
        EXPECT_NEAR(frame.center().y(), screen.center().y(), 2) << "frame " << frame.y();
    }

  private:
    const platform::ScopedReplacement<bool()> offline_{platform::Network::Query(),
                                                       [] { return false; }};
};

TEST_F(Screens, TheParameterWindowOpensBesideThePlotWindowOnItsScreen) {
    struct Case {
        const char* name;
        QRect screen;
        QPoint plot;
        std::int64_t left;  // plot left + 800 + 10; 0 where that crosses the screen's edge
    };
    const Case cases[] = {
        {"right screen, no room beside", kRight, {1960, 40}, 0},
        {"upper left screen, room beside", kUpperLeft, {-1560, -860}, -750},
        {"upper left screen, no room beside", kUpperLeft, {-1000, -860}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        plotAt(c.plot);
        auto& parameters = WindowParameters();
        const QRect frame = parameters.frameGeometry();
        EXPECT_TRUE(c.screen.contains(frame)) << frame.x() << "," << frame.y();
        if (c.left == 0) {
            EXPECT_EQ(frame.right(), c.screen.right()) << "not against the screen's right edge";
        } else {
            EXPECT_EQ(parameters.Left(), c.left);
        }
        EXPECT_EQ(frame.top(), c.screen.top() + 40);  // near the top of that screen
        platform::DesktopWindow::CloseAll();
    }
}

TEST_F(Screens, TheUpdateAndAboutWindowsOpenCentredOnThePlotWindowsScreen) {
    struct Case {
        const char* name;
        QRect screen;
        QPoint plot;
        int plotWidth;
        std::int64_t updateLeft;  // plot left + 10
        std::int64_t aboutLeft;   // centred on the plot (450 wide), not left of its screen
    };
    const Case cases[] = {
        {"right screen", kRight, {1960, 40}, 800, 1970, 2135},
        {"upper left screen", kUpperLeft, {-1560, -860}, 800, -1550, -1385},
        {"upper left screen, narrow plot at its edge",
         kUpperLeft,
         {-1600, -860},
         300,
         -1590,
         -1600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        class Window1& plot = plotAt(c.plot);
        plot.resize(c.plotWidth, plot.height());
        ASSERT_EQ(plot.Width(), c.plotWidth);
        plot.findChild<QAction*>("FileCheck")->trigger();
        auto* update = korva::test::shownWindow<class WindowDownload>();
        ASSERT_NE(update, nullptr);
        EXPECT_TRUE(c.screen.contains(update->frameGeometry()));
        expectCentredUpright(update->frameGeometry(), c.screen);
        EXPECT_EQ(update->Left(), c.updateLeft);
        update->Close();

        Module1::about();
        auto* about = korva::test::shownWindow<class WindowIntro>();
        ASSERT_NE(about, nullptr);
        EXPECT_TRUE(c.screen.contains(about->frameGeometry()));
        expectCentredUpright(about->frameGeometry(), c.screen);
        EXPECT_EQ(about->Left(), c.aboutLeft);
        platform::DesktopWindow::CloseAll();
    }
}

// As the intro window's OK shows it, after the student has left it near a screen's corner.
TEST_F(Screens, ThePlotWindowIsMovedOntoItsScreenAndMadeSmallerOnlyWhereItIsTooLarge) {
    struct Case {
        const char* name;
        QPoint at;    // the frame's corner
        QSize size;   // of the window, its menu bar included
        QRect frame;  // the frame is 2 pixels wide on each side
    };
    const Case cases[] = {
        {"right screen, fits", {3000, 600}, {800, 620}, {2396, 96, 804, 624}},
        {"upper left screen, fits", {-500, -400}, {800, 620}, {-804, -624, 804, 624}},
        {"right screen, too wide", {2000, 40}, {1500, 620}, {1920, 40, 1280, 624}},
        {"upper left screen, too tall", {-1500, -850}, {700, 1000}, {-1500, -900, 704, 900}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Module1::about();  // the intro window, on the main screen
        auto* intro = korva::test::shownWindow<class WindowIntro>();
        ASSERT_NE(intro, nullptr);
        ASSERT_TRUE(kMain.contains(intro->frameGeometry()));
        class Window1& plot = Window1();
        plot.resize(c.size);
        plot.move(c.at);
        intro->PushButton1().Press();
        ASSERT_TRUE(plot.isVisible());
        EXPECT_EQ(plot.frameGeometry(), c.frame);
        platform::DesktopWindow::CloseAll();
    }
}

}  // namespace
