#include "app/window1.h"

#include "app/menu.h"
#include "app/module1_app.h"
#include "engine/module1.h"
#include "platform/qt/desktop_application.h"
#include "update/window_download.h"

Window1::Window1() {
    Layout();
    CreateControls();
    AddMenuHandlers();
}

void Window1::Layout() {
    MenuBar(Menu());
    SetProperties({.Title = "NMR",
                   .Width = 800,
                   .Height = 600,
                   .MinimumWidth = 64,
                   .MinimumHeight = 64,
                   .MaximumWidth = 32000,
                   .MaximumHeight = 32000,
                   .Type = 0,
                   .DefaultLocation = 0,
                   .HasCloseButton = true,
                   .HasMaximizeButton = true,
                   .HasMinimizeButton = true,
                   .Resizeable = true,
                   .Visible = false,
                   .BackgroundColor = 0xFFFFFF});
}

void Window1::CreateControls() {
    static constexpr platform::ControlSpec<Window1> kControls[] = {
        {&Window1::Canvas1_, "Canvas1", 0, 0, 800, 600},
    };
    platform::DesktopWindow::CreateControls<Window1>(*this, kControls);
    Canvas1().Paint = [this](platform::DesktopCanvas& canvas, platform::Graphics& g) {
        Canvas1_Paint(canvas, g);
    };
}

void Window1::AddMenuHandlers() {
    AddMenuHandler("FileQuit", [this] { return FileQuit_Action(); });
    AddMenuHandler("FilePrint", [this] { return FilePrint_Action(); });
    AddMenuHandler("FileCheck", [this] { return FileCheck_Action(); });
    AddMenuHandler("FileAbout", [this] { return FileAbout_Action(); });
    AddMenuHandler("FileSavePlot", [this] { return FileSavePlot_Action(); });
}

void Window1::Canvas1_Paint(platform::DesktopCanvas&, platform::Graphics& g) {
    Module1::clearwin(g);
    Module1::display(g);
}

void Window1::Event_Resized() {
    Module1::canvaswidth = ::Window1().Width();
    Module1::canvasheight = ::Window1().Height();
    ::Window1().Canvas1().Width(Module1::canvaswidth);
    ::Window1().Canvas1().Height(Module1::canvasheight);
    ::Window1().Refresh();
}

void Window1::Event_Closing() { platform::Quit(0); }

bool Window1::FileQuit_Action() {
    platform::Quit(0);
    return false;
}

// Before the intro window's OK there is no plot to print or save.
bool Window1::FilePrint_Action() {
    if (isVisible()) Module1::printer();
    return false;
}

bool Window1::FileCheck_Action() {
    WindowDownload().Show();
    return false;
}

bool Window1::FileAbout_Action() {
    Module1::about();
    return false;
}

bool Window1::FileSavePlot_Action() {
    if (isVisible()) Module1::saveplot();
    return false;
}

class Window1& Window1() {
    static QPointer<class Window1> open;
    return platform::DesktopWindow::ImplicitInstance(open, [] { return new class Window1(); });
}
