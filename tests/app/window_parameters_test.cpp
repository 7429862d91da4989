#include <QApplication>
#include <QPointer>
#include <QPrinter>

#include "platform/qt/desktop_application.h"
#include "platform/qt/printer_setup.h"
#include "platform/qt/save_file_dialog.h"
#include "tests/app/app_fixture.h"
#include "tests/support/dark_desktop.h"
#include "tests/support/layout_check.h"
#include "tests/support/shown_texts.h"
#include "tests/support/tab_order.h"

namespace {

using korva::test::AppTest;
using korva::test::runEventLoop;
using korva::test::waitFor;
using korva::test::waitForActive;
using platform::DesktopTextField;

using ParameterWindow = AppTest;

void retype(DesktopTextField& field, const QString& text) {
    field.setFocus();
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClicks(&field, text);
}

// The thirty controls in their order of creation, as the opened window shows them with the
// start values. Label5 stands one pixel higher and two taller than drawn on paper, and
// Label19 ends at the window's right edge, so that their texts show whole.
TEST_F(ParameterWindow, IsBuiltFromItsLayout) {
    using Row = korva::test::ControlRow;
    using namespace korva::test;  // the looks
    const std::string hint = "(keyboard = enter)";
    const std::vector<Row> rows = {
        {Row::Label, "Label1", 10, 5, 460, 20,
         "Chemical shifts for proton magnetic resonance range over about 12 ppm.", Wraps},
        {Row::Button, "PushButton1", 253, 272, 60, 20, "AB"},
        {Row::Field, "textfield1", 252, 30, 80, 22, "3"},
        {Row::Label, "Label2", 10, 30, 230, 20, "Difference in chemical shift (ppm)?",
         Bold | Right},
        {Row::Button, "PushButton2", 328, 272, 60, 20, "ABB"},
        {Row::Label, "Label4", 10, 104, 230, 20, "Coupling constant (Hz)?", Bold | Right},
        {Row::Field, "textfield3", 252, 178, 80, 22, "60"},
        {Row::Label, "Label5", 10, 139, 457, 42,
         "Depending on the magnetic field, NMR spectrometers \r\n"
         "operate from 40 to 900 MHz to achieve resonance.\r\n.",
         Wraps},
        {Row::Label, "Label3", 10, 65, 340, 40,
         "Proton proton coupling constants rarely exceed 20 Hz. \r\n"
         "Normal H-C-C-H coupling is 7 Hz.",
         Wraps},
        {Row::Field, "textfield2", 252, 104, 80, 22, "7"},
        {Row::Label, "Label6", 10, 178, 230, 20, "Instrument Frequency (MHz)?", Bold | Right},
        {Row::Field, "textfield4", 252, 234, 80, 22, "8"},
        {Row::Label, "Label8", 10, 234, 230, 20, "Spectral scan width (ppm)?", Bold | Right},
        {Row::Label, "Label9", 10, 212, 460, 20,
         "The width chosen should be larger than the chemical shift difference.", Wraps},
        {Row::Label, "Label10", 10, 266, 240, 40,
         "Press a button (or press return) \r\nto update the plot.", Wraps},
        {Row::Button, "PushButton3", 403, 272, 60, 20, "AA'XX'"},
        {Row::Field, "TextField5", 389, 62, 80, 22, "13", Hidden},
        {Row::Field, "TextField7", 389, 108, 80, 22, "12", Hidden},
        {Row::Label, "Label11", 340, 30, 123, 20, "Assumed large", Hidden | Bold, 12,
         QColor(255, 0, 0)},
        {Row::Label, "Label12", 358, 64, 30, 20, "AA'", Hidden | Right | Wraps},
        {Row::Label, "Label14", 333, 110, 55, 20, "AX'=A'X", Hidden | Right | Wraps},
        {Row::Label, "Label13", 358, 87, 30, 20, "XX'", Hidden | Right | Wraps},
        {Row::Field, "TextField6", 389, 85, 80, 22, "13", Hidden},
        {Row::Label, "Label15", 371, 177, 100, 20, "\u2206v/J = 26"},
        {Row::Slider, "Slider1", 151, 357, 309, 23},
        {Row::Label, "Label16", 20, 352, 119, 20, "Line width?", Bold | Right},
        {Row::Label, "Label18", 304, 294, 109, 15, hint, Hidden | Centred, 13},
        {Row::Label, "Label19", 371, 294, 109, 15, hint, Hidden | Centred, 13},
        {Row::Label, "Label17", 229, 294, 109, 15, hint, Hidden | Centred, 13},
        {Row::Label, "Label20", 10, 312, 450, 40,
         "Line widths in real spectra are inversely related to the lifetime of the excited "
         "state due to the Heisenberg uncertainty principle.",
         Wraps},
    };
    auto& parameters = WindowParameters();
    korva::test::expectLayout(parameters, rows);
    QStringList created, expected;
    for (QWidget* w :
         parameters.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->objectName().isEmpty()) created << w->objectName();
    }
    for (const Row& row : rows) expected << row.name;
    created.sort(), expected.sort();
    EXPECT_EQ(created, expected);

