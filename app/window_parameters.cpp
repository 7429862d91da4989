#include "app/window_parameters.h"

#include "app/window1.h"
#include "engine/module1.h"
#include "platform/core/mathematics.h"
#include "platform/core/text.h"
#include "platform/qt/desktop_application.h"

namespace {

using platform::ControlKind;
using platform::ControlSpec;
using platform::DesktopButton;
using platform::DesktopLabel;
using platform::DesktopSlider;
using platform::DesktopTextField;
namespace style = platform::style;

constexpr ControlKind Label = ControlKind::Label;
constexpr ControlKind Button = ControlKind::Button;
constexpr ControlKind Field = ControlKind::TextField;
constexpr ControlKind Slider = ControlKind::Slider;

constexpr unsigned Bold = style::Bold, Right = style::Right, Centred = style::Centred,
                   Wraps = style::Wraps, Hidden = style::Hidden, Default = style::Default;
constexpr const char* kHint = "(keyboard = enter)";
constexpr platform::Color kRed = 0xFF0000;

// kind, name, left, top, width, height, text, style, tab, font size, text colour
// Label5's three lines need 42 pixels: one up and two taller, so that its last line stays
// clear of the frequency caption.
constexpr ControlSpec kControls[] = {
    {Label, "Label1", 10, 5, 460, 20,
     "Chemical shifts for proton magnetic resonance range over about 12 ppm.", Wraps},
    {Button, "PushButton1", 253, 272, 60, 20, "AB", Default, 1},
    {Field, "textfield1", 252, 30, 80, 22, "", 0, 4},
    {Label, "Label2", 10, 30, 230, 20, "Difference in chemical shift (ppm)?", Bold | Right},
    {Button, "PushButton2", 328, 272, 60, 20, "ABB", 0, 2},
    {Label, "Label4", 10, 104, 230, 20, "Coupling constant (Hz)?", Bold | Right},
    {Field, "textfield3", 252, 178, 80, 22, "", 0, 6},
    {Label, "Label5", 10, 139, 457, 42,
     "Depending on the magnetic field, NMR spectrometers \r\n"
     "operate from 40 to 900 MHz to achieve resonance.\r\n.",
     Wraps},
    {Label, "Label3", 10, 65, 340, 40,
     "Proton proton coupling constants rarely exceed 20 Hz. \r\n"
     "Normal H-C-C-H coupling is 7 Hz.",
     Wraps},
    {Field, "textfield2", 252, 104, 80, 22, "", 0, 5},
    {Label, "Label6", 10, 178, 230, 20, "Instrument Frequency (MHz)?", Bold | Right},
    {Field, "textfield4", 252, 234, 80, 22, "", 0, 7},
    {Label, "Label8", 10, 234, 230, 20, "Spectral scan width (ppm)?", Bold | Right},
    {Label, "Label9", 10, 212, 460, 20,
     "The width chosen should be larger than the chemical shift difference.", Wraps},
    {Label, "Label10", 10, 266, 240, 40, "Press a button (or press return) \r\nto update the plot.",
     Wraps},
    {Button, "PushButton3", 403, 272, 60, 20, "AA'XX'", 0, 3},
    {Field, "TextField5", 389, 62, 80, 22, "", Hidden, 8},
    {Field, "TextField7", 389, 108, 80, 22, "", Hidden, 10},
    {Label, "Label11", 340, 30, 123, 20, "Assumed large", Bold | Hidden, -1, 0, kRed},
    {Label, "Label12", 358, 64, 30, 20, "AA'", Right | Wraps | Hidden},
    {Label, "Label14", 333, 110, 55, 20, "AX'=A'X", Right | Wraps | Hidden},
    {Label, "Label13", 358, 87, 30, 20, "XX'", Right | Wraps | Hidden},
    {Field, "TextField6", 389, 85, 80, 22, "", Hidden, 9},
    {Label, "Label15", 371, 177, 100, 20, "\u2206v/J ="},
    {Slider, "Slider1", 151, 357, 309, 23, "", 0, 26},
    {Label, "Label16", 20, 352, 119, 20, "Line width?", Bold | Right},
    {Label, "Label18", 304, 294, 109, 15, kHint, Centred | Hidden, -1, 10},
    {Label, "Label19", 379, 294, 109, 15, kHint, Centred | Hidden, -1, 10},
    {Label, "Label17", 229, 294, 109, 15, kHint, Centred | Hidden, -1, 10},
    {Label, "Label20", 10, 312, 450, 40,
     "Line widths in real spectra are inversely related to the lifetime of the excited state "
     "due to the Heisenberg uncertainty principle.",
     Wraps},
};

float singleOf(const DesktopTextField& field) {
    return platform::Single(platform::Val(field.Text()));
}

std::int64_t integerOf(const DesktopTextField& field) {
    return platform::TruncateToInt64(platform::Val(field.Text()));
}

}  // namespace

