#pragma once

#include "platform/qt/desktop_controls.h"
#include "platform/qt/desktop_window.h"

// The plot window: its canvas covers it, and every drawing clears it and draws the
// spectrum. It carries the File menu; closing it ends the program.
class Window1 : public platform::DesktopWindow {
  public:
    platform::DesktopCanvas& Canvas1() const { return *Canvas1_; }

  protected:
    void Event_Closing() override;
    void Event_Resized() override;

  private:
    Window1();
    void Layout();
    void CreateControls();
    void AddMenuHandlers();
    void Canvas1_Paint(platform::DesktopCanvas& canvas, platform::Graphics& g);
    bool FileQuit_Action();
    bool FilePrint_Action();
    bool FileCheck_Action();
    bool FileAbout_Action();
    bool FileSavePlot_Action();

    platform::DesktopCanvas* Canvas1_ = nullptr;

    friend class Window1& Window1();
};

// The one plot window: the open one, or a new, hidden one.
class Window1& Window1();
