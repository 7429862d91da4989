#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <algorithm>
#include <optional>

#include "app/module1_app.h"
#include "app/nmr_picture.h"
#include "app/window_intro.h"
#include "platform/qt/resources.h"
#include "tests/app/app_fixture.h"
#include "tests/support/dark_desktop.h"
#include "tests/support/layout_check.h"
#include "tests/support/shown_texts.h"
#include "tests/support/tab_order.h"
#include "tests/support/windows.h"

namespace {

using korva::test::AppTest;
using korva::test::runEventLoop;
using korva::test::waitFor;
using korva::test::waitForActive;

// The intro window with a resource folder of the test's own.
class IntroWindow : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_TRUE(resources.isValid());
        x_NMR::Reset();
    }
    void TearDown() override {
        AppTest::TearDown();
        x_NMR::Reset();
    }

    void putPicture(const QImage& image) { ASSERT_TRUE(image.save(resources.filePath("NMR.png"))); }

    static bool introOpen() { return korva::test::shownWindow<class WindowIntro>() != nullptr; }

    QTemporaryDir resources;
    const platform::ScopedReplacement<QStringList()> folders_{
        platform::ProgramResourceFolders(), [this] { return QStringList{resources.path()}; }};
};

const std::string kDescription =
    "This program plots NMR line spectra for type AB, ABB, and AA'XX' coupling. Vary the "
    "chemical shift difference, coupling constant, line widths and instrument frequency to "
    "find the conditions necessary for first-order spectra (1:1 doublets, 1:2:1 triplets). "
    "For example, what should the relative sizes of the coupling constant and the chemical "
    "shift difference be?  Does a higher frequency instrument give a more first-order "
    "spectrum? \r\n\r\nAn AB spectrum is that for two protons with different chemical shifts. "
    "An ABB spectrum is that for three protons where two have the same chemical shift. An "
    "AA'XX' spectrum lacks magnetic equivalence due to different spatial relations between set "
    "members so there can be additional coupling.";

TEST_F(IntroWindow, AboutWritesTheDescriptionTheVersionAndTheHomePage) {
    for (bool dark : {false, true}) {
        std::optional<korva::test::DarkDesktop> desktop;
        if (dark) desktop.emplace();
        Module1::version.clear();
        Module1::websource.clear();
        Module1::about();
        desktop.reset();
        EXPECT_EQ(WindowIntro().Label2().Text(), kDescription);
        EXPECT_EQ(WindowIntro().Label3().Text(),
                  std::string("Version 1.61 December 31, 2021  (64 bit) HiDPI.\r\n\r\n") +
                      (dark ? " dark mode." : "."));
        EXPECT_EQ(Module1::version, "1.61 December 31, 2021");
        EXPECT_TRUE(Module1::websource.ends_with("/classes/programs/")) << Module1::websource;
        EXPECT_TRUE(Module1::websource.starts_with("http")) << Module1::websource;
        EXPECT_TRUE(WindowIntro().isVisible());
        EXPECT_EQ(WindowIntro().Label1().Text(), "AB, ABB, and AA'XX' \r\nNMR Coupling");
        EXPECT_EQ(WindowIntro().Title(), "KORVA");
    }
}