// What sets the three spin-system buttons apart.
struct WindowParameters::SpinSystem {
    const char* name;
    void (*compute)();
    int index;  // 0, 1, 2: PushButton1 to PushButton3
};

namespace {
constexpr const char* kButtons[] = {"PushButton1", "PushButton2", "PushButton3"};
constexpr const char* kHints[] = {"Label17", "Label18", "Label19"};
constexpr const char* kAAXXOnly[] = {"Label11",    "Label12",    "Label13",   "Label14",
                                     "TextField5", "TextField6", "TextField7"};
}  // namespace

WindowParameters::WindowParameters() : platform::DesktopWindow(&::Window1()) {
    Layout();
    CreateControls();
}

void WindowParameters::Layout() {
    SetProperties({.Title = "Parameters",
                   .Width = 480,
                   .Height = 380,
                   .Type = 3,
                   .DefaultLocation = 0,
                   .HasCloseButton = true,
                   .HasMaximizeButton = true,
                   .HasMinimizeButton = true,
                   .Resizeable = false,
                   .Visible = true});
}

void WindowParameters::CreateControls() {
    platform::DesktopWindow::CreateControls(kControls);
    PushButton1().Pressed = [this](DesktopButton& b) { PushButton1_Pressed(b); };
    textfield1().TextChanged = [this](DesktopTextField& f) { textfield1_TextChanged(f); };
    PushButton2().Pressed = [this](DesktopButton& b) { PushButton2_Pressed(b); };
    textfield3().TextChanged = [this](DesktopTextField& f) { textfield3_TextChanged(f); };
    textfield2().TextChanged = [this](DesktopTextField& f) { textfield2_TextChanged(f); };
    PushButton3().Pressed = [this](DesktopButton& b) { PushButton3_Pressed(b); };
    Slider1().ValueChanged = [this](DesktopSlider& s) { Slider1_ValueChanged(s); };
}

void WindowParameters::PushButton1_Pressed(DesktopButton&) { press({"AB", Module1::AB, 0}); }
void WindowParameters::PushButton2_Pressed(DesktopButton&) { press({"ABB", Module1::ABB, 1}); }
void WindowParameters::PushButton3_Pressed(DesktopButton&) { press({"AA'XX'", Module1::AAXX, 2}); }

void WindowParameters::press(const SpinSystem& system) {
    ::Window1().Title(std::string(system.name) + " NMR spectrum");

    Module1::CSD = singleOf(textfield1());
    Module1::JCOUPLE = singleOf(textfield2());
    Module1::MHZ = integerOf(textfield3());
    Module1::SPECWIDTH = singleOf(textfield4());
    Module1::JCOUPLEAAPRIME = singleOf(TextField5());
    Module1::JCOUPLEXXPRIME = singleOf(TextField6());
    Module1::JCOUPLEAXPRIME = singleOf(TextField7());

    system.compute();

    for (int i = 0; i < 3; ++i) {
        ControlByName<DesktopButton>(kButtons[i]).Default(i == system.index);
        ControlByName<DesktopLabel>(kHints[i]).Visible(i == system.index);
    }
    for (const char* name : kAAXXOnly) {
        ControlByName<platform::DesktopUIControl>(name).Visible(system.index == 2);
    }
    writeRatio();
    ControlByName<DesktopButton>(kButtons[system.index]).SetFocus();
    ::Window1().Refresh();
}

