// The program on a real desktop: an X server, a window manager and the platform theme that
// on_desktop.sh has set up. Keys and clicks go through the X server as a student's do, and
// what is checked is what the screen shows.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/module1_app.h"
#include "app/window1.h"
#include "app/window_intro.h"
#include "app/window_parameters.h"
#include "engine/module1.h"
#include "platform/qt/desktop_application.h"
#include "platform/qt/network.h"
#include "platform/qt/printer_setup.h"
#include "platform/qt/save_file_dialog.h"
#include "tests/support/waiting.h"
#include "tests/support/windows.h"
#include "update/window_download.h"

namespace {

using korva::test::shownWindow;
using korva::test::waitFor;
using korva::test::waitForActive;

const QByteArray kTheme = qgetenv("KORVA_THEME");
bool darkDesktop() { return kTheme == "gtk3-dark"; }
// Qt's GTK and GNOME themes let Return and keypad Enter press the push button that has the
// focus.
bool themePressesTheFocusedButtonWithReturn() {
    return kTheme.startsWith("gtk3") || kTheme == "gnome";
}
// Return and keypad Enter, as xdotool names them.
const QStringList kEnterKeys = {"Return", "KP_Enter"};

// Keys pressed on the keyboard; they reach the window that has the focus.
void press(const QStringList& keys) {
    ASSERT_EQ(QProcess::execute("xdotool", QStringList{"key"} + keys), 0) << "xdotool key";
}

// A click of the left mouse button at a point of the screen.
void click(QPoint at) {
    const QPointF device = QPointF(at) * QGuiApplication::primaryScreen()->devicePixelRatio();
    ASSERT_EQ(QProcess::execute("xdotool", {"mousemove", "--sync", QString::number(device.x()),
                                            QString::number(device.y()), "click", "1"}),
              0)
        << "xdotool click";
}

QRect onScreen(const QWidget& widget) { return {widget.mapToGlobal(QPoint(0, 0)), widget.size()}; }

// Where the X server shows the window's content, in the screen's own pixels: where the
// window manager has put it, which is not where the program asked until it has done so.
QRect shownByTheServer(const QWidget& window) {
    QProcess xwininfo;
    xwininfo.start("xwininfo", {"-id", QString::number(window.winId())});
    if (!xwininfo.waitForFinished(korva::test::kPatienceMs) || xwininfo.exitCode() != 0) return {};
    const QString info = QString::fromUtf8(xwininfo.readAllStandardOutput());
    const auto value = [&info](const QString& name) {
        return QRegularExpression("\\b" + name + ":\\s*(-?\\d+)").match(info).captured(1).toInt();
    };
    return {value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"),
            value("Height")};
}

// Whether the window manager has framed the window and the X server shows it where the
// program takes it to be (to a pixel of the screen's, half of one of the program's at a
// scale of 2). Clicks and screen grabs placed from the program's geometry then hit it.
bool placedAsShown(const QWidget& window) {
    const QRect shown = shownByTheServer(window), taken = window.geometry();
    const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    const auto near = [ratio](int device, int logical) {
        return std::abs(device - logical * ratio) < ratio;
    };
    return window.frameGeometry() != taken && near(shown.x(), taken.x()) &&
           near(shown.y(), taken.y()) && near(shown.width(), taken.width()) &&
           near(shown.height(), taken.height());
}

// What the screen shows of a part of the widget (all of it unless given), in the screen's
// own pixels.
QImage seen(const QWidget& widget, std::optional<QRect> part = std::nullopt) {
    const QRect area = part.value_or(widget.rect()).translated(widget.mapToGlobal(QPoint(0, 0)));
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

double luminance(QRgb colour) {
    const auto linear = [](int value) {
        const double v = value / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) +
           0.0722 * linear(qBlue(colour));
}

// The contrast ratio of two colours, 1 to 21.
double contrast(QRgb a, QRgb b) {
    const double first = luminance(a), second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// A control's ground, the colour of its median brightness (text and frames are thin), and
// its ink, the colour that stands out most from the ground.
struct Looks {
    QRgb ground, ink;
};

Looks looksOf(const QImage& image) {
    std::vector<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y));
    }
    if (pixels.empty()) return {};
    const auto middle = pixels.begin() + static_cast<std::ptrdiff_t>(pixels.size() / 2);
    std::nth_element(pixels.begin(), middle, pixels.end(),
                     [](QRgb a, QRgb b) { return luminance(a) < luminance(b); });
    const QRgb ground = *middle;
    const QRgb ink = *std::max_element(pixels.begin(), pixels.end(), [ground](QRgb a, QRgb b) {
        return contrast(a, ground) < contrast(b, ground);
    });
    return {ground, ink};
}