    EXPECT_EQ(parameters.Title(), "Parameters");
    EXPECT_EQ(parameters.Width(), 480);
    EXPECT_EQ(parameters.Height(), 380);
    korva::test::expectFixedSize(parameters);
    const Qt::WindowFlags flags = parameters.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(parameters.parentWidget(), &Window1());
    EXPECT_TRUE(parameters.PushButton1().Default());
    EXPECT_FALSE(parameters.PushButton2().Default() || parameters.PushButton3().Default());

    const auto& slider = parameters.Slider1();
    EXPECT_EQ(slider.minimum(), 0);
    EXPECT_EQ(slider.maximum(), 100);
    EXPECT_EQ(slider.value(), 0);
    EXPECT_EQ(slider.singleStep(), 1);
    EXPECT_EQ(slider.pageStep(), 20);
    EXPECT_FALSE(slider.hasTracking());
    EXPECT_EQ(slider.orientation(), Qt::Horizontal);
}

TEST_F(ParameterWindow, OpensWithTheSharedStateAndBesideThePlotWindow) {
    struct Case {
        int plotLeft;
        std::int64_t left;  // Min(plot left + 800, 1920 - 480) + 10
    };
    // Seven different values, so that each field shows its own.
    Module1::CSD = 2.5f;
    Module1::JCOUPLE = 6.5f;
    Module1::MHZ = 300;
    Module1::SPECWIDTH = 9.5f;
    Module1::JCOUPLEAAPRIME = 13.5f;
    Module1::JCOUPLEXXPRIME = -2.25f;
    Module1::JCOUPLEAXPRIME = 0.75f;
    Window1().Show();  // as the intro window's OK does first
    for (Case c : {Case{100, 910}, Case{560, 1370}, Case{1000, 1450}, Case{-900, -90}}) {
        Window1().Left(c.plotLeft);
        auto& parameters = WindowParameters();
        // Beside the plot window where that fits on the screen; otherwise the frame stays
        // inside the screen, at the edge that the window would cross.
        const QRect frame = parameters.frameGeometry();
        EXPECT_TRUE(QRect(0, 0, 1920, 1080).contains(frame)) << c.plotLeft;
        if (c.left < 0) {
            EXPECT_EQ(frame.left(), 0) << c.plotLeft;
        } else if (c.left + frame.width() > 1920) {
            EXPECT_EQ(frame.right(), 1919) << c.plotLeft;
        } else {
            EXPECT_EQ(parameters.Left(), c.left) << c.plotLeft;
        }
        EXPECT_EQ(parameters.textfield1().Text(), "2.5");
        EXPECT_EQ(parameters.textfield2().Text(), "6.5");
        EXPECT_EQ(parameters.textfield3().Text(), "300");
        EXPECT_EQ(parameters.textfield4().Text(), "9.5");
        EXPECT_EQ(parameters.TextField5().Text(), "13.5");
        EXPECT_EQ(parameters.TextField6().Text(), "-2.25");
        EXPECT_EQ(parameters.TextField7().Text(), "0.75");
        EXPECT_EQ(parameters.Label15().Text(), "\u2206v/J = 115");  // 750 / 6.5
        EXPECT_EQ(parameters.Title(), "Parameters");
        EXPECT_EQ(parameters.Width(), 480);
        EXPECT_EQ(parameters.Height(), 380);
        parameters.Close();
    }
}