// The seven controls, filled by the about routine. The version label stands just below the
// keyboard hint and is tall enough for its three lines; the window is as much taller.
TEST_F(IntroWindow, IsBuiltFromItsLayout) {
    using Row = korva::test::ControlRow;
    using namespace korva::test;  // the looks
    Module1::about();
    auto& intro = WindowIntro();
    expectLayout(intro,
                 {{Row::Label, "Label2", 14, 91, 418, 230, kDescription, Wraps},
                  {Row::Label, "Label1", 125, 29, 199, 50, "AB, ABB, and AA'XX' \r\nNMR Coupling",
                   Bold | Centred | Wraps},
                  {Row::Label, "Label3", 0, 353, 450, 56,
                   "Version 1.61 December 31, 2021  (64 bit) HiDPI.\r\n\r\n.", Centred | Wraps, 16},
                  {Row::Canvas, "Canvas1", 45, 15, 64, 64},
                  {Row::Button, "PushButton2", 383, 317, 50, 20, "Quit"},
                  {Row::Label, "Label7", 280, 338, 109, 15, "(keyboard = enter)", Centred, 13},
                  {Row::Button, "PushButton1", 299, 317, 70, 20, "OK"}});
    EXPECT_EQ(intro.Title(), "KORVA");
    EXPECT_EQ(intro.Width(), 450);
    EXPECT_EQ(intro.Height(), 409);
    korva::test::expectFixedSize(intro);
    EXPECT_TRUE(intro.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(intro.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(intro.parentWidget(), &Window1());
    EXPECT_TRUE(intro.PushButton1().Default());
    EXPECT_FALSE(intro.PushButton2().Default());
    EXPECT_EQ(intro.Canvas1().focusPolicy(), Qt::NoFocus);
}

TEST_F(IntroWindow, TabGoesFromQuitToOkAndBack) {
    Module1::about();
    EXPECT_EQ(korva::test::tabCycle(WindowIntro()),
              (QStringList{"PushButton2", "PushButton1", "PushButton2"}));
}

TEST_F(IntroWindow, EveryTextShowsWhole) {
    for (bool dark : {false, true}) {
        std::optional<korva::test::DarkDesktop> desktop;
        if (dark) desktop.emplace();
        Module1::about();
        desktop.reset();
        for (const std::string& problem : korva::test::hiddenTexts(WindowIntro())) {
            ADD_FAILURE() << (dark ? "dark: " : "light: ") << problem;
        }
    }
}

TEST_F(IntroWindow, IsCentredOnThePlotWindow) {
    struct Case {
        int plotLeft, plotWidth;
        std::int64_t left;
    };
    Window1().Show();
    const int menu = Window1().menuBar()->height();
    for (Case c : {Case{100, 800, 275}, Case{0, 801, 175}, Case{-300, 800, 0}}) {
        Window1().resize(c.plotWidth, 600 + menu);
        settle();
        ASSERT_EQ(Window1().Width(), c.plotWidth);
        Window1().Left(c.plotLeft);
        Module1::about();
        EXPECT_EQ(WindowIntro().Left(), c.left) << c.plotLeft << " " << c.plotWidth;
        WindowIntro().Close();
    }
}

TEST_F(IntroWindow, AboutReusesAnOpenWindowAndBuildsAFreshOneAfterOk) {
    Module1::about();
    class WindowIntro* first = &WindowIntro();
    first->Label2().Text("changed");
    first->Label7().Visible(false);
    Module1::about();
    EXPECT_EQ(&WindowIntro(), first);
    EXPECT_EQ(first->Label2().Text(), kDescription);

    first->PushButton1().Press();
    EXPECT_FALSE(introOpen());
    Module1::about();
    EXPECT_TRUE(WindowIntro().Label7().Visible());
    EXPECT_EQ(WindowIntro().Label2().Text(), kDescription);
}

TEST_F(IntroWindow, ReturnPressesOkWhichShowsTheStartSpectrum) {
    Module1::about();
    ASSERT_TRUE(waitForActive(WindowIntro()));
    QTest::keyClick(&WindowIntro(), Qt::Key_Return);
    settle();
    EXPECT_FALSE(introOpen());
    EXPECT_TRUE(Window1().isVisible());
    EXPECT_EQ(Window1().Title(), "AB NMR spectrum");
    EXPECT_EQ(Module1::N, 4);
    auto* parameters = korva::test::shownWindow<class WindowParameters>();
    ASSERT_NE(parameters, nullptr);
    EXPECT_TRUE(parameters->isVisible());
    EXPECT_EQ(parameters->Left(), Window1().Left() + 800 + 10);
    EXPECT_TRUE(inked(Window1().Canvas1().Buffer(), 674, 200));
}

TEST_F(IntroWindow, OkAfterAnotherSpectrumSwitchesBackToAB) {
    auto& parameters = openParameters();
    parameters.textfield1().Text("1.5");
    parameters.PushButton2().Press();
    ASSERT_EQ(Window1().Title(), "ABB NMR spectrum");
    Module1::about();
    WindowIntro().PushButton1().Press();
    EXPECT_EQ(Window1().Title(), "AB NMR spectrum");
    EXPECT_EQ(Module1::N, 4);
    EXPECT_EQ(Module1::CSD, 1.5f);  // the fields as they stand
}

TEST_F(IntroWindow, KeyboardHintShowsWhileTheWindowIsActive) {
    Window1().Show();
    Module1::about();
    ASSERT_TRUE(waitFor([] { return QApplication::activeWindow() == &WindowIntro(); }));
    EXPECT_TRUE(WindowIntro().Label7().Visible());
    Window1().activateWindow();
    ASSERT_TRUE(waitFor([] { return QApplication::activeWindow() == &Window1(); }));
    EXPECT_FALSE(WindowIntro().Label7().Visible());
    WindowIntro().activateWindow();
    ASSERT_TRUE(waitFor([] { return QApplication::activeWindow() == &WindowIntro(); }));
    EXPECT_TRUE(WindowIntro().Label7().Visible());
}

TEST_F(IntroWindow, APictureOfAnySizeFillsTheCanvasAndIsReadOnce) {
    // Four quarters of four colours: scaled, each fills a quarter of the canvas.
    QImage wide(300, 100, QImage::Format_RGB32);
    const QRgb quarters[2][2] = {{qRgb(200, 20, 20), qRgb(20, 200, 20)},
                                 {qRgb(20, 20, 200), qRgb(200, 200, 20)}};
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 300; ++x) wide.setPixel(x, y, quarters[y / 50][x / 150]);
    }
    putPicture(wide);
    Module1::about();
    settle();
    const QImage& canvas = WindowIntro().Canvas1().Buffer();
    ASSERT_EQ(canvas.size(), QSize(64, 64));
    for (int row : {0, 1}) {
        for (int column : {0, 1}) {
            for (QPoint p : {QPoint(1, 1), QPoint(30, 30), QPoint(1, 30), QPoint(30, 1)}) {
                const QPoint at = p + QPoint(32 * column, 32 * row);
                EXPECT_EQ(canvas.pixel(at), quarters[row][column]) << at.x() << "," << at.y();
            }
        }
    }
    // Read once: a later change of the file does not reach the window.
    QImage other(10, 10, QImage::Format_RGB32);
    other.fill(Qt::green);
    putPicture(other);
    WindowIntro().Close();
    Module1::about();
    settle();
    EXPECT_EQ(WindowIntro().Canvas1().Buffer().pixel(10, 10), quarters[0][0]);
    EXPECT_EQ(WindowIntro().Canvas1().Buffer().pixel(53, 53), quarters[1][1]);
}