// What is wrong with how a control reads on the screen, or nothing. Its ground is light
// (black text on it at least 7:1), its text black and readable on it (at least 4.5:1),
// or red where it is red.
std::optional<std::string> unreadable(QWidget& control, bool red) {
    // Of a menu bar, its menu's title; the rest of it is empty.
    auto* menuBar = qobject_cast<QMenuBar*>(&control);
    const Looks looks = looksOf(seen(
        control, menuBar ? menuBar->actionGeometry(menuBar->actions().value(0)) : control.rect()));
    const auto name = control.objectName().toStdString();
    const auto colour = [](QRgb c) { return QColor(c).name().toStdString(); };
    if (contrast(looks.ground, qRgb(0, 0, 0)) < 7) {
        return name + ": ground " + colour(looks.ground) + " is not light";
    }
    const bool hasText = !qobject_cast<QSlider*>(&control);
    if (!hasText) return std::nullopt;
    if (red) {
        const int r = qRed(looks.ink), others = std::max(qGreen(looks.ink), qBlue(looks.ink));
        if (r < 200 || others > 60) return name + ": text " + colour(looks.ink) + " is not red";
    } else if (contrast(looks.ground, looks.ink) < 4.5) {
        return name + ": text " + colour(looks.ink) + " on " + colour(looks.ground) + " reads at " +
               std::to_string(contrast(looks.ground, looks.ink)) + ":1";
    }
    return std::nullopt;
}

// The window's visible labels, buttons, fields and sliders.
QList<QWidget*> readableControls(QWidget& window) {
    QList<QWidget*> controls;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        const bool kind = qobject_cast<QLabel*>(w) || qobject_cast<QPushButton*>(w) ||
                          qobject_cast<QLineEdit*>(w) || qobject_cast<QSlider*>(w) ||
                          qobject_cast<QMenuBar*>(w);
        if (kind && w->window() == &window && w->isVisible() && !w->objectName().isEmpty()) {
            controls << w;
        }
    }
    return controls;
}

// A small window shown at the screen's corner. The window manager handles what it is asked
// in order, so once this window is up, everything asked of it before has been done.
class Probe {
  public:
    Probe() {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        window_.setAttribute(Qt::WA_ShowWithoutActivating);
        window_.setGeometry(area.right() - 20, area.bottom() - 20, 8, 8);
        window_.show();
    }
    bool shown() { return QTest::qWaitForWindowExposed(&window_, korva::test::kPatienceMs); }

  private:
    QWidget window_;
};

// The program as it starts, on a desktop without a network, so that the update window
// reports at once.
class Desktop : public testing::Test {
  protected:
    void SetUp() override {
        Module1::startValues();
        Module1::s = 0.0f;
        Module1::N = 0;
        static_cast<App&>(*QApplication::instance()).Event_Opening();
        intro = shownWindow<class WindowIntro>();
        ASSERT_NE(intro, nullptr);
        ASSERT_TRUE(waitForActive(*intro));
    }