TEST_F(ParameterWindow, BuildingRaisesNoFieldHandler) {
    // A TextChanged while the fields are still empty would store 0 before they are filled.
    Module1::CSD = 3.3f;
    Module1::JCOUPLE = 0.25f;
    Module1::MHZ = 400;
    auto& parameters = WindowParameters();
    EXPECT_EQ(parameters.textfield1().Text(), "3.3");
    EXPECT_EQ(Module1::CSD, 3.3f);
    EXPECT_EQ(Module1::JCOUPLE, 0.25f);
    EXPECT_EQ(Module1::MHZ, 400);
    EXPECT_EQ(parameters.Slider1().Value(), 0);
    EXPECT_TRUE(parameters.PushButton1().Default());
    for (const char* hidden : {"Label11", "Label12", "Label13", "Label14", "TextField5",
                               "TextField6", "TextField7", "Label17", "Label18", "Label19"}) {
        EXPECT_FALSE(parameters.findChild<QWidget*>(hidden)->isVisibleTo(&parameters)) << hidden;
    }
}

TEST_F(ParameterWindow, TypingStoresTheLiveValuesAndRewritesTheRatioOnly) {
    auto& parameters = openParameters();
    const auto lines = Module1::x;
    countDrawings();

    retype(parameters.textfield3(), "6");
    EXPECT_EQ(Module1::MHZ, 6);
    EXPECT_EQ(parameters.Label15().Text(), "\u2206v/J = 3");  // 18 / 7
    QTest::keyClicks(&parameters.textfield3(), "0");
    EXPECT_EQ(Module1::MHZ, 60);
    EXPECT_EQ(parameters.Label15().Text(), "\u2206v/J = 26");

    retype(parameters.textfield1(), "3.3");
    EXPECT_EQ(Module1::CSD, 3.3f);
    EXPECT_EQ(parameters.Label15().Text(), "\u2206v/J = 28");  // from the float 3.3

    retype(parameters.textfield2(), "0");
    EXPECT_EQ(parameters.Label15().Text(), "\u2206v/J = \u221E");
    retype(parameters.textfield1(), "0");
    EXPECT_EQ(parameters.Label15().Text(), "\u2206v/J = NaN");

    struct Frequency {
        const char* typed;
        std::int64_t stored;
    };
    for (Frequency f : {Frequency{"60.9", 60}, Frequency{"-60.9", -60}, Frequency{"abc", 0},
                        Frequency{"1e400", std::numeric_limits<std::int64_t>::max()},
                        Frequency{"-1e400", std::numeric_limits<std::int64_t>::min()}}) {
        retype(parameters.textfield3(), f.typed);
        EXPECT_EQ(Module1::MHZ, f.stored) << f.typed;
    }

    settle();
    EXPECT_EQ(drawings, 0);
    EXPECT_EQ(Module1::x, lines);
    EXPECT_EQ(Window1().Title(), "AB NMR spectrum");
}