void WindowParameters::textfield1_TextChanged(DesktopTextField& field) {
    Module1::CSD = singleOf(field);
    writeRatio();
}

void WindowParameters::textfield2_TextChanged(DesktopTextField& field) {
    Module1::JCOUPLE = singleOf(field);
    writeRatio();
}

void WindowParameters::textfield3_TextChanged(DesktopTextField& field) {
    Module1::MHZ = integerOf(field);
    writeRatio();
}

// The shift difference in hertz over the coupling constant.
void WindowParameters::writeRatio() {
    const double ratio = static_cast<double>(Module1::CSD) * static_cast<double>(Module1::MHZ) /
                         static_cast<double>(Module1::JCOUPLE);
    Label15().Text("\u2206v/J = " + platform::Format(ratio, "##"));
}

void WindowParameters::Event_Opening() {
    textfield1().Text(platform::Str(Module1::CSD));
    textfield2().Text(platform::Str(Module1::JCOUPLE));
    textfield3().Text(platform::Str(Module1::MHZ));
    textfield4().Text(platform::Str(Module1::SPECWIDTH));
    TextField5().Text(platform::Str(Module1::JCOUPLEAAPRIME));
    TextField6().Text(platform::Str(Module1::JCOUPLEXXPRIME));
    TextField7().Text(platform::Str(Module1::JCOUPLEAXPRIME));
    writeRatio();

    const double besidePlot = static_cast<double>(::Window1().Left() + ::Window1().Width());
    const double screenEdge =
        static_cast<double>(platform::Screen(0).Width() - ::WindowParameters().Width());
    ::WindowParameters().Left(
        platform::TruncateToInt64(platform::Min(besidePlot, screenEdge) + 10.0));
}

void WindowParameters::Event_Closing() {
    Module1::CSD = singleOf(textfield1());
    Module1::JCOUPLE = singleOf(textfield2());
    Module1::MHZ = integerOf(textfield3());
    Module1::SPECWIDTH = singleOf(textfield4());
}

void WindowParameters::Event_Activated() {
    for (int i = 0; i < 3; ++i) {
        ControlByName<DesktopLabel>(kHints[i]).Visible(
            ControlByName<DesktopButton>(kButtons[i]).Default());
    }
}

void WindowParameters::Event_Deactivated() {
    for (const char* hint : kHints) ControlByName<DesktopLabel>(hint).Visible(false);
}

void WindowParameters::Slider1_ValueChanged(DesktopSlider& slider) {
    Module1::s = static_cast<float>(slider.Value());
    ::Window1().Refresh();
}

KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label1)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopButton, PushButton1)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopTextField, textfield1)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label2)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopButton, PushButton2)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label4)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopTextField, textfield3)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label5)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label3)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopTextField, textfield2)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label6)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopTextField, textfield4)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label8)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label9)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label10)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopButton, PushButton3)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopTextField, TextField5)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopTextField, TextField7)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label11)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label12)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label14)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label13)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopTextField, TextField6)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label15)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopSlider, Slider1)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label16)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label18)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label19)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label17)
KORVA_CONTROL_ACCESSOR(WindowParameters, DesktopLabel, Label20)

class WindowParameters& WindowParameters() {
    return platform::DesktopWindow::ImplicitInstance<class WindowParameters>(
        "WindowParameters.WindowParameters", [] { return new class WindowParameters(); });
}