    void TearDown() override {
        platform::DesktopWindow::CloseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // OK, as the student presses it: the plot window and the parameter window show.
    class WindowParameters& enter() {
        intro->PushButton1().Press();
        return entered();
    }

    // The parameter window after OK, once the desktop has settled: the window manager has
    // shown both windows, and then made the parameter window, opened last, the active one.
    static class WindowParameters& entered() {
        const auto exposed = [](QWidget* w) {
            return w && w->windowHandle() && w->windowHandle()->isExposed();
        };
        EXPECT_TRUE(waitFor([&] {
            auto* parameters = shownWindow<class WindowParameters>();
            return exposed(&Window1()) && exposed(parameters) &&
                   QApplication::activeWindow() == parameters && !shownWindow<class WindowIntro>();
        })) << "after OK the parameter window is not the active one";
        return WindowParameters();
    }

    static class WindowDownload& openUpdateWindow() {
        Window1().findChild<QAction*>("FileCheck")->trigger();
        auto& update = WindowDownload();
        EXPECT_TRUE(waitForActive(update));
        return update;
    }

    static class WindowIntro& openAbout() {
        Module1::about();
        auto* about = shownWindow<class WindowIntro>();
        EXPECT_NE(about, nullptr);
        EXPECT_TRUE(waitForActive(*about));
        return *about;
    }

    // Once the window manager has framed a window and put it where the program takes it to
    // be, its frame and place are known.
    static bool framed(const QWidget& window) {
        return waitFor([&] { return placedAsShown(window); });
    }

    static QRect freeArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

    class WindowIntro* intro = nullptr;

  private:
    const platform::ScopedReplacement<bool()> offline_{platform::Network::Query(),
                                                       [] { return false; }};
};

// The other tests mean something only where the desktop is the one they were started for.
TEST_F(Desktop, IsTheOneAskedFor) {
    EXPECT_EQ(platform::IsDarkMode(), darkDesktop());
    EXPECT_TRUE(intro->Label3().Text().ends_with(darkDesktop() ? "\r\n dark mode." : "\r\n."))
        << intro->Label3().Text();
    if (themePressesTheFocusedButtonWithReturn()) {
        QWidget plain;
        QPushButton first("first", &plain), second("second", &plain);
        second.move(0, 40);
        int presses = 0;
        QObject::connect(&second, &QPushButton::clicked, [&] { ++presses; });
        plain.show();
        plain.activateWindow();
        ASSERT_TRUE(waitForActive(plain));
        for (const QString& key : kEnterKeys) {
            const int before = presses;
            second.setFocus();
            press({key});
            EXPECT_TRUE(waitFor([&] { return presses > before; }))
                << key.toStdString() << " left a plain focused button alone";
        }
    }
}

TEST_F(Desktop, ReturnPressesTheDefaultButtonWhereverTheFocusIsAndSpaceTheFocusedOne) {
    // The intro window opens with the focus on Quit, the first in its Tab order.
    ASSERT_EQ(QApplication::focusWidget(), &intro->PushButton2());
    press({"Return"});
    ASSERT_TRUE(waitFor([] { return Window1().isVisible(); })) << "Return did not press OK";
    auto* parameters = &entered();

    // ABB is the default button, AB has the focus; the spectral width is taken by a press.
    for (const auto& [key, width] : {std::pair{"Return", 9}, std::pair{"KP_Enter", 8}}) {
        SCOPED_TRACE(key);
        parameters->PushButton2().Press();
        parameters->textfield4().Text(std::to_string(width));
        parameters->PushButton1().setFocus();
        press({key});
        ASSERT_TRUE(waitFor([width] { return Module1::SPECWIDTH == static_cast<float>(width); }))
            << "pressed nothing";
        EXPECT_EQ(Window1().Title(), "ABB NMR spectrum");
        parameters->PushButton1().setFocus();
        press({"space"});
        EXPECT_TRUE(waitFor([] { return Window1().Title() == "AB NMR spectrum"; }));
    }

    // With the download not offered, Return or keypad Enter in the update window presses
    // nothing; the Tab after it shows that it has been handled.
    auto& update = openUpdateWindow();
    for (const QString& key : kEnterKeys) {
        update.PushButton1().setFocus();
        press({key, "Tab"});
        ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() != &update.PushButton1(); }));
        EXPECT_TRUE(update.isVisible()) << key.toStdString() << " pressed Close";
    }
    update.PushButton1().setFocus();
    press({"space"});
    EXPECT_TRUE(waitFor([] { return shownWindow<class WindowDownload>() == nullptr; }));
}

TEST_F(Desktop, EveryWindowKeepsALightGroundBehindItsBlackTexts) {
    auto& parameters = enter();
    parameters.PushButton3().Press();  // the AA'XX' fields and the red "Assumed large" show
    openUpdateWindow();
    openAbout();
    for (platform::DesktopWindow* window :
         {static_cast<platform::DesktopWindow*>(&Window1()),
          static_cast<platform::DesktopWindow*>(&parameters),
          static_cast<platform::DesktopWindow*>(shownWindow<class WindowDownload>()),
          static_cast<platform::DesktopWindow*>(shownWindow<class WindowIntro>())}) {
        ASSERT_NE(window, nullptr);
        SCOPED_TRACE(window->windowTitle().toStdString());
        window->Show();  // above the others; the plot window's menu is never covered
        ASSERT_TRUE(framed(*window));
        const auto problems = [window] {
            std::vector<std::string> found;
            for (QWidget* control : readableControls(*window)) {
                if (auto problem = unreadable(*control, control->objectName() == "Label11")) {
                    found.push_back(*problem);
                }
            }
            return found;
        };
        // Until the window has been drawn on the screen, then as it stays.
        waitFor([&problems] { return problems().empty(); });
        EXPECT_EQ(problems(), std::vector<std::string>{});
    }
}

