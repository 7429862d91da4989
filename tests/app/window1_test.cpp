#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/menu.h"
#include "platform/qt/desktop_application.h"
#include "platform/qt/network.h"
#include "tests/app/app_fixture.h"
#include "tests/support/modal_robot.h"
#include "tests/support/windows.h"
#include "update/window_download.h"

namespace {

using korva::test::AppTest;
using korva::test::ModalRobot;
using korva::test::runEventLoop;
using korva::test::waitFor;
using korva::test::waitForActive;

using PlotWindow = AppTest;

TEST_F(PlotWindow, IsCreatedHiddenAtItsLayoutSize) {
    class Window1& plot = Window1();
    EXPECT_EQ(&plot, &Window1());
    EXPECT_FALSE(plot.isVisible());
    EXPECT_EQ(plot.Width(), 800);
    EXPECT_EQ(plot.Height(), 600);
    EXPECT_EQ(plot.Title(), "NMR");
    EXPECT_EQ(plot.Canvas1().geometry(), QRect(0, 0, 800, 600));
    // Resizable from 64 by 64 to 32000 by 32000, the menu bar above that.
    const int menu = plot.menuBar()->sizeHint().height();
    EXPECT_EQ(plot.minimumSize(), QSize(64, 64 + menu));
    EXPECT_EQ(plot.maximumSize(), QSize(32000, 32000 + menu));
}

TEST_F(PlotWindow, FileMenuHoldsItsFiveCommandsOnce) {
    EXPECT_EQ(&Menu(), &Menu());
    EXPECT_EQ(Window1().MenuBar(), &Menu());
    const auto menus = Window1().menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(menus.size(), 1);
    // Read as "File"; Alt+F opens it.
    EXPECT_EQ(QString(menus[0]->title()).remove('&'), "File");
    EXPECT_EQ(QKeySequence::mnemonic(menus[0]->title()), QKeySequence(Qt::ALT | Qt::Key_F));
    QStringList items;
    for (QAction* action : menus[0]->actions()) {
        items << action->objectName() + "|" + action->text() + "|" +
                     action->shortcut().toString(QKeySequence::PortableText);
    }
    EXPECT_EQ(items, (QStringList{"FilePrint|Print|Ctrl+P", "FileSavePlot|Save Plot|Ctrl+S",
                                  "FileCheck|Check for updates|", "FileAbout|About this program|",
                                  "FileQuit|Quit|Ctrl+Q"}));
}

TEST_F(PlotWindow, ResizingKeepsThePlotAreaTheWindowsSize) {
    Window1().Show();
    const int menuHeight = Window1().menuBar()->height();
    struct Case {
        int asked, askedHeight, width, height;
    };
    for (Case c : {Case{1000, 700, 1000, 700}, Case{64, 64, 64, 64}, Case{10, 10, 64, 64}}) {
        Window1().resize(c.asked, c.askedHeight + menuHeight);
        settle();
        EXPECT_EQ(Window1().Width(), c.width);
        EXPECT_EQ(Window1().Height(), c.height);
        EXPECT_EQ(Module1::canvaswidth, c.width);
        EXPECT_EQ(Module1::canvasheight, c.height);
        EXPECT_EQ(Window1().Canvas1().size(), QSize(c.width, c.height));
        EXPECT_EQ(Window1().Canvas1().Buffer().size(), QSize(c.width, c.height));
    }
}

TEST_F(PlotWindow, CanvasShowsTheStartValueSpectrum) {
    openParameters();
    const QImage& plot = Window1().Canvas1().Buffer();
    ASSERT_EQ(plot.size(), QSize(800, 600));
    // The AB quartet at 183.6, 176.6, 3.5 and -3.5 Hz: columns 373, 385, 674 and 685.
    for (int column : {373, 385, 674, 685}) EXPECT_TRUE(inked(plot, column, 200)) << column;
    EXPECT_FALSE(inked(plot, 500, 200));
    EXPECT_FALSE(inked(plot, 10, 10));
    EXPECT_EQ(Window1().Title(), "AB NMR spectrum");
    // "ppm" stands on row 588 in letters 24 pixels high: its x-height of 13 or 14 pixels
    // reaches row 575 or so.
    int ppmTop = 588;
    for (int y = 560; y <= 588; ++y) {
        for (int x = 750; x < 800; ++x) {
            if (inked(plot, x, y)) ppmTop = std::min(ppmTop, y);
        }
    }
    EXPECT_GE(ppmTop, 572);
    EXPECT_LE(ppmTop, 577);
}

// The warning box belongs to drawings the program asks for; uncovering the window only
// shows the last drawing again.
TEST_F(PlotWindow, WarnsWithEveryRequestedDrawingButNotWhenMerelyExposed) {
    auto& parameters = openParameters();
    parameters.textfield4().Text("1");  // one ppm: the A lines fall off the plot
    parameters.PushButton1().Press();
    settle();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0], "Not all peaks fit on the screen. INCREASE WIDTH!");

    Window1().hide();
    Window1().show();
    Window1().repaint();
    Window1().Canvas1().repaint();
    settle();
    EXPECT_EQ(messages.messages.size(), 1u);

    parameters.Slider1().setValue(20);
    settle();
    EXPECT_EQ(messages.messages.size(), 2u);
    Window1().resize(900, 700);
    settle();
    EXPECT_EQ(messages.messages.size(), 3u);
}

