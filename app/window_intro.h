#pragma once

#include "platform/qt/desktop_controls.h"
#include "platform/qt/desktop_window.h"

// The intro window, which is also the about box: heading, description, picture, version,
// and the OK and Quit buttons.
class WindowIntro : public platform::DesktopWindow {
  public:
    platform::DesktopLabel& Label2() const;
    platform::DesktopLabel& Label1() const;
    platform::DesktopLabel& Label3() const;
    platform::DesktopCanvas& Canvas1() const;
    platform::DesktopButton& PushButton2() const;
    platform::DesktopLabel& Label7() const;
    platform::DesktopButton& PushButton1() const;

  protected:
    void Event_Activated() override;
    void Event_Opening() override;
    void Event_Deactivated() override;
    void Event_Closing() override;

  private:
    WindowIntro();
    void Layout();
    void CreateControls();

    void Canvas1_Paint(platform::DesktopCanvas& canvas, platform::Graphics& g);
    void PushButton2_Pressed(platform::DesktopButton& button);
    void PushButton1_Pressed(platform::DesktopButton& button);

    friend class WindowIntro& WindowIntro();
};

// The one intro window: the open one, or a new one.
class WindowIntro& WindowIntro();