TEST_F(Desktop, SecondaryWindowsStayAboveThePlotWindow) {
    enter();
    const std::function<platform::DesktopWindow&()> opened[] = {
        [] { return std::ref<platform::DesktopWindow>(WindowParameters()); },
        [] { return std::ref<platform::DesktopWindow>(openUpdateWindow()); },
        [] { return std::ref<platform::DesktopWindow>(openAbout()); },
    };
    class Window1& plot = Window1();
    for (const auto& open : opened) {
        platform::DesktopWindow& window = open();
        SCOPED_TRACE(window.windowTitle().toStdString());
        ASSERT_TRUE(framed(window));
        // The plot window is moved under the window's left part, then clicked beside it.
        const QRect frame = window.frameGeometry();
        const QPoint asked(std::max(freeArea().left(), frame.left() - 200), plot.y());
        plot.move(asked);
        // Until the window manager has moved it: the program takes it to be there from the
        // request on, and may hear of an earlier place after it.
        ASSERT_TRUE(waitFor([&] { return plot.pos() == asked && placedAsShown(plot); }))
            << "the plot window is not where it was moved";
        ASSERT_TRUE(plot.frameGeometry().intersects(frame));
        const QRect canvas = onScreen(plot.Canvas1());
        const QRect overlap = canvas & frame;
        ASSERT_FALSE(overlap.isEmpty());
        ASSERT_LT(canvas.left() + 20, frame.left());
        click({canvas.left() + 20, overlap.top() + 20});
        ASSERT_TRUE(waitForActive(plot));
        Probe settled;
        ASSERT_TRUE(settled.shown());
        // Where the two overlap, the screen shows the window, not the plot.
        const QRect part = overlap.translated(-canvas.topLeft());
        const qreal ratio = plot.Canvas1().Buffer().devicePixelRatio();
        const QImage plotted = plot.Canvas1()
                                   .Buffer()
                                   .copy(QRect((QPointF(part.topLeft()) * ratio).toPoint(),
                                               (QSizeF(part.size()) * ratio).toSize()))
                                   .convertToFormat(QImage::Format_RGB32);
        EXPECT_FALSE(seen(plot.Canvas1(), part) == plotted)
            << "the plot window covers the window it owns";
        window.Close();  // out of the way of the next one
    }
}

TEST_F(Desktop, EveryWindowOpensWhollyOnTheScreen) {
    const QRect area = freeArea();
    // A window shown before the window manager had framed one of its kind is moved in once
    // its own frame is known, if that frame is larger than the one it was fitted with.
    const auto inside = [&area](const QWidget& window) {
        return waitFor([&] { return area.contains(window.frameGeometry()); });
    };
    ASSERT_TRUE(framed(*intro));
    EXPECT_TRUE(inside(*intro)) << "intro window";
    auto& parameters = enter();
    class Window1& plot = Window1();
    ASSERT_TRUE(framed(plot) && framed(parameters));
    EXPECT_TRUE(inside(plot)) << "plot window";
    EXPECT_TRUE(inside(parameters)) << "parameter window";
    // The drawing surface is the window's, and its axis numbers can be read at its foot.
    EXPECT_EQ(Module1::canvaswidth, plot.Width());
    EXPECT_EQ(Module1::canvasheight, plot.Height());
    EXPECT_TRUE(waitFor([&plot] {
        const QImage canvas = seen(plot.Canvas1());
        const Looks foot = looksOf(
            canvas.copy(0, canvas.height() * 94 / 100, canvas.width(), canvas.height() * 6 / 100));
        return contrast(foot.ground, foot.ink) > 4.5;
    })) << "no axis numbers at the plot's foot";

    // Beside the plot window where there is room for that, else against the screen's edge.
    const std::int64_t beside = plot.Left() + plot.Width() + 10;
    if (beside + parameters.frameGeometry().width() <= area.right() + 1) {
        EXPECT_EQ(parameters.Left(), beside);
    } else {
        EXPECT_EQ(parameters.frameGeometry().right(), area.right());
    }
    auto& update = openUpdateWindow();
    ASSERT_TRUE(framed(update));
    EXPECT_TRUE(inside(update)) << "update window";
    EXPECT_EQ(update.Left(), plot.Left() + 10);
    update.Close();
    auto& about = openAbout();
    ASSERT_TRUE(framed(about));
    EXPECT_TRUE(inside(about)) << "about window";
    EXPECT_EQ(about.Left(), std::max<std::int64_t>(0, plot.Left() + plot.Width() / 2 - 225));
}

