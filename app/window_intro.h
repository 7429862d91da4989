#pragma once

#include "platform/qt/desktop_controls.h"
#include "platform/qt/desktop_window.h"

// The intro window, which is also the about box: heading, description, picture, version,
// and the OK and Quit buttons.
class WindowIntro : public platform::DesktopWindow {
  public:
    platform::DesktopLabel& Label2() const { return *Label2_; }
    platform::DesktopLabel& Label1() const { return *Label1_; }
    platform::DesktopLabel& Label3() const { return *Label3_; }
    platform::DesktopCanvas& Canvas1() const { return *Canvas1_; }
    platform::DesktopButton& PushButton2() const { return *PushButton2_; }
    platform::DesktopLabel& Label7() const { return *Label7_; }
    platform::DesktopButton& PushButton1() const { return *PushButton1_; }

  protected:
    void Event_Activated() override;
    void Event_Opening() override;
    void Event_Deactivated() override;
    void Event_Closing() override;
    bool ClosesOnEscape() const override;

  private:
    WindowIntro();
    void Layout();
    void CreateControls();

    void Canvas1_Paint(platform::DesktopCanvas& canvas, platform::Graphics& g);
    void PushButton2_Pressed(platform::DesktopButton& button);
    void PushButton1_Pressed(platform::DesktopButton& button);

    platform::DesktopLabel* Label2_ = nullptr;
    platform::DesktopLabel* Label1_ = nullptr;
    platform::DesktopLabel* Label3_ = nullptr;
    platform::DesktopCanvas* Canvas1_ = nullptr;
    platform::DesktopButton* PushButton2_ = nullptr;
    platform::DesktopLabel* Label7_ = nullptr;
    platform::DesktopButton* PushButton1_ = nullptr;

    friend class WindowIntro& WindowIntro();
};

// The one intro window: the open one, or a new one.
class WindowIntro& WindowIntro();