// With the real modal box: drawings asked for while it is open come once more after it,
// never inside it, so the box cannot nest or come back without end.
TEST_F(PlotWindow, ARealWarningBoxOutlivesRequestsMadeWhileItIsOpen) {
    auto& parameters = openParameters();
    parameters.textfield4().Text("1");
    const platform::ScopedReplacement realBox{platform::MessageDialog::Presenter(),
                                              platform::ShowMessageBox};
    int boxes = 0;
    ModalRobot robot([&](QDialog&) {
        if (++boxes > 1) return;
        Window1().Refresh();
        Window1().resize(900, 700);
        Window1().Refresh();
    });
    parameters.PushButton1().Press();
    EXPECT_TRUE(waitFor([&] { return robot.answered >= 2; }));
    // A third box would come from a drawing left queued after the second one.
    settle();
    EXPECT_EQ(robot.answered, 2);
    EXPECT_EQ(robot.deepestNesting, 1);
    EXPECT_EQ(Module1::canvaswidth, 900);
    EXPECT_EQ(Window1().Canvas1().Buffer().width(), 900);
}

TEST_F(PlotWindow, QuitClosingAndCtrlQEndTheProgramWithZero) {
    const std::function<void()> ways[] = {
        [] { Window1().findChild<QAction*>("FileQuit")->trigger(); },
        [] { Window1().Close(); },
        [] { QTest::keyClick(&Window1(), Qt::Key_Q, Qt::ControlModifier); },
    };
    for (const auto& quit : ways) {
        Window1().Show();
        ASSERT_TRUE(waitForActive(Window1()));
        EXPECT_EQ(runEventLoop(quit), 0);
        platform::DesktopWindow::CloseAll();
    }
}

// Without a network the check needs no server: what matters here is the command's window.
TEST_F(PlotWindow, CheckForUpdatesOpensTheUpdateWindowOnce) {
    const platform::ScopedReplacement offline{platform::Network::Query(), [] { return false; }};
    Module1::version = "1.61 December 31, 2021";
    Window1().Show();
    Window1().findChild<QAction*>("FileCheck")->trigger();
    auto* update = korva::test::shownWindow<class WindowDownload>();
    ASSERT_NE(update, nullptr);
    EXPECT_EQ(update->Left(), Window1().Left() + 10);
    EXPECT_EQ(update->parentWidget(), &Window1());
    auto& window = *update;
    window.StaticText1().Text("as the first check left it");
    Window1().findChild<QAction*>("FileCheck")->trigger();
    EXPECT_EQ(korva::test::shownWindow<class WindowDownload>(), update);
    EXPECT_EQ(&WindowDownload(), update);
    EXPECT_EQ(window.StaticText1().Text(), "as the first check left it");
}

TEST_F(PlotWindow, AnExceptionInAHandlerIsReportedAndTheProgramGoesOn) {
    auto& parameters = openParameters();
    parameters.PushButton2().Pressed = [](platform::DesktopButton&) {
        throw std::runtime_error("the handler failed");
    };
    QTest::mouseClick(&parameters.PushButton2(), Qt::LeftButton);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].find("the handler failed"), std::string::npos);

    QTest::mouseClick(&parameters.PushButton3(), Qt::LeftButton);
    EXPECT_EQ(Window1().Title(), "AA'XX' NMR spectrum");
}

}  // namespace