TEST_F(Desktop, AltFOpensTheFileMenuAndEscapeClosesTheAboutAndUpdateWindows) {
    // At start Escape leaves the intro window, the only way into the program, alone.
    press({"Escape", "Tab"});
    ASSERT_TRUE(waitFor([this] { return QApplication::focusWidget() == &intro->PushButton1(); }));
    EXPECT_TRUE(intro->isVisible());

    enter().PushButton2().Press();
    ASSERT_TRUE(framed(Window1()));
    click(onScreen(Window1().Canvas1()).topLeft() + QPoint(20, 20));
    ASSERT_TRUE(waitForActive(Window1()));
    press({"alt+f"});
    auto* fileMenu = Window1().menuBar()->findChild<QMenu*>("FileMenu");
    ASSERT_NE(fileMenu, nullptr);
    EXPECT_TRUE(waitFor([fileMenu] { return fileMenu->isVisible(); })) << "Alt+F";
    press({"Escape"});
    EXPECT_TRUE(waitFor([fileMenu] { return !fileMenu->isVisible(); }));

    openUpdateWindow();
    press({"Escape"});
    EXPECT_TRUE(waitFor([] { return shownWindow<class WindowDownload>() == nullptr; })) << "update";
    openAbout();
    press({"Escape"});
    EXPECT_TRUE(waitFor([] { return shownWindow<class WindowIntro>() == nullptr; })) << "about";
    EXPECT_EQ(Window1().Title(), "ABB NMR spectrum");  // closed, not OK pressed
}

TEST_F(Desktop, PrintAndSaveWaitForThePlot) {
    int dialogs = 0;
    const platform::ScopedReplacement pageSetup{platform::PrinterSetup::PageSetupDialog(),
                                                [&](QPrinter&) { return ++dialogs, false; }};
    const platform::ScopedReplacement save{platform::SaveFileDialog(),
                                           [&](const platform::SaveFileRequest&) {
                                               ++dialogs;
                                               return std::optional<platform::FolderItem>();
                                           }};
    press({"ctrl+p", "ctrl+s", "Tab"});
    ASSERT_TRUE(waitFor([this] { return QApplication::focusWidget() == &intro->PushButton1(); }));
    EXPECT_EQ(dialogs, 0) << "a dialog opened for the plot nobody has seen";

    // Once the plot is shown, the about window passes the commands on.
    enter();
    openAbout();
    press({"ctrl+p"});
    EXPECT_TRUE(waitFor([&] { return dialogs == 1; })) << "Ctrl+P in the about window";
}

// The X server's own record of the desktop's windows, read back with xprop.
QString xprop(const QStringList& arguments) {
    QProcess xprop;
    xprop.start("xprop", QStringList{"-notype"} + arguments);
    EXPECT_TRUE(xprop.waitForFinished(korva::test::kPatienceMs)) << "xprop";
    return QString::fromLocal8Bit(xprop.readAllStandardOutput());
}

