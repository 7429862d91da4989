#include "app/window_parameters.h"

#include <cstdint>
#include <string>
#include <variant>

#include "app/window1.h"
#include "engine/module1.h"
#include "platform/core/mathematics.h"
#include "platform/core/text.h"
#include "platform/qt/desktop_application.h"

using platform::DesktopButton;
using platform::DesktopLabel;
using platform::DesktopSlider;
using platform::DesktopTextField;

// A field and the shared variable it stands for. Every press stores all seven; the three
// with a handler store theirs while the student types; the four kept at closing store
// theirs again when the window closes.
struct WindowParameters::Binding {
    DesktopTextField* WindowParameters::*field;
    std::variant<float*, std::int64_t*> variable;
    void (WindowParameters::*changed)(DesktopTextField&);
    bool keptAtClosing;
};

// What sets the three spin-system buttons apart.
struct WindowParameters::SpinSystem {
    const char* name;
    void (*compute)();
    DesktopButton* WindowParameters::*button;
    DesktopLabel* WindowParameters::*hint;
    void (WindowParameters::*pressed)(DesktopButton&);
};

namespace {

// Typed text as the variable's type holds it: rounded to a float, or truncated toward zero.
void store(const std::variant<float*, std::int64_t*>& variable, const DesktopTextField& field) {
    const double value = platform::Val(field.Text());
    if (auto* single = std::get_if<float*>(&variable)) {
        **single = platform::Single(value);
    } else {
        *std::get<std::int64_t*>(variable) = platform::TruncateToInt64(value);
    }
}

std::string text(const std::variant<float*, std::int64_t*>& variable) {
    return std::visit([](auto* value) { return platform::Str(*value); }, variable);
}

}  // namespace

std::span<const WindowParameters::Binding> WindowParameters::bindings() {
    using W = WindowParameters;
    // field, shared variable, handler while typing, kept at closing
    static constexpr Binding kBindings[] = {
        {&W::textfield1_, &Module1::CSD, &W::textfield1_TextChanged, true},
        {&W::textfield2_, &Module1::JCOUPLE, &W::textfield2_TextChanged, true},
        {&W::textfield3_, &Module1::MHZ, &W::textfield3_TextChanged, true},
        {&W::textfield4_, &Module1::SPECWIDTH, nullptr, true},
        {&W::TextField5_, &Module1::JCOUPLEAAPRIME, nullptr, false},
        {&W::TextField6_, &Module1::JCOUPLEXXPRIME, nullptr, false},
        {&W::TextField7_, &Module1::JCOUPLEAXPRIME, nullptr, false},
    };
    return kBindings;
}