// The shipped picture on the canvas as the screen shows it: 64 pixels at 100 %, 128 device
// pixels at 200 % (the same test runs with QT_SCALE_FACTOR=2). Sharp means that ink stands
// in whole pixels: a pixel is ink where its darkest channel is at least 40 below white, and
// in between where that channel lies between 55 and 215, neither ground nor the full ink
// (both of the picture's inks, black and blue, have a channel near 0). Antialiased slants
// and curves of letters give some; lines or letters that the scaling smears over
// neighbouring pixels give many. The picture drawn for 512 pixels and scaled to 256 shows
// 40-50 % of its ink in between at either scale; drawn on a grid that halves cleanly, under
// 10 %.
TEST_F(IntroWindow, ThePictureIsSharpAtTheScreensPixelDensity) {
    ASSERT_TRUE(QFile::copy(KORVA_SOURCE_DIR "/resources/NMR.png", resources.filePath("NMR.png")));
    Module1::about();
    settle();
    const QImage& canvas = WindowIntro().Canvas1().Buffer();
    const double ratio =
        qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qgetenv("QT_SCALE_FACTOR").toDouble() : 1.0;
    ASSERT_EQ(canvas.size(), QSize(64, 64) * ratio);
    int ink = 0, between = 0;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const QRgb c = canvas.pixel(x, y);
            const int depth = 255 - std::min({qRed(c), qGreen(c), qBlue(c)});
            ink += depth >= 40;
            between += depth >= 40 && depth <= 200;
        }
    }
    EXPECT_GT(ink, canvas.width() * canvas.height() / 10) << "the picture is not drawn";
    EXPECT_LT(between, ink * 15 / 100) << between << " of " << ink << " ink pixels in between";
}

TEST_F(IntroWindow, WithoutItsPictureTheWindowStillWorksAndTriesAgainLater) {
    Module1::about();
    settle();
    const QImage& canvas = WindowIntro().Canvas1().Buffer();
    const QRgb ground = WindowIntro().palette().color(QPalette::Window).rgb();
    EXPECT_EQ(canvas.pixel(32, 32), ground);
    EXPECT_EQ(WindowIntro().Label2().Text(), kDescription);

    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    putPicture(picture);
    WindowIntro().Refresh();
    settle();
    EXPECT_EQ(WindowIntro().Canvas1().Buffer().pixel(32, 32), qRgb(0, 0, 255));

    WindowIntro().PushButton1().Press();  // OK still works
    EXPECT_EQ(Window1().Title(), "AB NMR spectrum");
}

// Quit, and the close box before the plot window was ever shown, end the program with 0;
// the close box later does not.
TEST_F(IntroWindow, QuitAndAnEarlyCloseBoxEndTheProgram) {
    struct Case {
        const char* name;
        bool plotShown;
        std::function<void()> act;
        int exitCode;
    };
    const Case cases[] = {
        {"Quit", false, [] { WindowIntro().PushButton2().Press(); }, 0},
        {"Quit with the plot shown", true, [] { WindowIntro().PushButton2().Press(); }, 0},
        {"close box at start", false, [] { WindowIntro().Close(); }, 0},
        {"close box later", true, [] { WindowIntro().Close(); }, 7},
    };
    for (const Case& c : cases) {
        if (c.plotShown) Window1().Show();
        Module1::about();
        EXPECT_EQ(runEventLoop(c.act, 7), c.exitCode) << c.name;
        platform::DesktopWindow::CloseAll();
    }
}

}  // namespace