TEST_F(ParameterWindow, SpinSystemButtonsComputeTitleAndShowTheirControls) {
    struct Case {
        const char* button;
        const char* title;
        std::int64_t lines;
        const char* hint;
        bool aaxx;
    };
    const Case cases[] = {{"PushButton3", "AA'XX' NMR spectrum", 20, "Label19", true},
                          {"PushButton2", "ABB NMR spectrum", 9, "Label18", false},
                          {"PushButton1", "AB NMR spectrum", 4, "Label17", false}};
    auto& parameters = openParameters();
    ASSERT_TRUE(waitForActive(parameters));
    countDrawings();
    for (const Case& c : cases) {
        const int before = drawings;
        auto& button = *parameters.findChild<platform::DesktopButton*>(c.button);
        QTest::mouseClick(&button, Qt::LeftButton);
        EXPECT_EQ(Window1().Title(), c.title);
        EXPECT_EQ(Module1::N, c.lines);
        EXPECT_EQ(QApplication::focusWidget(), &button) << c.button;
        for (const char* other : {"PushButton1", "PushButton2", "PushButton3"}) {
            EXPECT_EQ(parameters.findChild<platform::DesktopButton*>(other)->Default(),
                      std::string(other) == c.button);
        }
        for (const char* hint : {"Label17", "Label18", "Label19"}) {
            EXPECT_EQ(parameters.findChild<platform::DesktopLabel*>(hint)->Visible(),
                      std::string(hint) == c.hint);
        }
        for (const char* name : {"Label11", "Label12", "Label13", "Label14", "TextField5",
                                 "TextField6", "TextField7"}) {
            EXPECT_EQ(parameters.findChild<QWidget*>(name)->isVisibleTo(&parameters), c.aaxx)
                << c.button << " " << name;
        }
        EXPECT_EQ(drawings, before);  // the drawing comes after the handler
        settle();
        EXPECT_EQ(drawings, before + 1);
    }
}

TEST_F(ParameterWindow, EveryPressReadsAllSevenFields) {
    auto& parameters = openParameters();
    parameters.TextField5().Text("20");  // hidden while AB is shown
    parameters.TextField6().Text("-4.5");
    parameters.TextField7().Text("1");
    parameters.textfield4().Text("10");
    parameters.PushButton1().Press();
    EXPECT_EQ(Module1::JCOUPLEAAPRIME, 20.0f);
    EXPECT_EQ(Module1::JCOUPLEXXPRIME, -4.5f);
    EXPECT_EQ(Module1::JCOUPLEAXPRIME, 1.0f);
    EXPECT_EQ(Module1::SPECWIDTH, 10.0f);
}

// Only a press takes the three AA'XX' couplings, so each press draws the lines of what its
// window shows at that press. Worked by hand with the start values (dv = 180 Hz, J = 7):
// K = J(AA') + J(XX'), M = J(AA') - J(XX'), L = 7 - J(AX'), S = 7 + J(AX'),
// E = sqrt(K^2 + L^2) / 2, F = sqrt(M^2 + L^2) / 2, k = K / 2E, m = M / 2F.
TEST_F(ParameterWindow, EachAAXXPressDrawsTheCouplingsTypedForIt) {
    struct Case {
        const char *aa, *xx, *ax;
        // Lines 1 to 10; lines 11 to 20 lie 180 Hz lower, with the same intensities.
        std::vector<double> x, y;
    };
    const Case cases[] = {
        // K = M = 8, L = 6, S = 8: E = F = 5, k = m = 0.8.
        {"8",
         "0",
         "1",
         {184, 176, 189, 181, 179, 171, 189, 181, 179, 171},
         {4, 4, 0.2, 1.8, 1.8, 0.2, 0.2, 1.8, 1.8, 0.2}},
        // K = 15, M = 6, L = 8, S = 6: E = 8.5, F = 5, k = 15 / 17, m = 0.6.
        {"10.5",
         "4.5",
         "-1",
         {183, 177, 196, 181, 179, 164, 188, 182, 178, 172},
         {4, 4, 2.0 / 17, 32.0 / 17, 32.0 / 17, 2.0 / 17, 0.4, 1.6, 1.6, 0.4}},
    };
    auto& parameters = openParameters();
    QTest::mouseClick(&parameters.PushButton3(), Qt::LeftButton);  // shows the three fields
    for (const Case& c : cases) {
        SCOPED_TRACE(c.aa);
        retype(parameters.TextField5(), c.aa);
        retype(parameters.TextField6(), c.xx);
        retype(parameters.TextField7(), c.ax);
        QTest::mouseClick(&parameters.PushButton3(), Qt::LeftButton);
        ASSERT_EQ(Module1::N, 20);
        for (std::size_t i = 0; i < 10; ++i) {
            EXPECT_NEAR(Module1::x[i + 1], c.x[i], 1e-4) << "x(" << i + 1 << ")";
            EXPECT_NEAR(Module1::x[i + 11], c.x[i] - 180, 1e-4) << "x(" << i + 11 << ")";
            EXPECT_NEAR(Module1::y[i + 1], c.y[i], 1e-6) << "y(" << i + 1 << ")";
            EXPECT_NEAR(Module1::y[i + 11], c.y[i], 1e-6) << "y(" << i + 11 << ")";
        }
    }
}