// The window ids that follow "# " in xprop's answer of one property.
std::vector<WId> windowIds(const QString& property) {
    std::vector<WId> ids;
    const qsizetype hash = property.indexOf("# ");
    if (hash < 0) return ids;
    for (const QString& id : property.mid(hash + 2).split(',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const WId value = id.trimmed().toULongLong(&ok, 16);
        if (ok) ids.push_back(value);
    }
    return ids;
}

// The windows that the window manager manages now.
std::vector<WId> managedWindows() { return windowIds(xprop({"-root", "_NET_CLIENT_LIST"})); }

bool managed(WId window) { return std::ranges::count(managedWindows(), window) > 0; }

WId activeWindow() {
    const auto ids = windowIds(xprop({"-root", "_NET_ACTIVE_WINDOW"}));
    return ids.empty() ? 0 : ids.front();
}

// A dialog as the window manager sees it: its owner (WM_TRANSIENT_FOR, 0 for none) and
// its title.
struct DialogOnScreen {
    WId window = 0;
    WId owner = 0;
    std::string title;
};

DialogOnScreen dialogOnScreen(WId window) {
    const QString id = "0x" + QString::number(window, 16);
    const auto owner = windowIds(xprop({"-id", id, "WM_TRANSIENT_FOR"}));
    QString title = xprop({"-id", id, "_NET_WM_NAME"}).trimmed();
    const qsizetype equals = title.indexOf(" = ");
    title = equals < 0 ? QString() : title.mid(equals + 3);
    if (title.size() >= 2 && title.startsWith('"') && title.endsWith('"')) {
        title = title.mid(1, title.size() - 2);
    }
    return {window, owner.empty() ? 0 : owner.front(), title.toStdString()};
}

// Cancels the dialogs of one command as a student does, whatever draws them (Qt or GTK):
// once a window that was not on the desktop before has appeared and the window manager
// has made it the active one, it is read back from the X server and Escape is pressed.
// A command that has not ended within the patience fails the test, and its open dialog is
// cancelled, so that the command ends.
class DialogsOnTheDesktop {
  public:
    explicit DialogsOnTheDesktop(std::size_t expected)
        : expected_(expected), known_(managedWindows()) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { poll(); });
        poll_.start(20);
        patience_.start();
    }

    std::vector<DialogOnScreen> seen;
    bool answeredAll() const { return seen.size() == expected_; }

  private:
    void poll() {
        if (patience_.hasExpired(korva::test::kPatienceMs)) {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "a dialog was still open when the patience ran out";
                dialog->reject();
            }
            return;
        }
        if (answeredAll()) return;
        const WId active = activeWindow();
        if (std::ranges::count(known_, active) > 0 || !managed(active)) return;
        known_.push_back(active);
        seen.push_back(dialogOnScreen(active));
        press({"Escape"});
    }

    std::size_t expected_;
    std::vector<WId> known_;
    QTimer poll_;
    QElapsedTimer patience_;
};

// Each dialog that Print and Save Plot open, and each message box they raise, belongs to
// the plot window, also when the command comes from the about window: the window manager
// keeps it above the plot window. The save dialog says what it is for. Escape cancels each,
// and the command ends with the screen's plot area back.
TEST_F(Desktop, TheDialogsOfPrintAndSaveBelongToThePlotWindow) {
    const platform::ScopedReplacement realBoxes{platform::MessageDialog::Presenter(),
                                                platform::ShowMessageBox};
    struct Step {
        const char* dialog;
        std::optional<std::string> title;
    };
    struct Case {
        const char* name;
        const char* shortcut;
        float specWidth;
        bool pageSetUpAccepted;  // without its dialog, to reach the print dialog
        std::vector<Step> steps;
    };
    // At 4 ppm the AB lines near 3 ppm fit the screen's plot but not the saved picture's,
    // whose margin is four times as wide: saving warns, drawing on the screen does not.
    const Case cases[] = {
        {"page set-up", "ctrl+p", 8.0f, false, {{"page set-up", std::nullopt}}},
        {"print", "ctrl+p", 8.0f, true, {{"print", std::nullopt}}},
        {"save", "ctrl+s", 8.0f, false, {{"save", "Save As"}}},
        {"warning while saving",
         "ctrl+s",
         4.0f,
         false,
         {{"warning", std::nullopt}, {"save", "Save As"}}},
    };
    enter();
    class Window1& plot = Window1();
    const WId plotWindow = plot.winId();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Module1::SPECWIDTH = c.specWidth;
        Module1::psettings.clear();
        std::optional<platform::ScopedReplacement<bool(QPrinter&)>> pageSetUp;
        if (c.pageSetUpAccepted) {
            pageSetUp.emplace(platform::PrinterSetup::PageSetupDialog(),
                              [](QPrinter&) { return true; });
        }
        openAbout();
        DialogsOnTheDesktop dialogs(c.steps.size());
        press({c.shortcut});
        // The dialogs run inside the command, so once all are answered it has ended.
        ASSERT_TRUE(waitFor([&] { return dialogs.answeredAll(); }));
        ASSERT_EQ(dialogs.seen.size(), c.steps.size());
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const DialogOnScreen& seen = dialogs.seen[i];
            SCOPED_TRACE(c.steps[i].dialog);
            EXPECT_EQ(seen.owner, plotWindow)
                << "owned by 0x" << QString::number(seen.owner, 16).toStdString()
                << ", the plot window is 0x" << QString::number(plotWindow, 16).toStdString();
            if (c.steps[i].title) {
                EXPECT_EQ(seen.title, *c.steps[i].title);
            }
            EXPECT_TRUE(waitFor([&] { return !managed(seen.window); })) << "still on the desktop";
        }
        EXPECT_EQ(Module1::psettings.empty(), !c.pageSetUpAccepted);
        EXPECT_EQ(Module1::canvaswidth, plot.Width());
        EXPECT_EQ(Module1::canvasheight, plot.Height());
        EXPECT_EQ(Module1::pf, 1);
    }
}

