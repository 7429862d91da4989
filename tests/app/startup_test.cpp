#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QTemporaryDir>
#include <vector>

#include "app/app.h"
#include "app/file_types.h"
#include "app/module1_app.h"
#include "app/startup.h"
#include "app/window_intro.h"
#include "platform/qt/resources.h"
#include "tests/app/app_fixture.h"
#include "tests/support/windows.h"

namespace {

using korva::test::AppTest;

std::vector<platform::DesktopWindow*> visibleWindows() {
    std::vector<platform::DesktopWindow*> shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* window = dynamic_cast<platform::DesktopWindow*>(w);
        if (window && window->isVisible()) shown.push_back(window);
    }
    return shown;
}

class Startup : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        platform::DesktopWindow::CloseAll();
        Module1::canvaswidth = Module1::canvasheight = 0;
        Module1::pf = 0;
        Module1::CSD = Module1::JCOUPLE = 0.0f;
        Module1::MHZ = 0;
        Module1::CR.clear();
        Module1::appname.clear();
    }
};

// Whether the application opens before or after the default view is made, one hidden
// plot window exists, the state holds its start values and only the intro window shows.
TEST_F(Startup, OpeningGivesTheStartValuesAndShowsOnlyTheIntroWindow) {
    for (bool openingFirst : {false, true}) {
        SetUp();
        auto& app = static_cast<App&>(*QApplication::instance());
        if (!openingFirst) MakeDefaultView();
        app.Event_Opening();
        if (openingFirst) MakeDefaultView();
        settle();

        EXPECT_FALSE(Window1().isVisible());
        int plotWindows = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            plotWindows += dynamic_cast<class Window1*>(w) != nullptr;
        EXPECT_EQ(plotWindows, 1);
        const auto shown = visibleWindows();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], korva::test::shownWindow<class WindowIntro>());

        EXPECT_EQ(Module1::canvaswidth, 800);
        EXPECT_EQ(Module1::canvasheight, 600);
        EXPECT_EQ(Module1::pf, 1);
        EXPECT_EQ(Module1::CR, "\r\n");
        EXPECT_EQ(Module1::appname, "KORVA");
        EXPECT_EQ(Module1::CSD, 3.0f);
        EXPECT_EQ(Module1::JCOUPLE, 7.0f);
        EXPECT_EQ(Module1::JCOUPLEAAPRIME, 13.0f);
        EXPECT_EQ(Module1::JCOUPLEXXPRIME, 13.0f);
        EXPECT_EQ(Module1::JCOUPLEAXPRIME, 12.0f);
        EXPECT_EQ(Module1::MHZ, 60);
        EXPECT_EQ(Module1::SPECWIDTH, 8.0f);
        EXPECT_EQ(Module1::N, 0);
        platform::DesktopWindow::CloseAll();
    }
}

// The icon the executable carries, as drawn for the desktop's window lists: each size its
// own image, at 100 % and at 200 %.
TEST_F(Startup, EveryWindowCarriesTheProgramsIcon) {
    const QIcon icon = QApplication::windowIcon();
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {256, 256}}));
    for (int side : {16, 32, 48, 256}) {
        const QImage drawn(QString(KORVA_SOURCE_DIR "/resources/icons/korva-%1.png").arg(side));
        ASSERT_FALSE(drawn.isNull()) << side;
        for (qreal ratio : {1.0, 2.0}) {
            EXPECT_EQ(icon.pixmap(QSize(side, side), ratio)
                          .toImage()
                          .convertToFormat(QImage::Format_ARGB32),
                      drawn.convertToFormat(QImage::Format_ARGB32))
                << side << " at " << ratio;
        }
    }
    Module1::about();
    openParameters();
    const QWidget* windows[] = {&Window1(), &WindowIntro(), &WindowParameters()};
    for (const QWidget* window : windows) {
        EXPECT_EQ(window->windowIcon().cacheKey(), icon.cacheKey())
            << window->windowTitle().toStdString();
    }
}

// The Windows executable's icon holds the same images: 48, 32 and 16 pixels with a colour
// table, then 256, 48, 32 and 16 in full colour, each pixel as drawn.
TEST(WindowsIcon, HoldsTheImagesOfTheIcons) {
    QImageReader reader(KORVA_SOURCE_DIR "/resources/windows/korva.ico");
    std::vector<int> sides;
    for (QImage image; reader.read(&image);) {
        sides.push_back(image.width());
        const QImage drawn(
            QString(KORVA_SOURCE_DIR "/resources/icons/korva-%1.png").arg(image.width()));
        EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32),
                  drawn.convertToFormat(QImage::Format_RGB32))
            << "image " << sides.size() << ", " << image.width() << " pixels";
        if (!reader.jumpToNextImage()) break;
    }
    EXPECT_EQ(sides, (std::vector<int>{48, 32, 16, 256, 48, 32, 16}));
}

using AboutCommand = AppTest;

TEST_F(AboutCommand, LeavesTheParametersAsTheStudentSetThem) {
    auto& parameters = openParameters();
    parameters.textfield1().Text("0.4");
    parameters.PushButton3().Press();
    Window1().findChild<QAction*>("FileAbout")->trigger();
    EXPECT_TRUE(korva::test::shownWindow<class WindowIntro>());
    EXPECT_EQ(Module1::CSD, 0.4f);
    EXPECT_EQ(Module1::N, 20);
    EXPECT_EQ(Module1::canvaswidth, 800);
    EXPECT_EQ(Module1::pf, 1);
}

}  // namespace