TEST_F(ParameterWindow, ReturnPressesTheDefaultButtonAnywhereInTheWindow) {
    auto& parameters = openParameters();
    ASSERT_TRUE(waitForActive(parameters));
    QTest::mouseClick(&parameters.PushButton2(), Qt::LeftButton);  // ABB becomes the default
    struct Case {
        QWidget* focus;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    for (Case c : {Case{&parameters.textfield1(), Qt::Key_Return, Qt::NoModifier},
                   Case{&parameters.textfield4(), Qt::Key_Enter, Qt::KeypadModifier},
                   Case{&parameters.Slider1(), Qt::Key_Return, Qt::NoModifier},
                   Case{&parameters.PushButton2(), Qt::Key_Return, Qt::NoModifier}}) {
        Module1::N = 0;
        c.focus->setFocus();
        QTest::keyClick(c.focus, c.key, c.modifiers);
        EXPECT_EQ(Module1::N, 9) << c.focus->objectName().toStdString();
        EXPECT_EQ(QApplication::focusWidget(), &parameters.PushButton2());
    }
    // A non-default button with the focus does not take Return for itself.
    parameters.PushButton3().setFocus();
    Module1::N = 0;
    QTest::keyClick(&parameters.PushButton3(), Qt::Key_Return);
    EXPECT_EQ(Module1::N, 9);
}

TEST_F(ParameterWindow, SliderSetsTheLineWidthWhenLetGoAndRepaintsWithoutRecomputing) {
    auto& parameters = openParameters();
    countDrawings();
    Module1::N = 0;  // a recomputation would set it again
    auto& slider = parameters.Slider1();
    slider.setSliderDown(true);
    slider.setSliderPosition(37);
    EXPECT_EQ(Module1::s, 0.0f);
    slider.setSliderDown(false);
    EXPECT_EQ(Module1::s, 37.0f);
    settle();
    EXPECT_EQ(drawings, 1);
    slider.setFocus();
    QTest::keyClick(&slider, Qt::Key_Left);
    EXPECT_EQ(Module1::s, 36.0f);
    EXPECT_EQ(Module1::N, 0);
}

TEST_F(ParameterWindow, ClosingStoresTheFourMainFieldsAndAFreshWindowShowsThem) {
    auto& first = openParameters();
    first.Slider1().setValue(37);
    first.textfield1().Text("2.5");
    first.textfield4().Text("12");
    // Lost: only a press takes the AA'XX' couplings.
    for (auto* field : {&first.TextField5(), &first.TextField6(), &first.TextField7()}) {
        field->Text("99");
    }
    QPointer<QWidget> closed(&first);
    settle();
    countDrawings();
    first.Close();
    settle();
    EXPECT_EQ(Module1::CSD, 2.5f);
    EXPECT_EQ(Module1::SPECWIDTH, 12.0f);
    EXPECT_EQ(Module1::JCOUPLEAAPRIME, 13.0f);
    EXPECT_EQ(Module1::JCOUPLEXXPRIME, 13.0f);
    EXPECT_EQ(Module1::JCOUPLEAXPRIME, 12.0f);
    EXPECT_EQ(drawings, 0);
    EXPECT_TRUE(closed.isNull());

    auto& fresh = WindowParameters();
    EXPECT_EQ(fresh.textfield1().Text(), "2.5");
    EXPECT_EQ(fresh.textfield4().Text(), "12");
    EXPECT_EQ(fresh.TextField5().Text(), "13");
    EXPECT_EQ(fresh.Slider1().Value(), 0);
    EXPECT_EQ(Module1::s, 37.0f);
}

TEST_F(ParameterWindow, HintShowsUnderTheDefaultButtonOnlyWhileTheWindowIsActive) {
    auto& parameters = openParameters();
    parameters.PushButton3().Press();
    ASSERT_TRUE(waitForActive(parameters));
    Window1().activateWindow();
    ASSERT_TRUE(waitFor([] { return QApplication::activeWindow() == &Window1(); }));
    for (auto* hint : {&parameters.Label17(), &parameters.Label18(), &parameters.Label19()}) {
        EXPECT_FALSE(hint->Visible());
    }
    parameters.activateWindow();
    ASSERT_TRUE(waitFor([&] { return QApplication::activeWindow() == &parameters; }));
    EXPECT_FALSE(parameters.Label17().Visible());
    EXPECT_FALSE(parameters.Label18().Visible());
    EXPECT_TRUE(parameters.Label19().Visible());
}

// The File menu's shortcuts reach the plot window's commands from where the student types,
// each once.
TEST_F(ParameterWindow, MenuShortcutsWorkWhileTheStudentTypes) {
    auto& parameters = openParameters();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parameters));
    retype(parameters.textfield1(), "2.5");
    int saves = 0, prints = 0;
    {
        const platform::ScopedReplacement saveDialog{
            platform::SaveFileDialog(), [&](const platform::SaveFileRequest&) {
                ++saves;
                return std::optional<platform::FolderItem>();
            }};
        const platform::ScopedReplacement pageSetupDialog{
            platform::PrinterSetup::PageSetupDialog(), [&](QPrinter&) { return ++prints, false; }};
        const platform::ScopedReplacement printDialog{
            platform::PrinterSetup::PrintDialog(),
            [](std::shared_ptr<QPrinter>) { return nullptr; }};
        QTest::keyClick(&parameters.textfield1(), Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(&parameters.textfield1(), Qt::Key_P, Qt::ControlModifier);
    }
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(prints, 1);
    EXPECT_EQ(parameters.textfield1().Text(), "2.5");
    EXPECT_EQ(QApplication::activeWindow(), &parameters);
    EXPECT_EQ(runEventLoop([&] {
                  QTest::keyClick(&parameters.textfield1(), Qt::Key_Q, Qt::ControlModifier);
              }),
              0);
}