// A window's property read whole (xprop reads 250000 bytes unless told more), in the given
// format: its values, "value, value, ...".
QString xProperty(const QWidget& window, const QString& name, const QString& format) {
    return xprop({"-len", "100000000", "-id", QString::number(window.winId()), "-f", name, format,
                  name})
        .section('=', 1)
        .trimmed();
}

// The images of a window's _NET_WM_ICON: width, height and the ARGB pixels row by row, for
// each image in turn.
std::vector<QImage> iconsOf(const QWidget& window) {
    std::vector<quint32> values;
    for (const QString& value : xProperty(window, "_NET_WM_ICON", "32c").split(',')) {
        values.push_back(value.trimmed().toUInt());
    }
    std::vector<QImage> icons;
    for (std::size_t at = 0; at + 2 <= values.size();) {
        const int width = static_cast<int>(values[at]), height = static_cast<int>(values[at + 1]);
        at += 2;
        const std::size_t count = std::size_t(width) * std::size_t(height);
        if (width <= 0 || height <= 0 || at + count > values.size()) break;
        QImage image(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) image.setPixel(x, y, values[at++]);
        }
        icons.push_back(image);
    }
    return icons;
}

// Window lists and docks read the windows' X properties: every size of the program's icon,
// each as drawn, smallest first, at any scale; and the windows' class, by which a dock finds
// the desktop entry (its StartupWMClass) that the application names as its own.
TEST_F(Desktop, WindowsCarryEveryIconAsDrawnAndTheClassTheirDesktopEntryNames) {
    QFile entry(KORVA_SOURCE_DIR "/resources/" + QGuiApplication::desktopFileName() + ".desktop");
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly)) << entry.fileName().toStdString();
    QString entryClass;
    for (const QString& line : QString::fromUtf8(entry.readAll()).split('\n')) {
        if (line.startsWith("StartupWMClass=")) entryClass = line.section('=', 1);
    }
    ASSERT_FALSE(entryClass.isEmpty()) << "the desktop entry names no window class";
    std::vector<QImage> drawn;
    for (int side : {16, 32, 48, 256}) {
        drawn.push_back(QImage(QString(KORVA_SOURCE_DIR "/resources/icons/korva-%1.png").arg(side))
                            .convertToFormat(QImage::Format_ARGB32));
    }
    const auto check = [&](const QWidget& window) {
        SCOPED_TRACE(window.windowTitle().toStdString());
        const std::vector<QImage> icons = iconsOf(window);
        std::vector<int> sides;
        for (const QImage& icon : icons) sides.push_back(icon.width());
        EXPECT_EQ(sides, (std::vector<int>{16, 32, 48, 256}));
        for (std::size_t i = 0; i < std::min(icons.size(), drawn.size()); ++i) {
            EXPECT_TRUE(icons[i] == drawn[i])
                << "the " << sides[i] << "-pixel icon is not as drawn";
        }
        // WM_CLASS holds the instance's name, then the class's.
        const QString wmClass = xProperty(window, "WM_CLASS", "8s");
        EXPECT_EQ(QString(wmClass).remove('"').split(", ").value(1).toStdString(),
                  entryClass.toStdString())
            << wmClass.toStdString();
    };
    check(*intro);
    auto& parameters = enter();
    check(Window1());
    check(parameters);
}

}  // namespace