std::span<const WindowParameters::SpinSystem> WindowParameters::spinSystems() {
    using W = WindowParameters;
    static constexpr SpinSystem kSystems[] = {
        {"AB", Module1::AB, &W::PushButton1_, &W::Label17_, &W::PushButton1_Pressed},
        {"ABB", Module1::ABB, &W::PushButton2_, &W::Label18_, &W::PushButton2_Pressed},
        {"AA'XX'", Module1::AAXX, &W::PushButton3_, &W::Label19_, &W::PushButton3_Pressed},
    };
    return kSystems;
}

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
    using W = WindowParameters;
    namespace style = platform::style;
    constexpr unsigned Bold = style::Bold, Right = style::Right, Centred = style::Centred,
                       Wraps = style::Wraps, Hidden = style::Hidden, Default = style::Default;
    constexpr const char* kHint = "(keyboard = enter)";
    constexpr platform::Color kRed = 0xFF0000;

    // member, name, left, top, width, height, text, style, tab, font size, text colour
    // Label5's three lines need 42 pixels: one up and two taller, so that its last line
    // stays clear of the frequency caption.
    static constexpr platform::ControlSpec<W> kControls[] = {
        {&W::Label1_, "Label1", 10, 5, 460, 20,
         "Chemical shifts for proton magnetic resonance range over about 12 ppm.", Wraps},
        {&W::PushButton1_, "PushButton1", 253, 272, 60, 20, "AB", Default, 1},
        {&W::textfield1_, "textfield1", 252, 30, 80, 22, "", 0, 4},
        {&W::Label2_, "Label2", 10, 30, 230, 20, "Difference in chemical shift (ppm)?",
         Bold | Right},
        {&W::PushButton2_, "PushButton2", 328, 272, 60, 20, "ABB", 0, 2},
        {&W::Label4_, "Label4", 10, 104, 230, 20, "Coupling constant (Hz)?", Bold | Right},
        {&W::textfield3_, "textfield3", 252, 178, 80, 22, "", 0, 6},
        {&W::Label5_, "Label5", 10, 139, 457, 42,
         "Depending on the magnetic field, NMR spectrometers \r\n"
         "operate from 40 to 900 MHz to achieve resonance.\r\n.",
         Wraps},
        {&W::Label3_, "Label3", 10, 65, 340, 40,
         "Proton proton coupling constants rarely exceed 20 Hz. \r\n"
         "Normal H-C-C-H coupling is 7 Hz.",
         Wraps},
        {&W::textfield2_, "textfield2", 252, 104, 80, 22, "", 0, 5},
        {&W::Label6_, "Label6", 10, 178, 230, 20, "Instrument Frequency (MHz)?", Bold | Right},
        {&W::textfield4_, "textfield4", 252, 234, 80, 22, "", 0, 7},
        {&W::Label8_, "Label8", 10, 234, 230, 20, "Spectral scan width (ppm)?", Bold | Right},
        {&W::Label9_, "Label9", 10, 212, 460, 20,
         "The width chosen should be larger than the chemical shift difference.", Wraps},
        {&W::Label10_, "Label10", 10, 266, 240, 40,
         "Press a button (or press return) \r\nto update the plot.", Wraps},
        {&W::PushButton3_, "PushButton3", 403, 272, 60, 20, "AA'XX'", 0, 3},
        {&W::TextField5_, "TextField5", 389, 62, 80, 22, "", Hidden, 8},
        {&W::TextField7_, "TextField7", 389, 108, 80, 22, "", Hidden, 10},
        {&W::Label11_, "Label11", 340, 30, 123, 20, "Assumed large", Bold | Hidden, -1, 0, kRed},
        {&W::Label12_, "Label12", 358, 64, 30, 20, "AA'", Right | Wraps | Hidden},
        {&W::Label14_, "Label14", 333, 110, 55, 20, "AX'=A'X", Right | Wraps | Hidden},
        {&W::Label13_, "Label13", 358, 87, 30, 20, "XX'", Right | Wraps | Hidden},
        {&W::TextField6_, "TextField6", 389, 85, 80, 22, "", Hidden, 9},
        {&W::Label15_, "Label15", 371, 177, 100, 20, "\u2206v/J ="},
        {&W::Slider1_, "Slider1", 151, 357, 309, 23, "", 0, 26},
        {&W::Label16_, "Label16", 20, 352, 119, 20, "Line width?", Bold | Right},
        {&W::Label18_, "Label18", 304, 294, 109, 15, kHint, Centred | Hidden, -1, 10},
        {&W::Label19_, "Label19", 379, 294, 109, 15, kHint, Centred | Hidden, -1, 10},
        {&W::Label17_, "Label17", 229, 294, 109, 15, kHint, Centred | Hidden, -1, 10},
        {&W::Label20_, "Label20", 10, 312, 450, 40,
         "Line widths in real spectra are inversely related to the lifetime of the excited "
         "state due to the Heisenberg uncertainty principle.",
         Wraps},
    };
    platform::DesktopWindow::CreateControls<W>(*this, kControls);

    for (const SpinSystem& system : spinSystems()) {
        (this->*system.button)->Pressed = [this, pressed = system.pressed](DesktopButton& b) {
            (this->*pressed)(b);
        };
    }
    for (const Binding& binding : bindings()) {
        if (!binding.changed) continue;
        (this->*binding.field)->TextChanged =
            [this, changed = binding.changed](DesktopTextField& f) { (this->*changed)(f); };
    }
    Slider1_->ValueChanged = [this](DesktopSlider& s) { Slider1_ValueChanged(s); };
}