// Tab skips the hidden AA'XX' fields until an AA'XX' press shows them.
TEST_F(ParameterWindow, TabMovesThroughButtonsFieldsAndSlider) {
    auto& parameters = openParameters();
    EXPECT_EQ(korva::test::tabCycle(parameters),
              (QStringList{"PushButton1", "PushButton2", "PushButton3", "textfield1", "textfield2",
                           "textfield3", "textfield4", "Slider1", "PushButton1"}));
    parameters.PushButton3().Press();
    EXPECT_EQ(korva::test::tabCycle(parameters),
              (QStringList{"PushButton1", "PushButton2", "PushButton3", "textfield1", "textfield2",
                           "textfield3", "textfield4", "TextField5", "TextField6", "TextField7",
                           "Slider1", "PushButton1"}));
}

TEST_F(ParameterWindow, EveryTextShowsWhole) {
    auto& parameters = openParameters();
    for (auto* button :
         {&parameters.PushButton1(), &parameters.PushButton2(), &parameters.PushButton3()}) {
        button->Press();
        for (const std::string& problem : korva::test::hiddenTexts(parameters)) {
            ADD_FAILURE() << button->Caption() << ": " << problem;
        }
    }
}

TEST_F(ParameterWindow, ADarkDesktopKeepsTheBlackTextsOnALightGround) {
    QColor ground, text;
    {
        const korva::test::DarkDesktop dark;
        ASSERT_TRUE(platform::IsDarkMode());
        auto& parameters = WindowParameters();
        ground = parameters.Label2().palette().color(QPalette::Window);
        text = parameters.Label2().palette().color(QPalette::WindowText);
    }
    EXPECT_EQ(text, QColor(0, 0, 0));
    EXPECT_GT(ground.lightness(), 180);
}

}  // namespace
