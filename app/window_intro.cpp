#include "app/window_intro.h"

#include "app/module1_app.h"
#include "app/nmr_picture.h"
#include "app/window1.h"
#include "app/window_parameters.h"
#include "engine/module1.h"
#include "platform/core/mathematics.h"
#include "platform/qt/desktop_application.h"

#ifndef KORVA_WEBSOURCE
#error "KORVA_WEBSOURCE names the home-page folder"
#endif

namespace {

namespace style = platform::style;

// Two paragraphs with one empty line between them; nullptr stands for the line ending.
constexpr const char* kDescription[] = {
    "This program plots NMR line spectra for type AB, ABB, and AA'XX' coupling. ",
    "Vary the chemical shift difference, coupling constant, line widths and ",
    "instrument frequency to find the conditions necessary for first-order spectra ",
    "(1:1 doublets, 1:2:1 triplets). For example, what should the relative sizes ",
    "of the coupling constant and the chemical shift difference be?  Does a ",
    "higher frequency instrument give a more first-order spectrum? ",
    nullptr,
    nullptr,
    "An AB spectrum is that for two protons with different chemical shifts. ",
    "An ABB spectrum is that for three protons where two have the same chemical shift. ",
    "An AA'XX' spectrum lacks magnetic equivalence due to different spatial relations between ",
    "set members so there can be additional coupling.",
};

}  // namespace

void Module1::about() {
    version = "1.61 December 31, 2021";
    websource = KORVA_WEBSOURCE;
    std::string text;
    for (const char* piece : kDescription) text += piece ? piece : CR;
    WindowIntro().Label2().Text(text);
    const std::string versionLabel = "Version " + version + "  (64 bit) HiDPI." + CR + CR +
                                     (platform::IsDarkMode() ? " dark mode" : "") + ".";
    WindowIntro().Label3().Text(versionLabel);
    WindowIntro().Show();
}

WindowIntro::WindowIntro() : platform::DesktopWindow(&::Window1()) {
    Layout();
    CreateControls();
}

void WindowIntro::Layout() {
    SetProperties({.Title = "KORVA",
                   .Width = 450,
                   .Height = 409,
                   .Type = 3,
                   .DefaultLocation = 3,
                   .HasCloseButton = true,
                   .HasMaximizeButton = false,
                   .HasMinimizeButton = false,
                   .Resizeable = false,
                   .Visible = true});
}

void WindowIntro::CreateControls() {
    using W = WindowIntro;
    // member, name, left, top, width, height, text, style, tab, font size
    // The version label's three lines need 56 pixels: it stands just below the keyboard
    // hint, and the window is as much taller as that takes.
    static constexpr platform::ControlSpec<W> kControls[] = {
        {&W::Label2_, "Label2", 14, 91, 418, 230, "", style::Wraps},
        {&W::Label1_, "Label1", 125, 29, 199, 50, "AB, ABB, and AA'XX' \r\nNMR Coupling",
         style::Bold | style::Centred | style::Wraps},
        {&W::Label3_, "Label3", 0, 353, 450, 56, "", style::Centred | style::Wraps, -1, 12},
        {&W::Canvas1_, "Canvas1", 45, 15, 64, 64},
        {&W::PushButton2_, "PushButton2", 383, 317, 50, 20, "Quit", 0, 0},
        {&W::Label7_, "Label7", 280, 338, 109, 15, "(keyboard = enter)", style::Centred, -1, 10},
        {&W::PushButton1_, "PushButton1", 299, 317, 70, 20, "OK", style::Default, 1},
    };
    platform::DesktopWindow::CreateControls<W>(*this, kControls);
    Canvas1().Backdrop(x_NMR::NMR());
    Canvas1().Paint = [this](platform::DesktopCanvas& c, platform::Graphics& g) {
        Canvas1_Paint(c, g);
    };
    PushButton2().Pressed = [this](platform::DesktopButton& b) { PushButton2_Pressed(b); };
    PushButton1().Pressed = [this](platform::DesktopButton& b) { PushButton1_Pressed(b); };
}

// The whole picture, scaled into the whole canvas.
void WindowIntro::Canvas1_Paint(platform::DesktopCanvas&, platform::Graphics& g) {
    const auto picture = x_NMR::NMR();
    if (!picture) return;
    g.DrawPicture(*picture, 0, 0, g.Width(), g.Height(), 0, 0,
                  static_cast<double>(picture->Width()), static_cast<double>(picture->Height()));
}

void WindowIntro::PushButton1_Pressed(platform::DesktopButton&) {
    Window1().Show();
    WindowParameters().PushButton1().Press();
    Close();
}

void WindowIntro::PushButton2_Pressed(platform::DesktopButton&) { platform::Quit(0); }

// Centred on the plot window, which need not be shown yet.
void WindowIntro::Event_Opening() {
    const double plotLeft = static_cast<double>(Window1().Left());
    const double plotWidth = static_cast<double>(Window1().Width());
    const double ownWidth = static_cast<double>(Width());
    // Not past the left edge of the plot window's screen.
    const double screenLeft = static_cast<double>(PlacementScreen().Left);
    const double left = platform::Max(plotWidth / 2.0 + plotLeft - ownWidth / 2.0, screenLeft);
    Left(platform::TruncateToInt64(left));
}

void WindowIntro::Event_Activated() { Label7().Visible(true); }

void WindowIntro::Event_Deactivated() { Label7().Visible(false); }

// As the about box, not at start: closing the first window would end the program.
bool WindowIntro::ClosesOnEscape() const { return Window1().isVisible(); }

// Closed before the plot window was ever shown, nothing would be left to quit from.
void WindowIntro::Event_Closing() {
    if (!Window1().isVisible()) platform::Quit(0);
}

class WindowIntro& WindowIntro() {
    static QPointer<class WindowIntro> open;
    return platform::DesktopWindow::ImplicitInstance(open, [] { return new class WindowIntro(); });
}