void WindowParameters::PushButton1_Pressed(DesktopButton&) { press(spinSystems()[0]); }
void WindowParameters::PushButton2_Pressed(DesktopButton&) { press(spinSystems()[1]); }
void WindowParameters::PushButton3_Pressed(DesktopButton&) { press(spinSystems()[2]); }

void WindowParameters::press(const SpinSystem& pressed) {
    ::Window1().Title(std::string(pressed.name) + " NMR spectrum");
    for (const Binding& binding : bindings()) store(binding.variable, *(this->*binding.field));
    pressed.compute();

    for (const SpinSystem& system : spinSystems()) {
        (this->*system.button)->Default(&system == &pressed);
        (this->*system.hint)->Visible(&system == &pressed);
    }
    // The controls only the AA'XX' system uses, labels first.
    const bool aaxx = &pressed == &spinSystems()[2];
    for (DesktopLabel* label : {Label11_, Label12_, Label13_, Label14_}) label->Visible(aaxx);
    for (DesktopTextField* field : {TextField5_, TextField6_, TextField7_}) field->Visible(aaxx);
    writeRatio();
    (this->*pressed.button)->SetFocus();
    ::Window1().Refresh();
}

void WindowParameters::textfield1_TextChanged(DesktopTextField& field) { typed(field); }
void WindowParameters::textfield2_TextChanged(DesktopTextField& field) { typed(field); }
void WindowParameters::textfield3_TextChanged(DesktopTextField& field) { typed(field); }

// A live field stores its own value at every change of its text, and the read-out follows.
void WindowParameters::typed(const DesktopTextField& field) {
    for (const Binding& binding : bindings()) {
        if (this->*binding.field == &field) store(binding.variable, field);
    }
    writeRatio();
}

// The shift difference in hertz over the coupling constant, as the shared state holds them.
void WindowParameters::writeRatio() {
    Label15_->Text("\u2206v/J = " + platform::Format(Module1::ratio(), "##"));
}

void WindowParameters::Event_Opening() {
    for (const Binding& binding : bindings()) (this->*binding.field)->Text(text(binding.variable));
    writeRatio();

    // Against the right edge of the plot window's screen, where there is no room beside it.
    const platform::ScreenBounds screen = ::WindowParameters().PlacementScreen();
    const double besidePlot = static_cast<double>(::Window1().Left() + ::Window1().Width());
    const double screenEdge =
        static_cast<double>(screen.Left + screen.Width - ::WindowParameters().Width());
    ::WindowParameters().Left(
        platform::TruncateToInt64(platform::Min(besidePlot, screenEdge) + 10.0));
}

void WindowParameters::Event_Closing() {
    for (const Binding& binding : bindings()) {
        if (binding.keptAtClosing) store(binding.variable, *(this->*binding.field));
    }
}

void WindowParameters::Event_Activated() {
    for (const SpinSystem& system : spinSystems()) {
        (this->*system.hint)->Visible((this->*system.button)->Default());
    }
}

void WindowParameters::Event_Deactivated() {
    for (const SpinSystem& system : spinSystems()) (this->*system.hint)->Visible(false);
}

void WindowParameters::Slider1_ValueChanged(DesktopSlider& slider) {
    Module1::s = static_cast<float>(slider.Value());
    ::Window1().Refresh();
}

class WindowParameters& WindowParameters() {
    static QPointer<class WindowParameters> open;
    return platform::DesktopWindow::ImplicitInstance(open,
                                                     [] { return new class WindowParameters(); });
}
